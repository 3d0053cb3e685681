#include "inspector/attachment_copy.h"

#include "platform/file_names.h"
#include "platform/host_error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace pinlet {
namespace {

// The name an attachment without a usable file name is saved under.
constexpr const char* kAttachmentFallback = "attachment";
// How many numbered folders are tried before giving up: more than a few
// are there only when something keeps them, and trying on does not help.
constexpr int kFreshFolderTries = 100;

// Saves attachment `index` of `attachments` into `folder` (ours, empty) and
// adds the file to `to`; true when it was added. The file is deleted again.
bool CopyOne(FileSystem& files, const ol::AttachmentsPtr& attachments, int index,
             const std::string& folder, const ol::ItemPtr& to) {
  size_t used = Utf8ToUtf16(folder).size();
  if (used >= kMaxPathLength) return false;
  bool added = false;
  std::string path;
  IgnoreError([&] {
    ol::AttachmentPtr attachment = Must(attachments).Item(index);
    path = folder + SafeFileName(Must(attachment).FileName(), kAttachmentFallback,
                                 kMaxPathLength - used);
    attachment->SaveAsFile(path);
    Must(to).Attachments()->Add(path);
    added = true;
  });
  if (!path.empty()) files.Remove(path);
  return added;
}

}  // namespace

std::optional<std::string> CreateFreshFolder(FileSystem& files,
                                             const std::string& parent) {
  if (!files.FolderExists(parent) && !files.CreateFolder(parent)) return std::nullopt;
  for (int n = 1; n <= kFreshFolderTries; ++n) {
    std::string folder = parent + std::to_string(n) + "\\";
    if (files.CreateFolder(folder)) return folder;
  }
  return std::nullopt;
}

bool CopyAttachmentsThrough(AddinContext& ctx, const ol::ItemPtr& from,
                            const ol::ItemPtr& to, const std::string& temp) {
  ol::AttachmentsPtr attachments;
  int count = 0;
  if (!IgnoreError([&] {
        attachments = Must(from).Attachments();
        count = Must(attachments).Count();
      }))
    return false;
  if (count < 1) return true;
  FileSystem& files = *ctx.platform.files;
  bool all = true;
  for (int i = 1; i <= count; ++i) {
    std::optional<std::string> folder = CreateFreshFolder(files, temp);
    if (!folder) {
      all = false;
      continue;
    }
    if (!CopyOne(files, attachments, i, *folder, to)) all = false;
    files.RemoveFolder(*folder);
  }
  files.RemoveFolder(temp);
  return all;
}

}  // namespace pinlet
