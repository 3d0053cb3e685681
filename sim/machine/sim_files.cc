#include "sim/machine/sim_files.h"

#include <algorithm>

#include "sim/machine/fault_injector.h"

namespace pinlet::sim {

struct SimFileSystem::Node {
  std::string name;
  bool folder = false;
  std::string data;
  std::map<std::string, std::unique_ptr<Node>> children;  // folded name -> entry

  Node* Child(std::string_view child) const {
    auto it = children.find(FoldName(child));
    return it == children.end() ? nullptr : it->second.get();
  }
  std::unique_ptr<Node> Clone() const {
    auto copy = std::make_unique<Node>();
    copy->name = name;
    copy->folder = folder;
    copy->data = data;
    for (auto& [key, child] : children) copy->children[key] = child->Clone();
    return copy;
  }
};

SimFileSystem::SimFileSystem(FaultInjector* faults) : faults_(faults) {
  auto root = std::make_unique<Node>();
  root->name = "C:";
  root->folder = true;
  drives_['C'] = std::move(root);
}

SimFileSystem::~SimFileSystem() = default;

SimFileSystem::Node* SimFileSystem::Find(const WinPath& path) const {
  auto drive = drives_.find(path.drive);
  if (drive == drives_.end()) return nullptr;
  Node* node = drive->second.get();
  for (const std::string& name : path.names) {
    if (!node->folder) return nullptr;
    node = node->Child(name);
    if (!node) return nullptr;
  }
  if (path.folder_only && !node->folder) return nullptr;
  return node;
}

SimFileSystem::Node* SimFileSystem::ParentFolder(const WinPath& path,
                                                 FsError& error) const {
  if (path.is_root()) {
    error = FsError::kExists;
    return nullptr;
  }
  Node* parent = Find(path.Parent());
  if (!parent || !parent->folder) {
    error = FsError::kPathNotFound;
    return nullptr;
  }
  error = FsError::kNone;
  return parent;
}

FsError SimFileSystem::Write(const WinPath& path, std::string_view content, bool append,
                             bool make_folders) {
  if (make_folders) {
    FsError made = MakeFolders(path.Parent().ToString());
    if (made != FsError::kNone) return made;
  }
  if (path.folder_only) return FsError::kIsFolder;
  FsError error;
  Node* parent = ParentFolder(path, error);
  if (!parent) return error == FsError::kExists ? FsError::kIsFolder : error;
  Node* node = parent->Child(path.names.back());
  if (node && node->folder) return FsError::kIsFolder;
  if (!node) {
    auto created = std::make_unique<Node>();
    created->name = path.names.back();
    node = created.get();
    parent->children[FoldName(created->name)] = std::move(created);
  }
  if (append)
    node->data.append(content);
  else
    node->data.assign(content);
  return FsError::kNone;
}

// --- The add-in's calls ---

std::optional<std::string> SimFileSystem::ReadFile(std::string_view path) {
  if (faults_->Fails("ReadFile")) return std::nullopt;
  return Peek(path);
}

bool SimFileSystem::WriteFile(std::string_view path, std::string_view content) {
  if (faults_->Fails("WriteFile")) return false;
  return Put(path, content) == FsError::kNone;
}

bool SimFileSystem::AppendFile(std::string_view path, std::string_view content) {
  if (faults_->Fails("WriteFile")) return false;
  return Put(path, content, true) == FsError::kNone;
}

bool SimFileSystem::FileExists(std::string_view path) {
  if (faults_->Fails("FileExists")) return false;
  return IsFile(path);
}

bool SimFileSystem::FolderExists(std::string_view path) {
  if (faults_->Fails("GetFileAttributes")) return false;
  return IsFolder(path);
}

bool SimFileSystem::Remove(std::string_view path) {
  if (faults_->Fails("DeleteFile")) return false;
  if (!IsFile(path)) return false;
  return DeleteEntry(path, false) == FsError::kNone;
}

bool SimFileSystem::Copy(std::string_view from, std::string_view to,
                         bool replace_existing) {
  if (faults_->Fails("CopyFile")) return false;
  if (!IsFile(from)) return false;
  return CopyEntry(from, to, replace_existing) == FsError::kNone;
}

bool SimFileSystem::Rename(std::string_view from, std::string_view to,
                           bool replace_existing) {
  if (faults_->Fails("MoveFileEx")) return false;
  return MoveEntry(from, to, replace_existing) == FsError::kNone;
}

std::optional<std::vector<FileEntry>> SimFileSystem::List(std::string_view folder) {
  if (faults_->Fails("FindFirstFile")) return std::nullopt;
  return Entries(folder);
}

std::optional<uint64_t> SimFileSystem::Size(std::string_view path) {
  if (faults_->Fails("GetFileSize")) return std::nullopt;
  auto content = Peek(path);
  if (!content) return std::nullopt;
  return content->size();
}

bool SimFileSystem::CreateFolder(std::string_view path) {
  if (faults_->Fails("CreateDirectory")) return false;
  if (host_) return host_->CreateFolder(path);
  auto parsed = ParseWinPath(path);
  if (!parsed) return false;
  FsError error;
  Node* parent = ParentFolder(*parsed, error);
  if (!parent || parent->Child(parsed->names.back())) return false;
  return MakeFolders(path) == FsError::kNone;
}

bool SimFileSystem::RemoveFolder(std::string_view path) {
  if (faults_->Fails("RemoveDirectory")) return false;
  if (!IsFolder(path)) return false;
  return DeleteEntry(path, false) == FsError::kNone;
}

// --- The machine's own access ---

std::optional<std::string> SimFileSystem::Peek(std::string_view path) const {
  if (host_) return HostPeek(path);
  auto parsed = ParseWinPath(path);
  if (!parsed) return std::nullopt;
  const Node* node = Find(*parsed);
  if (!node || node->folder) return std::nullopt;
  return node->data;
}

FsError SimFileSystem::Store(std::string_view path, std::string_view content) {
  if (host_) return HostWrite(path, content, false, true);
  auto parsed = ParseWinPath(path);
  if (!parsed) return FsError::kInvalidPath;
  return Write(*parsed, content, false, true);
}

FsError SimFileSystem::Append(std::string_view path, std::string_view content) {
  if (host_) return HostWrite(path, content, true, true);
  auto parsed = ParseWinPath(path);
  if (!parsed) return FsError::kInvalidPath;
  return Write(*parsed, content, true, true);
}

FsError SimFileSystem::Put(std::string_view path, std::string_view content, bool append) {
  if (host_) return HostWrite(path, content, append, false);
  auto parsed = ParseWinPath(path);
  if (!parsed) return FsError::kInvalidPath;
  return Write(*parsed, content, append, false);
}

FsError SimFileSystem::MakeFolders(std::string_view path) {
  if (host_) return HostMakeFolders(path);
  auto parsed = ParseWinPath(path);
  if (!parsed) return FsError::kInvalidPath;
  auto drive = drives_.find(parsed->drive);
  if (drive == drives_.end()) return FsError::kPathNotFound;
  Node* node = drive->second.get();
  for (const std::string& name : parsed->names) {
    Node* child = node->Child(name);
    if (!child) {
      auto created = std::make_unique<Node>();
      created->name = name;
      created->folder = true;
      child = created.get();
      node->children[FoldName(name)] = std::move(created);
    } else if (!child->folder) {
      return FsError::kPathNotFound;
    }
    node = child;
  }
  return FsError::kNone;
}

bool SimFileSystem::IsFile(std::string_view path) const {
  if (host_) return host_->FileExists(path);
  auto parsed = ParseWinPath(path);
  const Node* node = parsed ? Find(*parsed) : nullptr;
  return node && !node->folder;
}

bool SimFileSystem::IsFolder(std::string_view path) const {
  if (host_) return host_->FolderExists(path);
  auto parsed = ParseWinPath(path);
  const Node* node = parsed ? Find(*parsed) : nullptr;
  return node && node->folder;
}

std::optional<std::vector<FileEntry>> SimFileSystem::Entries(
    std::string_view folder) const {
  if (host_) return HostEntries(folder);
  auto parsed = ParseWinPath(folder);
  const Node* node = parsed ? Find(*parsed) : nullptr;
  if (!node || !node->folder) return std::nullopt;
  std::vector<FileEntry> out;
  for (auto& [key, child] : node->children)  // ordered by folded name
    out.push_back({child->name, child->folder, child->folder ? 0 : child->data.size()});
  return out;
}

void SimFileSystem::Collect(const Node& node, const std::string& path, bool files,
                            std::vector<std::string>& out) const {
  if (node.folder != files) out.push_back(path);
  for (auto& [key, child] : node.children) {
    std::string below =
        path.back() == '\\' ? path + child->name : path + "\\" + child->name;
    Collect(*child, below, files, out);
  }
}

std::vector<std::string> SimFileSystem::Files(std::string_view folder) const {
  std::vector<std::string> out;
  std::string top = folder.empty() ? "C:\\" : Spelling(folder);
  if (top.empty()) return out;
  if (host_) {
    HostCollect(top, IsFolder(top), true, out);
    return out;
  }
  Collect(*Find(*ParseWinPath(top)), top, true, out);
  return out;
}

std::vector<std::string> SimFileSystem::Folders(std::string_view folder) const {
  std::vector<std::string> out;
  std::string top = folder.empty() ? "C:\\" : Spelling(folder);
  if (top.empty()) return out;
  if (host_) {
    HostCollect(top, IsFolder(top), false, out);
    return out;
  }
  Collect(*Find(*ParseWinPath(top)), top, false, out);
  return out;
}

std::string SimFileSystem::Spelling(std::string_view path) const {
  if (host_) return HostSpelling(path);
  auto parsed = ParseWinPath(path);
  if (!parsed) return "";
  auto drive = drives_.find(parsed->drive);
  if (drive == drives_.end()) return "";
  WinPath spelled;
  spelled.drive = parsed->drive;
  const Node* node = drive->second.get();
  for (const std::string& name : parsed->names) {
    node = node->folder ? node->Child(name) : nullptr;
    if (!node) return "";
    spelled.names.push_back(node->name);
  }
  return spelled.ToString();
}

FsError SimFileSystem::CopyEntry(std::string_view from, std::string_view to,
                                 bool replace) {
  if (host_) return HostCopy(from, to, replace);
  auto source = ParseWinPath(from);
  auto target = ParseWinPath(to);
  if (!source || !target) return FsError::kInvalidPath;
  const Node* node = Find(*source);
  if (!node) return FsError::kNotFound;
  if (FoldName(source->ToString()) == FoldName(target->ToString()))
    return FsError::kSameFile;
  if (node->folder && source->Contains(*target)) return FsError::kIntoItself;
  FsError error;
  Node* parent = ParentFolder(*target, error);
  if (!parent) return error;
  Node* existing = parent->Child(target->names.back());
  if (existing && (existing->folder || node->folder || !replace)) return FsError::kExists;
  auto copy = node->Clone();
  copy->name = target->names.back();
  parent->children[FoldName(copy->name)] = std::move(copy);
  return FsError::kNone;
}

FsError SimFileSystem::MoveEntry(std::string_view from, std::string_view to,
                                 bool replace) {
  if (host_) return HostMove(from, to, replace);
  auto source = ParseWinPath(from);
  auto target = ParseWinPath(to);
  if (!source || !target) return FsError::kInvalidPath;
  if (source->is_root()) return FsError::kInvalidPath;
  Node* node = Find(*source);
  if (!node) return FsError::kNotFound;
  bool same = FoldName(source->ToString()) == FoldName(target->ToString());
  if (same) {  // only the spelling changes
    node->name = target->names.back();
    return FsError::kNone;
  }
  if (node->folder && source->Contains(*target)) return FsError::kIntoItself;
  FsError error;
  Node* parent = ParentFolder(*target, error);
  if (!parent) return error;
  Node* existing = parent->Child(target->names.back());
  if (existing && (existing->folder || node->folder || !replace)) return FsError::kExists;
  Node* old_parent = Find(source->Parent());
  auto moved = std::move(old_parent->children[FoldName(source->names.back())]);
  old_parent->children.erase(FoldName(source->names.back()));
  moved->name = target->names.back();
  parent->children[FoldName(moved->name)] = std::move(moved);
  return FsError::kNone;
}

FsError SimFileSystem::DeleteEntry(std::string_view path, bool with_contents) {
  if (host_) return HostDelete(path, with_contents);
  auto parsed = ParseWinPath(path);
  if (!parsed) return FsError::kInvalidPath;
  if (parsed->is_root()) return FsError::kInvalidPath;
  Node* node = Find(*parsed);
  if (!node) return FsError::kNotFound;
  if (node->folder && !node->children.empty() && !with_contents)
    return FsError::kNotEmpty;
  Find(parsed->Parent())->children.erase(FoldName(parsed->names.back()));
  return FsError::kNone;
}

}  // namespace pinlet::sim
