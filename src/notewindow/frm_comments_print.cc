// The Print button: the note, and with the "PrintItem" option the mail it
// belongs to, written as an HTML page into the user's temporary folder and
// handed to the shell's "print" verb, so that the program registered for
// HTML prints it.
//
// The page holds mail content, so it does not stay behind: it must outlive
// the program that prints it, so it is kept while its window is open and
// deleted when the window closes (at the latest when Outlook shuts down and
// closes every note window). Pages that an earlier run could not delete are
// deleted at the next print. A page's name is reserved before it is
// written, and no empty file of the reservation stays behind.
//
// Reading the note and the mail ignores errors part by part: what cannot be
// read is left out and printing goes on.
#include "addin/error_report.h"
#include "addin/helper_libraries.h"
#include "addin/settings.h"
#include "notewindow/frm_comments.h"
#include "notewindow/print_page.h"
#include "platform/file_names.h"
#include "platform/text.h"

namespace pinlet {
namespace {

constexpr const char* kTag = "frmComments(Sub PrintNote)";
// GetTempFileName takes the first three characters of the prefix.
constexpr std::string_view kPagePrefix = "pnl";
constexpr std::string_view kPageExtension = "htm";
// How often a taken name is replaced by a new one before giving up.
constexpr int kNameTries = 8;
// Timer1 waits this long after handing the page to the shell.
constexpr int32_t kPrintWait = 5000;
// Timer2's single tick, after which the window may fold back.
constexpr int32_t kTimer2Interval = 1000;

std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool IsPageName(std::string_view name) {
  std::string lower = AsciiLower(std::string(name));
  return lower.starts_with(kPagePrefix) &&
         lower.ends_with("." + std::string(kPageExtension));
}

// The temporary-file namer: a new file "<temp>\pnlXXXX.<extension>" that
// nobody else holds, created empty; nullopt when none could be made.
// GetTempFileName reserves a ".tmp" name; the file is renamed to the
// extension without replacing anything, so the name written is the one
// reserved and the ".tmp" does not stay.
std::optional<std::string> GetTempFile(AddinContext& ctx, std::string_view extension) {
  Shell* shell = ctx.platform.shell;
  FileSystem* files = ctx.platform.files;
  if (!shell || !files) return std::nullopt;
  std::optional<std::string> folder = shell->TempPath();
  if (!folder) return std::nullopt;
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    std::optional<std::string> reserved = shell->TempFileName(*folder, kPagePrefix);
    if (!reserved) return std::nullopt;
    size_t cut = reserved->find_last_of('\\') + 1;
    std::string stem = AsciiLower(reserved->substr(cut));
    if (stem.ends_with(".tmp")) stem.resize(stem.size() - 4);
    std::string name = SafeFileName(stem + "." + std::string(extension), "pnl.htm");
    std::string path = reserved->substr(0, cut) + name;
    if (files->Rename(*reserved, path, /*replace_existing=*/false)) return path;
    // The name is taken (or the rename failed): give up this reservation.
    files->Remove(*reserved);
  }
  return std::nullopt;
}

// Writes the text file; false, with no file left, when it cannot be written.
bool WriteTextFile(AddinContext& ctx, const std::string& path, std::string_view text) {
  FileSystem* files = ctx.platform.files;
  if (files->WriteFile(path, text)) return true;
  files->Remove(path);
  return false;
}

// The recipients of one type as printed, or nullopt when they cannot be read.
std::optional<std::vector<std::string>> RecipientsOfType(const ol::RecipientsPtr& list,
                                                         int type) {
  if (!list) return std::nullopt;
  std::optional<int> count;
  IgnoreError([&] { count = list->Count(); });
  if (!count) return std::nullopt;
  std::vector<std::string> out;
  for (int i = 1; i <= *count; ++i) {
    IgnoreError([&] {
      ol::RecipientPtr recipient = list->Item(i);
      if (Must(recipient).Type() != type) return;
      out.push_back(recipient->Resolved() ? recipient->Address() : recipient->Name());
    });
  }
  return out;
}

// The mail's header and body, read part by part: the sender, recipients,
// on-behalf name and bodies through the helper library's wrapper, which
// Outlook's security prompt does not guard; the date and subject (and the
// plain body without the library) from the item.
PrintedMail ReadMail(AddinContext& ctx, const ol::ItemPtr& parent) {
  PrintedMail mail;
  std::shared_ptr<SafeMailItem> safe;
  bool missing = false;
  std::shared_ptr<SafeMailItem> made =
      TryCreate([&] { return Must(ctx.platform.objects).CreateSafeMailItem(); }, missing);
  if (missing)
    TellLibraryMissing(ctx, HelperLibrary::kRedemption, "frmComments(Sub PrintNote)");
  IgnoreError([&] {
    Must(made).SetItem(parent);
    safe = std::move(made);
  });
  if (safe) {
    IgnoreError([&] { mail.sender_name = safe->SenderName(); });
    IgnoreError([&] { mail.sent_on_behalf_of_name = safe->SentOnBehalfOfName(); });
  }
  IgnoreError([&] { mail.sent_on = ToDate(parent->Get("SentOn")); });
  if (safe) {
    ol::RecipientsPtr list = TryGet([&] { return safe->Recipients(); });
    mail.to = RecipientsOfType(list, ol::kOlTo);
    mail.cc = RecipientsOfType(list, ol::kOlCC);
  }
  IgnoreError([&] { mail.subject = parent->Subject(); });
  if (safe) IgnoreError([&] { mail.rtf_body = safe->RTFBody(); });
  // The plain body through the wrapper too: a parent that came through
  // Word's envelope is outside Outlook 2003's trust, which guards Body.
  if (mail.rtf_body.empty())
    IgnoreError([&] { mail.body = safe ? safe->Body() : ToText(parent->Get("Body")); });
  return mail;
}

}  // namespace

void frmComments::imgTextPrint_Click() {
  PrintNote();
  IgnoreError([&] {
    Timer2->SetInterval(kTimer2Interval);
    Timer2->SetEnabled(true);
  });
}

void frmComments::Timer2_Timer() {
  IgnoreError([&] { Timer2->SetEnabled(false); });
  m_blnCollapseArmed = true;
}

void frmComments::PrintNote() {
  PrintedNote note;
  note.caption = TryGet([&] { return form_->Caption(); });
  Registry& registry = ctx_.registry();
  if (ReadCheck(registry, kNoteKey, "PrintDate") && ctx_.platform.clock)
    IgnoreError([&] { note.printed_on = ctx_.platform.clock->Now(); });
  note.font_name = model_.font.name;
  note.font_size = ToText(Variant(model_.font.size));
  note.text_colour = model_.fore_colour;
  note.text = TryGet([&] { return Text->Text(); });
  if (objParentItem && ReadCheck(registry, kNoteKey, "PrintItem") &&
      TryGet([&] { return objParentItem->Class(); }) == ol::kMail)
    note.mail = ReadMail(ctx_, objParentItem);
  std::string document = BuildPrintPage(note);

  if (!ctx_.platform.files || !ctx_.platform.shell) return;
  DeleteStalePages();
  std::optional<std::string> path = GetTempFile(ctx_, kPageExtension);
  // Without a page there is nothing to print.
  if (!path || !WriteTextFile(ctx_, *path, document)) return;
  printed_pages_.push_back(*path);

  if (blnOnTop) {
    // The printing program's windows may come to the front; the note goes
    // back on top once the user returns to it (Timer1).
    m_blnOnTopPending = true;
    MakeNormal();
  }
  IgnoreError([&] { Timer1->SetEnabled(false); });
  timer1_running_ = false;
  int64_t result =
      ctx_.platform.shell->Execute(0, "print", *path, "", "", se::kShowNormal);
  IgnoreError([&] {
    Timer1->SetInterval(kPrintWait);
    m_blnPrintWait = true;
    Timer1->SetEnabled(true);
    timer1_running_ = true;
  });
  if (result > 32) return;
  // Nothing will read the page: it goes at once, and the failure is logged.
  ReportError(ctx_, kTag, 0, static_cast<int32_t>(result),
              "The note could not be handed to the program that prints HTML pages.");
  if (ctx_.platform.files->Remove(*path)) printed_pages_.pop_back();
}

void frmComments::DeletePrintedPages() {
  if (!ctx_.platform.files) return;
  std::vector<std::string> kept;
  for (const std::string& path : printed_pages_)
    if (!ctx_.platform.files->Remove(path) && ctx_.platform.files->FileExists(path))
      kept.push_back(path);
  // A page that could not be deleted now goes at a later print.
  printed_pages_ = std::move(kept);
}

void frmComments::DeleteStalePages() {
  std::optional<std::string> folder = ctx_.platform.shell->TempPath();
  if (!folder) return;
  std::optional<std::vector<FileEntry>> entries = ctx_.platform.files->List(*folder);
  if (!entries) return;
  // The pages of the windows still open are being printed or may be.
  std::vector<const frmComments*> windows = {this};
  if (ctx_.note_windows)
    for (const auto& window : *ctx_.note_windows)
      if (auto note = dynamic_cast<const frmComments*>(window.get()))
        windows.push_back(note);
  auto held = [&](std::string_view path) {
    for (const frmComments* window : windows)
      for (const std::string& page : window->printed_pages_)
        if (EqualsIgnoringCase(page, path)) return true;
    return false;
  };
  for (const FileEntry& entry : *entries) {
    if (entry.folder || !IsPageName(entry.name)) continue;
    std::string path = *folder + entry.name;
    if (held(path)) continue;
    // Only a page the add-in wrote: another program's file stays.
    std::optional<std::string> content = ctx_.platform.files->ReadFile(path);
    if (content && content->starts_with(kPrintPageStart))
      ctx_.platform.files->Remove(path);
  }
}

}  // namespace pinlet
