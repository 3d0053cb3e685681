#include "inspector/note_insertion.h"

#include <array>
#include <optional>

#include "addin/error_report.h"
#include "addin/string_table.h"
#include "inspector/attachment_copy.h"
#include "rtf/html_body.h"
#include "rtf/note_style.h"
#include "platform/file_names.h"
#include "platform/mapi_helpers.h"
#include "platform/text.h"
#include "store/note_property.h"

namespace pinlet {
namespace {

constexpr const char* kTempFolder = "Temp\\";
constexpr const char* kInsertNote = "Insert Note";

std::string WithBackslash(std::string path) {
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

constexpr std::array<const char*, 3> kAddresseeMembers = {"To", "CC", "BCC"};

// The display lists of the mail's addressees, To, CC and BCC ("Ann Lee; Bo
// Chen"), from its recipients. They are read through the helper library's
// wrapper, which Outlook's object model guard never stops (Outlook 2002 asks
// the user before an add-in reads any recipient) and which reads the stored
// message. Without the library installed, through the mail's own
// recipients: Outlook 2002 asks once. Any other failure is the read's.
std::array<std::string, 3> AddresseesOf(AddinContext& ctx, const ol::ItemPtr& mail) {
  std::shared_ptr<SafeMailItem> safe;
  if (std::optional<HostError> failed =
          Attempt([&] { safe = Must(ctx.platform.objects).CreateSafeMailItem(); });
      failed && failed->number() != errors::kCannotCreateObject)
    throw *failed;
  ol::RecipientsPtr recipients;
  if (safe) {
    safe->SetItem(mail);
    recipients = safe->Recipients();
  } else {
    recipients = Must(mail).Recipients();
  }
  std::array<std::string, 3> lists;
  int count = Must(recipients).Count();
  for (int i = 1; i <= count; ++i) {
    ol::RecipientPtr recipient = recipients->Item(i);
    int type = Must(recipient).Type();
    if (type < ol::kOlTo || type > ol::kOlBCC) continue;
    std::string& list = lists[static_cast<size_t>(type - ol::kOlTo)];
    if (!list.empty()) list += "; ";
    list += recipient->Name();
  }
  return lists;
}

}  // namespace

std::string NoteIntoHTML(AddinContext& ctx, const ol::ItemPtr& note,
                         const std::string& html) {
  return RunGuarded(ctx, "basMainProc(Function NoteIntoHTML)", std::string(), [&](Proc&) {
    size_t body_end = FindBodyTagEnd(html);
    if (body_end == std::string::npos) return std::string();
    Must(note);
    const std::array<std::string, 4> names = {
        LoadResString(res::kZpnFullBody), LoadResString(res::kZpnFontSize),
        LoadResString(res::kZpnFontName), LoadResString(res::kZpnForeColor)};
    std::vector<NoteRead> read = ReadNoteProperties(ctx, note, names);
    auto value = [&](size_t i) { return read.at(i).found() ? read[i].value : ""; };
    // A colour the note does not hold as a number is not known.
    std::optional<uint32_t> colour;
    if (ParseNumber(value(3)))
      colour = static_cast<uint32_t>(ToLong(Variant(value(3))));
    std::string block = NoteBlockStartTag(value(1), value(2), colour) + "\r\n" +
                        HtmlEscape(value(0)) + "\r\n</pre>";
    return html.substr(0, body_end) + block + html.substr(body_end);
  });
}

const char* const kNoteNotAddedMessage =
    "The note could not be added to this mail. The mail stays as Outlook made it.";
const char* const kNotePartlyAddedMessage =
    "Part of the note could not be added to this mail: its text or some of its "
    "attached files are missing.";

NoteMail BuildNoteMail(AddinContext& ctx, const ol::ItemPtr& source,
                       const ol::ItemPtr& note) {
  ol::ItemPtr mail = Must(Must(ctx.name_space).GetDefaultFolder(ol::kFolderInbox))
                         .Items()
                         ->Add(ol::kMailItem);
  Must(mail);
  Must(source);
  NoteMail built{mail, true};
  // The addressees of a Reply to All or a Forward are all kept.
  std::array<std::string, 3> addressees = AddresseesOf(ctx, source);
  for (size_t i = 0; i < addressees.size(); ++i)
    if (!addressees[i].empty()) mail->Put(kAddresseeMembers[i], Variant(addressees[i]));
  mail->SetSubject(source->Subject());
  const std::string body_name = LoadResString(res::kZpnFullBody);
  std::optional<std::string> text;
  IgnoreError([&] {
    ol::UserPropertiesPtr props = Must(note).UserProperties();
    ol::UserPropertyPtr prop = props->Find(body_name);
    if (!prop) prop = props->Add(body_name, ol::kOlText, true);
    text = ToText(Must(prop).Value());
  });
  std::string html = ToText(source->Get("HTMLBody"));
  if (!html.empty()) {
    // Writing Body on an HTML mail would replace its HTML: an HTML mail
    // takes the note in its HTML only, or keeps its own HTML without it.
    std::string with_note = NoteIntoHTML(ctx, note, html);
    if (with_note.empty()) built.note_complete = false;
    mail->Put("HTMLBody", Variant(with_note.empty() ? html : with_note));
  } else {
    std::string body = ToText(source->Get("Body"));
    if (!text) built.note_complete = false;
    mail->Put("Body", Variant(text ? *text + "\r\n" + body : body));
  }
  std::string temp = WithBackslash(ctx.install_dir) + kTempFolder;
  if (!CopyAttachmentsThrough(ctx, source, mail, temp))
    throw HostError(errors::kOperationFailed,
                    "The attachments of the mail could not all be copied.",
                    "BuildNoteMail");
  if (!CopyAttachmentsThrough(ctx, note, mail, temp)) built.note_complete = false;
  return built;
}

bool ReplaceWithNoteMail(AddinContext& ctx, const Proc& proc, const ol::ItemPtr& source,
                         const ol::ItemPtr& note) {
  bool complete = false;
  std::optional<HostError> error = Attempt([&] {
    NoteMail built = BuildNoteMail(ctx, source, note);
    ShowNoteMail(ctx, built.mail);
    complete = built.note_complete;
  });
  if (error) {
    ReportError(ctx, proc.tag, proc.line, error->number(), error->description());
    ShowMessage(ctx, kNoteNotAddedMessage, mb::kOkOnly | mb::kExclamation);
    return false;
  }
  if (!complete)
    ShowMessage(ctx, kNotePartlyAddedMessage, mb::kOkOnly | mb::kExclamation);
  return true;
}

void ShowNoteMail(AddinContext&, const ol::ItemPtr& mail) {
  Must(mail).Display();
  IgnoreError([&] {
    office::CommandBarControlPtr control = Must(mail->GetInspector())
                                               .CommandBars()
                                               ->Item(LoadResString(res::kStandard))
                                               ->Controls()
                                               ->Item(kInsertNote);
    if (control) control->Delete();
  });
}

}  // namespace pinlet
