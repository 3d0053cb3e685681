// The simulated machine's own access to files when they are a host's (see
// SimFileSystem::UseHostFiles): the same node-level members, built on the
// calls of platform/files.h, with the answers the tree in memory gives.
#include "sim/machine/sim_files.h"

namespace pinlet::sim {

std::optional<std::string> SimFileSystem::HostPeek(std::string_view path) const {
  return host_->ReadFile(path);
}

FsError SimFileSystem::HostWrite(std::string_view path, std::string_view content,
                                 bool append, bool make_folders) {
  auto parsed = ParseWinPath(path);
  if (!parsed) return FsError::kInvalidPath;
  if (parsed->folder_only || parsed->is_root() || host_->FolderExists(path))
    return FsError::kIsFolder;
  std::string folder = parsed->Parent().ToString();
  if (make_folders) {
    FsError made = HostMakeFolders(folder);
    if (made != FsError::kNone) return made;
  }
  if (!host_->FolderExists(folder)) return FsError::kPathNotFound;
  bool written =
      append ? host_->AppendFile(path, content) : host_->WriteFile(path, content);
  return written ? FsError::kNone : FsError::kInvalidPath;
}

FsError SimFileSystem::HostMakeFolders(std::string_view path) {
  auto parsed = ParseWinPath(path);
  if (!parsed) return FsError::kInvalidPath;
  WinPath walked;
  walked.drive = parsed->drive;
  if (!host_->FolderExists(walked.ToString())) return FsError::kPathNotFound;
  for (const std::string& name : parsed->names) {
    walked = walked.Child(name);
    std::string step = walked.ToString();
    if (host_->FolderExists(step)) continue;
    if (host_->FileExists(step) || !host_->CreateFolder(step))
      return FsError::kPathNotFound;
  }
  return FsError::kNone;
}

std::optional<std::vector<FileEntry>> SimFileSystem::HostEntries(
    std::string_view folder) const {
  return host_->List(folder);
}

void SimFileSystem::HostCollect(const std::string& path, bool folder, bool files,
                                std::vector<std::string>& out) const {
  if (folder != files) out.push_back(path);
  if (!folder) return;
  std::optional<std::vector<FileEntry>> entries = host_->List(path);
  if (!entries) return;
  for (const FileEntry& entry : *entries) {
    std::string below =
        path.back() == '\\' ? path + entry.name : path + "\\" + entry.name;
    HostCollect(below, entry.folder, files, out);
  }
}

std::string SimFileSystem::HostSpelling(std::string_view path) const {
  auto parsed = ParseWinPath(path);
  if (!parsed) return "";
  WinPath spelled;
  spelled.drive = parsed->drive;
  if (!host_->FolderExists(spelled.ToString())) return "";
  for (const std::string& name : parsed->names) {
    std::optional<std::vector<FileEntry>> entries = host_->List(spelled.ToString());
    if (!entries) return "";
    const FileEntry* found = nullptr;
    for (const FileEntry& entry : *entries)
      if (FoldName(entry.name) == FoldName(name)) found = &entry;
    if (!found) return "";
    spelled = spelled.Child(found->name);
  }
  return spelled.ToString();
}

FsError SimFileSystem::HostCopy(std::string_view from, std::string_view to,
                                bool replace) {
  auto source = ParseWinPath(from);
  auto target = ParseWinPath(to);
  if (!source || !target) return FsError::kInvalidPath;
  bool folder = host_->FolderExists(from);
  if (!folder && !host_->FileExists(from)) return FsError::kNotFound;
  if (FoldName(source->ToString()) == FoldName(target->ToString()))
    return FsError::kSameFile;
  if (folder && source->Contains(*target)) return FsError::kIntoItself;
  if (target->is_root() || !host_->FolderExists(target->Parent().ToString()))
    return FsError::kPathNotFound;
  bool exists = host_->FileExists(to) || host_->FolderExists(to);
  if (exists && (folder || host_->FolderExists(to) || !replace)) return FsError::kExists;
  if (!folder) return host_->Copy(from, to, replace) ? FsError::kNone : FsError::kExists;
  if (!host_->CreateFolder(to)) return FsError::kExists;
  std::optional<std::vector<FileEntry>> entries = host_->List(from);
  for (const FileEntry& entry : entries ? *entries : std::vector<FileEntry>{}) {
    FsError copied = HostCopy(source->Child(entry.name).ToString(),
                              target->Child(entry.name).ToString(), false);
    if (copied != FsError::kNone) return copied;
  }
  return FsError::kNone;
}

FsError SimFileSystem::HostMove(std::string_view from, std::string_view to,
                                bool replace) {
  auto source = ParseWinPath(from);
  auto target = ParseWinPath(to);
  if (!source || !target || source->is_root()) return FsError::kInvalidPath;
  bool folder = host_->FolderExists(from);
  if (!folder && !host_->FileExists(from)) return FsError::kNotFound;
  bool same = FoldName(source->ToString()) == FoldName(target->ToString());
  if (!same) {
    if (folder && source->Contains(*target)) return FsError::kIntoItself;
    if (target->is_root() || !host_->FolderExists(target->Parent().ToString()))
      return FsError::kPathNotFound;
    bool exists = host_->FileExists(to) || host_->FolderExists(to);
    if (exists && (folder || host_->FolderExists(to) || !replace))
      return FsError::kExists;
  }
  return host_->Rename(from, to, replace && !same) ? FsError::kNone : FsError::kExists;
}

FsError SimFileSystem::HostDelete(std::string_view path, bool with_contents) {
  auto parsed = ParseWinPath(path);
  if (!parsed || parsed->is_root()) return FsError::kInvalidPath;
  if (host_->FileExists(path))
    return host_->Remove(path) ? FsError::kNone : FsError::kExists;
  if (!host_->FolderExists(path)) return FsError::kNotFound;
  std::optional<std::vector<FileEntry>> entries = host_->List(path);
  if (entries && !entries->empty()) {
    if (!with_contents) return FsError::kNotEmpty;
    for (const FileEntry& entry : *entries) {
      FsError deleted = HostDelete(parsed->Child(entry.name).ToString(), true);
      if (deleted != FsError::kNone) return deleted;
    }
  }
  return host_->RemoveFolder(path) ? FsError::kNone : FsError::kNotEmpty;
}

}  // namespace pinlet::sim
