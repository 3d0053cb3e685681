#include "sim/machine/mail_answers.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/outlook_items.h"
#include "sim/machine/mail_content.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

// "Monday, December 07, 2026 9:00 AM", as Outlook writes the Sent line.
std::string LongDate(Date date) {
  static const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};
  static const char* kMonths[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
  Date::Parts p = date.ToParts();
  // Day 0 of the host's dates, 30 December 1899, was a Saturday.
  long days = static_cast<long>(std::floor(date.value()));
  int weekday = static_cast<int>(((days + 6) % 7 + 7) % 7);
  int hour = p.hour % 12 == 0 ? 12 : p.hour % 12;
  char text[96];
  std::snprintf(text, sizeof text, "%s, %s %02d, %d %d:%02d %s", kDays[weekday],
                kMonths[p.month - 1], p.day, p.year, hour, p.minute,
                p.hour < 12 ? "AM" : "PM");
  return text;
}

bool StartsFolded(std::string_view text, std::string_view prefix) {
  return FoldCase(text.substr(0, prefix.size())) == FoldCase(prefix);
}

struct HeaderLine {
  const char* label;
  std::string value;
};

// The lines of the original's header block; Sent and Cc only when there
// is something to say.
std::vector<HeaderLine> OriginalHeader(const ItemContent& source) {
  std::string from = TextMember(source, "SenderName");
  std::string principal = TextMember(source, "SentOnBehalfOfName");
  if (!principal.empty() && principal != from) from += " On Behalf Of " + principal;
  std::vector<HeaderLine> lines = {{"From", from}};
  auto sent = source.members.find("SentOn");
  if (sent != source.members.end() && sent->second.IsDate())
    lines.push_back({"Sent", LongDate(sent->second.date_value())});
  lines.push_back({"To", RecipientText(source, ol::kOlTo)});
  std::string cc = RecipientText(source, ol::kOlCC);
  if (!cc.empty()) lines.push_back({"Cc", cc});
  lines.push_back({"Subject", source.subject});
  return lines;
}

std::string QuotedText(const ItemContent& source) {
  std::string text = "\r\n\r\n-----Original Message-----\r\n";
  for (const HeaderLine& line : OriginalHeader(source))
    text += std::string(line.label) + ": " + line.value + "\r\n";
  return text + "\r\n" + BodyOf(source);
}

std::string QuotedHtml(const ItemContent& source) {
  std::string block =
      "<div><br></div>\r\n<div><font face=Tahoma size=2>-----Original Message-----<br>";
  for (const HeaderLine& line : OriginalHeader(source))
    block += "<b>" + std::string(line.label) + ":</b> " + HtmlEscape(line.value) + "<br>";
  block += "</font><br></div>\r\n";
  std::string html = HtmlBodyOf(source);
  std::string folded = FoldCase(html);
  size_t body = folded.find("<body");
  size_t open_end = body == std::string::npos ? body : html.find('>', body);
  if (open_end == std::string::npos)
    return "<html><body>\r\n" + block + html + "\r\n</body></html>";
  return html.substr(0, open_end + 1) + "\r\n" + block + html.substr(open_end + 1);
}

bool SameAddressee(const RecipientNode& a, const RecipientNode& b) {
  return FoldCase(a.name) == FoldCase(b.name) ||
         (!a.address.empty() && FoldCase(a.address) == FoldCase(b.address));
}

void AddRecipient(ItemNode& answer, RecipientNode recipient) {
  for (const auto& r : answer.recipients)
    if (SameAddressee(*r, recipient)) return;
  answer.recipients.push_back(std::make_shared<RecipientNode>(std::move(recipient)));
}

// Reply goes to the person the mail was sent for: the one sent on behalf
// of, when there is one, else the sender.
void AddReplyRecipient(const MailStore& store, const ItemContent& source, ItemNode& answer) {
  std::string sender = TextMember(source, "SenderName");
  std::string principal = TextMember(source, "SentOnBehalfOfName");
  RecipientNode to{sender, TextMember(source, "SenderEmailAddress"), ol::kOlTo, false};
  if (!principal.empty() && principal != sender) {
    to = {principal, "", ol::kOlTo, false};
    ResolveRecipient(store, to);
  }
  to.resolved = !to.address.empty();
  if (!to.name.empty()) AddRecipient(answer, std::move(to));
}

}  // namespace

std::optional<AnswerKind> AnswerKindOfControl(int control_id) {
  switch (control_id) {
    case 354:
      return AnswerKind::kReply;
    case 355:
      return AnswerKind::kReplyAll;
    case 356:
      return AnswerKind::kForward;
    default:
      return std::nullopt;
  }
}

bool HasAnswer(int item_class, AnswerKind kind) {
  if (item_class == ol::kMail) return true;
  return item_class == ol::kPost && kind != AnswerKind::kReplyAll;
}

std::shared_ptr<ItemNode> MakeAnswer(MailStore& store, const ItemNode& source,
                                     AnswerKind kind,
                                     const ItemContent* shown) {
  const ItemContent& content = shown ? *shown : source;
  StoreNode* owner = source.folder ? source.folder->store : store.default_store();
  FolderNode* drafts = owner && owner->defaults.count(ol::kFolderDrafts)
                           ? owner->defaults[ol::kFolderDrafts]
                           : source.folder;
  auto answer = store.NewItem(*drafts, "IPM.Note");
  bool forward = kind == AnswerKind::kForward;
  const char* prefix = forward ? "FW: " : "RE: ";
  answer->subject = StartsFolded(content.subject, std::string_view(prefix, 3))
                        ? content.subject
                        : prefix + content.subject;

  if (!forward) AddReplyRecipient(store, content, *answer);
  if (kind == AnswerKind::kReplyAll) {
    std::string self = FoldCase(MailboxOwner(store));
    for (const auto& r : content.recipients) {
      if (r->type == ol::kOlBCC || (!self.empty() && FoldCase(r->name) == self)) continue;
      AddRecipient(*answer, *r);
    }
  }
  if (forward) answer->attachments = content.attachments;

  switch (BodyFormatOf(content)) {
    case ol::kOlFormatHTML:
      WriteHtmlBody(*answer, QuotedHtml(content));
      break;
    case ol::kOlFormatRichText: {
      // The text stays exactly the quoted text; the RTF is made from it.
      std::string text = QuotedText(content);
      WriteRtfBody(*answer, TextToRtf(text));
      answer->members["Body"] = Variant(text);
      break;
    }
    default:
      WriteBody(*answer, QuotedText(content));
  }
  return answer;
}

}  // namespace pinlet::sim
