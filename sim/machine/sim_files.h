// The simulated machine's files: a private folder tree in memory, never the
// user's real folders, with the rules of platform/files.h (paths compared
// without case, a write into a missing folder fails, a folder is not a file).
//
// The members of FileSystem are calls of the add-in's: each passes the fault
// injector once under its Windows name ("WriteFile", "MoveFileEx", ...) and
// a failing call answers failure, never raises. The node-level members below
// them are the machine's own work (the installer, the support library's log,
// an attachment saved by Outlook, the shell's file operations, the pinlet
// command): neither counted nor failed.
//
// Given a host's file system (UseHostFiles), the machine's files are that
// host's instead of the tree in memory: every member then works on the real
// files, so that an add-in running beside the simulated host with the real
// machine's files (the COM add-in in its test host) and the simulated host see
// the same files.
#ifndef PINLET_SIM_MACHINE_SIM_FILES_H_
#define PINLET_SIM_MACHINE_SIM_FILES_H_

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/win_paths.h"

namespace pinlet::sim {

class FaultInjector;

// Why a node-level operation failed.
enum class FsError {
  kNone,
  kInvalidPath,   // the text names no file (see files.h)
  kNotFound,      // nothing of that name
  kPathNotFound,  // a folder on the way is missing (or is a file)
  kExists,        // something of the target's name is in the way
  kSameFile,      // source and target are one
  kIntoItself,    // a folder cannot go below itself
  kNotEmpty,      // a folder that still holds something
  kIsFolder,      // a file was wanted
  kIsFile,        // a folder was wanted
};

class SimFileSystem : public FileSystem {
 public:
  explicit SimFileSystem(FaultInjector* faults);
  ~SimFileSystem() override;

  std::optional<std::string> ReadFile(std::string_view path) override;
  bool WriteFile(std::string_view path, std::string_view content) override;
  bool AppendFile(std::string_view path, std::string_view content) override;
  bool FileExists(std::string_view path) override;
  bool FolderExists(std::string_view path) override;
  bool Remove(std::string_view path) override;
  bool Copy(std::string_view from, std::string_view to, bool replace_existing) override;
  bool Rename(std::string_view from, std::string_view to, bool replace_existing) override;
  std::optional<std::vector<FileEntry>> List(std::string_view folder) override;
  std::optional<uint64_t> Size(std::string_view path) override;
  bool CreateFolder(std::string_view path) override;
  bool RemoveFolder(std::string_view path) override;

  // Makes `host` (which must outlive this) hold the machine's files from now
  // on; what the tree in memory held is no longer seen.
  void UseHostFiles(FileSystem* host) { host_ = host; }
  bool uses_host_files() const { return host_ != nullptr; }

  // --- The machine's own access: not calls of the add-in's. ---

  // A file's content; nullopt when the path names no file.
  std::optional<std::string> Peek(std::string_view path) const;
  // Writes (or appends to) a file, creating the folders on its way.
  FsError Store(std::string_view path, std::string_view content);
  FsError Append(std::string_view path, std::string_view content);
  // Writes a file whose folder must exist, as a program does.
  FsError Put(std::string_view path, std::string_view content, bool append = false);
  // Removes a file; false when the path names no file.
  bool RemoveFile(std::string_view path) {
    return IsFile(path) && DeleteEntry(path, false) == FsError::kNone;
  }
  // Creates a folder and those on its way; kNone when it exists already.
  FsError MakeFolders(std::string_view path);
  bool IsFile(std::string_view path) const;
  bool IsFolder(std::string_view path) const;
  // The entries of a folder as List gives them; nullopt when it is no folder.
  std::optional<std::vector<FileEntry>> Entries(std::string_view folder) const;
  // Every file at or below `folder` ("" for the whole machine), as full
  // paths in their stored spelling, sorted.
  std::vector<std::string> Files(std::string_view folder = "") const;
  // Every folder at or below `folder`, likewise.
  std::vector<std::string> Folders(std::string_view folder = "") const;
  // The path in its stored spelling, as far as it exists ("c:\temp" gives
  // "C:\Temp"); "" when it names nothing.
  std::string Spelling(std::string_view path) const;

  // The operations the shell's file operations are made of. A folder is
  // copied, moved or deleted with everything it holds. `replace` lets a
  // file replace a file of the target's name.
  FsError CopyEntry(std::string_view from, std::string_view to, bool replace);
  FsError MoveEntry(std::string_view from, std::string_view to, bool replace);
  FsError DeleteEntry(std::string_view path, bool with_contents);

 private:
  struct Node;
  Node* Find(const WinPath& path) const;
  // The folder that is to hold `path`; sets `error` when it is missing.
  Node* ParentFolder(const WinPath& path, FsError& error) const;
  FsError Write(const WinPath& path, std::string_view content, bool append,
                bool make_folders);
  void Collect(const Node& node, const std::string& path, bool files,
               std::vector<std::string>& out) const;

  // The same members on the host's files (sim_files_host.cc).
  std::optional<std::string> HostPeek(std::string_view path) const;
  FsError HostWrite(std::string_view path, std::string_view content, bool append,
                    bool make_folders);
  FsError HostMakeFolders(std::string_view path);
  std::optional<std::vector<FileEntry>> HostEntries(std::string_view folder) const;
  void HostCollect(const std::string& path, bool folder, bool files,
                   std::vector<std::string>& out) const;
  std::string HostSpelling(std::string_view path) const;
  FsError HostCopy(std::string_view from, std::string_view to, bool replace);
  FsError HostMove(std::string_view from, std::string_view to, bool replace);
  FsError HostDelete(std::string_view path, bool with_contents);

  FaultInjector* faults_;
  std::map<char, std::unique_ptr<Node>> drives_;  // 'C' -> its root folder
  FileSystem* host_ = nullptr;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_FILES_H_
