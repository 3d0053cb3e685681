#include "notewindow/print_page.h"

#include "rtf/note_style.h"
#include "rtf/rtf2html.h"
#include "platform/outlook_items.h"
#include "platform/text.h"

namespace pinlet {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string Joined(const std::vector<std::string>& recipients) {
  std::string out;
  for (const std::string& recipient : recipients) {
    if (!out.empty()) out += "; ";
    out += recipient;
  }
  return out;
}

}  // namespace

std::string MailHeaderText(const PrintedMail& mail) {
  std::vector<std::string> lines;
  if (mail.sender_name) {
    std::string from = "From: " + *mail.sender_name;
    if (mail.sent_on_behalf_of_name && !mail.sent_on_behalf_of_name->empty() &&
        *mail.sent_on_behalf_of_name != *mail.sender_name)
      from += " On Behalf Of " + *mail.sent_on_behalf_of_name;
    lines.push_back(std::move(from));
  }
  if (mail.sent_on) {
    // A mail never sent has no date to show.
    bool sent = mail.sent_on->value() != ol::kOlNoDate;
    lines.push_back("Sent: " + (sent ? mail.sent_on->ToGeneralString() : std::string()));
  }
  if (mail.to) lines.push_back("To: " + Joined(*mail.to));
  if (mail.cc && !mail.cc->empty()) lines.push_back("Cc: " + Joined(*mail.cc));
  if (mail.subject) lines.push_back("Subject: " + *mail.subject);
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += kCrLf;
    out += lines[i];
  }
  return out;
}

std::string BuildPrintPage(const PrintedNote& note) {
  std::string page(kPrintPageStart);
  std::string header = "Note: " + note.caption;
  if (note.printed_on)
    header += std::string(kCrLf) + "Printed On: " + note.printed_on->ToGeneralString();
  page += "<pre>" + HtmlEscape(header) + "</pre>";
  page += kCrLf;

  page += NoteBlockStartTag(note.font_size, note.font_name, note.text_colour);
  page += kCrLf;
  page += HtmlEscape(note.text);
  page += kCrLf;
  page += "</pre>";

  if (note.mail) {
    page += kCrLf;
    page += "<pre>" + HtmlEscape(MailHeaderText(*note.mail)) + "</pre>";
    page += kCrLf;
    if (!note.mail->rtf_body.empty())
      page += RTF2HTML(note.mail->rtf_body, "+CR+I");
    else if (!note.mail->body.empty())
      // Plain text keeps its line breaks only inside a <pre>.
      page += "<pre>" + HtmlEscape(note.mail->body) + "</pre>";
  }
  return page;
}

}  // namespace pinlet
