#include "inspector/note_insertion.h"

#include <array>

#include "addin/error_report.h"
#include "addin/string_table.h"
#include "inspector/html_body.h"
#include "inspector/note_style.h"
#include "platform/file_names.h"
#include "platform/text.h"
#include "store/note_property.h"

namespace pinlet {
namespace {

constexpr const char* kTempFolder = "Temp\\";
constexpr const char* kInsertNote = "Insert Note";
// The name an attachment without a usable file name is saved under.
constexpr const char* kAttachmentFallback = "attachment";

std::string WithBackslash(std::string path) {
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
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

void CopyAttachmentsThrough(AddinContext& ctx, const ol::ItemPtr& from,
                            const ol::ItemPtr& to, const std::string& temp) {
  ol::AttachmentsPtr attachments = TryGet([&] { return Must(from).Attachments(); });
  int count = TryGet([&] { return Must(attachments).Count(); });
  if (count < 1) return;
  FileSystem& files = *ctx.platform.files;
  files.CreateFolder(temp);
  for (int i = 1; i <= count; ++i) {
    // Its own subfolder: a file left by a failed step is never taken for the
    // next attachment of the same name.
    std::string folder = temp + std::to_string(i) + "\\";
    files.CreateFolder(folder);
    IgnoreError([&] {
      ol::AttachmentPtr attachment = attachments->Item(i);
      std::string path =
          folder + SafeFileName(attachment->FileName(), kAttachmentFallback);
      attachment->SaveAsFile(path);
      IgnoreError([&] { Must(to).Attachments()->Add(path); });
      files.Remove(path);
    });
    files.RemoveFolder(folder);
  }
  files.RemoveFolder(temp);
}

ol::ItemPtr BuildNoteMail(AddinContext& ctx, const ol::ItemPtr& source,
                          const ol::ItemPtr& note) {
  ol::ItemPtr mail = Must(Must(ctx.name_space).GetDefaultFolder(ol::kFolderInbox))
                         .Items()
                         ->Add(ol::kMailItem);
  Must(mail);
  // The addressees of a Reply to All or a Forward are all kept.
  for (const char* member : {"To", "CC", "BCC"})
    IgnoreError([&] {
      std::string names = ToText(Must(source).Get(member));
      if (!names.empty()) mail->Put(member, Variant(names));
    });
  IgnoreError([&] { mail->SetSubject(Must(source).Subject()); });
  const std::string body_name = LoadResString(res::kZpnFullBody);
  std::string text;
  IgnoreError([&] {
    ol::UserPropertiesPtr props = Must(note).UserProperties();
    ol::UserPropertyPtr prop = props->Find(body_name);
    if (!prop) prop = props->Add(body_name, ol::kOlText, true);
    text = ToText(Must(prop).Value());
  });
  bool html_set = false;
  IgnoreError([&] {
    std::string html = NoteIntoHTML(ctx, note, ToText(Must(source).Get("HTMLBody")));
    if (html.empty()) return;
    mail->Put("HTMLBody", Variant(html));
    html_set = true;
  });
  // Writing Body on an HTML mail would replace its HTML: only a mail that
  // got no HTML gets the text this way.
  if (!html_set)
    IgnoreError([&] {
      mail->Put("Body", Variant(text + "\r\n" + ToText(Must(source).Get("Body"))));
    });
  std::string temp = WithBackslash(ctx.install_dir) + kTempFolder;
  CopyAttachmentsThrough(ctx, source, mail, temp);
  CopyAttachmentsThrough(ctx, note, mail, temp);
  return mail;
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
