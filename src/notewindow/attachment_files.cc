// Refused file names, safe attachment file names and opening attachments.
#include "notewindow/attachment_files.h"

#include <cctype>
#include <optional>
#include <vector>

#include "addin/error_report.h"
#include "notewindow/frm_comments.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/text.h"

namespace pinlet {
namespace {

constexpr std::string_view kPatterns[] = {
    ".ade$",      ".adp$", ".app$", ".asp$", ".bas$", ".bat$", ".cer$", ".chm$", ".cmd$",
    ".com$",      ".cpl$", ".crt$", ".csh$", ".exe$", ".fxp$", ".hlp$", ".hta$", ".inf$",
    ".ins$",      ".isp$", ".its$", ".js$",  ".jse$", ".ksh$", ".lnk$", ".mad$", ".maf$",
    ".mag$",      ".mam$", ".maq$", ".mar$", ".mas$", ".mat$", ".mau$", ".mav$", ".maw$",
    ".mda$",      ".mdb$", ".mde$", ".mdt$", ".mdw$", ".mdz$", ".msc$", ".msi$", ".msp$",
    ".mst$",      ".ops$", ".pcd$", ".pif$", ".prf$", ".prg$", ".pst$", ".reg$", ".scf$",
    ".scr$",      ".sct$", ".shb$", ".shs$", ".tmp$", ".url$", ".vb$",  ".vbe$", ".vbs$",
    ".vsmacros$", ".vss$", ".vst$", ".vsw$", ".ws$",  ".wsc$", ".wsf$", ".wsh$"};
static_assert(std::size(kPatterns) == 71);

constexpr std::string_view kDefaultName = "attachment";
// The folder of Pinlet's own, in the user's temporary folder, that holds
// the copies of opened attachments.
constexpr const char* kCopyFolder = "Pinlet Attachments";
// How many names a copy may try in the temporary folder: its own, then
// with " (2)" up to this number.
constexpr int kCopyNameTries = 999;

std::string WithoutTrailingDotsAndBlanks(std::string_view name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' '))
    name.remove_suffix(1);
  return std::string(name);
}

// What the regular expression ".ext$" answers, without the object: one
// character other than a line feed, then the ending, at the end of the text.
bool EndsLike(std::string_view pattern, std::string_view text) {
  std::string_view ending = pattern.substr(1, pattern.size() - 2);
  if (text.size() < ending.size() + 1) return false;
  std::string_view tail = text.substr(text.size() - ending.size());
  for (size_t i = 0; i < ending.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i]) return false;
  return text[text.size() - ending.size() - 1] != '\n';
}

// The name of the `n`-th copy of an attachment called `file_name`, for a
// folder that leaves `room` characters: the plain name for the first,
// " (n)" before the extension for the others. "" when the room is too
// small for the number.
std::string CopyName(std::string_view file_name, size_t room, int n) {
  if (n == 1) return AttachmentFileName(file_name, room);
  std::string number = " (" + std::to_string(n) + ")";
  if (room <= number.size()) return "";
  std::string name = AttachmentFileName(file_name, room - number.size());
  size_t dot = name.find_last_of('.');
  if (dot == 0 || dot == std::string::npos) dot = name.size();
  return name.insert(dot, number);
}

// The path of a new copy of the attachment in `folder` (ending in "\\"): a
// name that nothing there has yet, within kMaxPathLength. A file that does
// not answer whether it exists does not count as missing: the folder's
// listing must not hold the name either. nullopt when there is no such name.
std::optional<std::string> NewCopyPath(FileSystem& files, const std::string& folder,
                                       std::string_view file_name) {
  size_t folder_length = Utf8ToUtf16(folder).size();
  if (folder_length >= kMaxPathLength) return std::nullopt;
  std::optional<std::vector<FileEntry>> entries = files.List(folder);
  if (!entries) return std::nullopt;
  auto listed = [&](std::string_view name) {
    for (const FileEntry& entry : *entries)
      if (EqualsIgnoringCase(entry.name, name)) return true;
    return false;
  };
  size_t room = kMaxPathLength - folder_length;
  for (int n = 1; n <= kCopyNameTries; ++n) {
    std::string name = CopyName(file_name, room, n);
    if (name.empty()) return std::nullopt;
    if (!listed(name) && !files.FileExists(folder + name)) return folder + name;
  }
  return std::nullopt;
}

// The path of AttachmentCopyFolder, without the final "\\"; nullopt when
// the temporary folder cannot be had.
std::optional<std::string> CopyFolderPath(AddinContext& ctx) {
  if (!ctx.platform.shell || !ctx.platform.files) return std::nullopt;
  std::optional<std::string> temp = ctx.platform.shell->TempPath();
  if (!temp || temp->empty()) return std::nullopt;
  if (temp->back() != '\\') *temp += '\\';
  return *temp + kCopyFolder;
}

}  // namespace

std::span<const std::string_view> BlockedPatterns() { return kPatterns; }

bool BlockFile(AddinContext& ctx, std::string_view name) {
  const std::string names[] = {std::string(name), WithoutTrailingDotsAndBlanks(name)};
  std::optional<bool> answer;
  RunGuardedSub(ctx, "basMainProc(Function BlockFile)", [&](Proc&) {
    RegExpPtr regexp = Must(ctx.platform.objects).CreateRegExp();
    Must(regexp).SetIgnoreCase(true);
    regexp->SetGlobal(true);
    for (std::string_view pattern : kPatterns) {
      regexp->SetPattern(pattern);
      for (const std::string& text : names)
        if (regexp->Test(text)) return void(answer = true);
    }
    answer = false;
  });
  if (answer) return *answer;
  for (std::string_view pattern : kPatterns)
    for (const std::string& text : names)
      if (EndsLike(pattern, text)) return true;
  return false;
}

std::string AttachmentFileName(std::string_view file_name, size_t max_length) {
  return SafeFileName(frmComments::GetName(file_name), kDefaultName, max_length);
}

bool AttachmentBlocked(AddinContext& ctx, const ol::AttachmentPtr& attachment) {
  std::string file_name = Must(attachment).FileName();
  if (BlockFile(ctx, file_name) || BlockFile(ctx, AttachmentFileName(file_name)))
    return true;
  std::string path = attachment->PathName();
  return !path.empty() && BlockFile(ctx, frmComments::GetName(path));
}

int64_t AttachmentOpen(AddinContext& ctx, const ol::AttachmentPtr& attachment,
                       std::vector<std::string>* copies) {
  int64_t result = se::kPathNotFound;
  RunGuardedSub(ctx, "basMainProc(Sub AttachmentOpen)", [&](Proc&) {
    if (AttachmentBlocked(ctx, attachment)) return void(result = se::kAccessDenied);
    Shell& shell = Must(ctx.platform.shell);
    std::string path = attachment->PathName();
    if (!path.empty()) {
      size_t slash = path.find_last_of("\\/");
      std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
      result = shell.Execute(0, "open", path, "", folder, se::kShowNormal);
      return;
    }
    std::optional<std::string> folder = AttachmentCopyFolder(ctx);
    if (!folder) return;
    // Every opening writes a copy of its own: a copy made before may still
    // be open in its program, or belong to another attachment whose name
    // differs only in case, or not at all.
    std::optional<std::string> copy =
        NewCopyPath(Must(ctx.platform.files), *folder, attachment->FileName());
    if (!copy) return;
    // Remembered before it is written: a failed write may leave part of it.
    if (copies) copies->push_back(*copy);
    attachment->SaveAsFile(*copy);
    result = shell.Execute(0, "open", *copy, "", *folder, se::kShowNormal);
  });
  return result;
}

std::optional<std::string> AttachmentCopyFolder(AddinContext& ctx) {
  std::optional<std::string> folder = CopyFolderPath(ctx);
  if (!folder) return std::nullopt;
  FileSystem& files = *ctx.platform.files;
  if (!files.FolderExists(*folder) && !files.CreateFolder(*folder)) return std::nullopt;
  return *folder + "\\";
}

void DeleteAttachmentCopies(AddinContext& ctx, std::vector<std::string>& copies) {
  if (ctx.platform.files)
    for (const std::string& path : copies) ctx.platform.files->Remove(path);
  copies.clear();
}

void DeleteStaleAttachmentCopies(AddinContext& ctx) {
  std::optional<std::string> folder = CopyFolderPath(ctx);
  if (!folder) return;
  FileSystem& files = *ctx.platform.files;
  std::optional<std::vector<FileEntry>> entries = files.List(*folder);
  if (!entries) return;
  for (const FileEntry& entry : *entries)
    if (!entry.folder) files.Remove(*folder + "\\" + entry.name);
  files.RemoveFolder(*folder);
}

}  // namespace pinlet
