// The printed page of a note: the note, and optionally the mail it belongs
// to, as one HTML document that the shell's HTML handler prints.
//
// Everything on the page except the converted rich-text body is text, and
// all of it may come from anyone: a mail's sender, recipients and subject
// are written by whoever sent it, and a note can arrive through a shared
// folder. Every text is HTML-escaped, the font name and size pass the
// allow-list of rtf/note_style.h, and the page declares its character set so
// that no handler guesses another one. The rich-text body is converted by
// RTF2HTML, which escapes on its own.
//
// The builder only formats what it is given; the note window reads the
// parts (frm_comments_print.cc).
#ifndef PINLET_NOTEWINDOW_PRINT_PAGE_H_
#define PINLET_NOTEWINDOW_PRINT_PAGE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"

namespace pinlet {

// The first line of every page the add-in writes; it also tells the add-in's
// own pages from other files in the temporary folder.
inline constexpr std::string_view kPrintPageStart =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n";

// The mail header and body as they could be read. A part that could not be
// read is nullopt and its line is left out.
struct PrintedMail {
  std::optional<std::string> sender_name;
  std::optional<std::string> sent_on_behalf_of_name;
  // kOlNoDate (a mail never sent) prints an empty "Sent: " line.
  std::optional<Date> sent_on;
  // Each recipient as printed: its address when resolved, else its name.
  std::optional<std::vector<std::string>> to;
  std::optional<std::vector<std::string>> cc;
  std::optional<std::string> subject;
  // The RTF body; "" when the mail has none (or it could not be read).
  std::string rtf_body;
  // The plain body, printed when there is no RTF body.
  std::string body;
};

struct PrintedNote {
  std::string caption;  // the note window's caption
  // The time of printing, when the page is to show it ("PrintDate").
  std::optional<Date> printed_on;
  std::string font_name;
  // The font size as the host writes the number; a decimal comma is printed
  // as a point, and a size that is no plain number is left out.
  std::string font_size;
  uint32_t text_colour = 0;  // 0x00BBGGRR
  std::string text;
  // The mail, when the page is to carry it ("PrintItem" and a mail parent).
  std::optional<PrintedMail> mail;
};

// The mail header text: From (with " On Behalf Of " and the other name when
// it differs from the sender), Sent, To, Cc (only with a Cc recipient) and
// Subject, lines separated by CR LF; unescaped.
std::string MailHeaderText(const PrintedMail& mail);

// The whole page: kPrintPageStart, the note header ("Note: " and the
// caption, and "Printed On: " and the time), the note text in a <pre>
// styled with its font size, face and colour (those known), and with a mail its header
// and its body (the RTF converted with "+CR+I", else the plain text in a
// <pre>).
std::string BuildPrintPage(const PrintedNote& note);

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_PRINT_PAGE_H_
