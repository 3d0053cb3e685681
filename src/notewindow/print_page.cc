#include "notewindow/print_page.h"

#include "inspector/rtf2html.h"
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

std::string CssFontFamily(std::string_view name) {
  std::string out;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    bool keep = u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '_' || c == '.';
    if (keep) out += c;
  }
  return out;
}

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

  // The size is a number; nothing else may reach the style.
  std::string size;
  for (char ch : note.font_size)
    if (ch == ',' || ch == '.')
      size += '.';
    else if (ch >= '0' && ch <= '9')
      size += ch;
  uint32_t c = note.text_colour;
  page += "<pre style=\"font-size:" + size +
          "pt;font-family:" + HtmlEscape(CssFontFamily(note.font_name)) + ";color:rgb(" +
          std::to_string(c & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," +
          std::to_string((c >> 16) & 0xFF) + ")\">";
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
