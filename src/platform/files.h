// The file system as the add-in reaches it: whole files read and written,
// copied, renamed and deleted, folders created, listed and removed.
//
// Paths are the host's: absolute, with a drive ("C:\Temp\a.txt"), separated
// by backslashes (a slash is taken as one), compared without regard to case,
// at most 259 characters. A path that is not UTF-8, a relative path, a name
// holding one of < > : " | ? * or a control character, or a device name
// (CON, NUL, COM1, ...) names no file. As on Windows, trailing dots and blanks of a name are dropped.
//
// Every member answers failure (nullopt, false); none raises. A failure
// leaves the files as they were. Members are named after what they do
// rather than after the Windows calls, whose names windows.h defines as
// macros; the comment names the call each one stands for.
#ifndef PINLET_PLATFORM_FILES_H_
#define PINLET_PLATFORM_FILES_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pinlet {

// The longest path, in characters (MAX_PATH less its terminating zero).
constexpr size_t kMaxPathLength = 259;

// One entry of a folder listing.
struct FileEntry {
  std::string name;  // spelled as when it was created
  bool folder = false;
  uint64_t size = 0;  // bytes of a file; 0 for a folder
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The whole content of a file; nullopt when the path names no file (also
  // a folder) or the file cannot be read.
  virtual std::optional<std::string> ReadFile(std::string_view path) = 0;
  // Creates the file or replaces its content. Its folder must exist, as on
  // Windows: false when it does not, when the path names a folder, or when
  // the write fails.
  virtual bool WriteFile(std::string_view path, std::string_view content) = 0;
  // Appends to the file, creating it when missing; fails as WriteFile does.
  virtual bool AppendFile(std::string_view path, std::string_view content) = 0;
  // True when the path names a file. A folder is not a file: see FolderExists.
  virtual bool FileExists(std::string_view path) = 0;
  // True when the path names a folder (a drive's root is one).
  virtual bool FolderExists(std::string_view path) = 0;

  // DeleteFile: false when the path names no file.
  virtual bool Remove(std::string_view path) = 0;
  // CopyFile: a copy of the file `from` at `to`. An existing file at `to` is
  // replaced only with `replace_existing`; a folder there never is. False
  // when `from` is no file, `to`'s folder is missing, or both are one file.
  virtual bool Copy(std::string_view from, std::string_view to,
                    bool replace_existing) = 0;
  // MoveFileEx: renames or moves a file or a folder (with all it holds) to
  // `to`, whose folder must exist. An existing file at `to` is replaced only
  // with `replace_existing` and only by a file; a folder is never replaced,
  // and a folder cannot move into itself.
  virtual bool Rename(std::string_view from, std::string_view to,
                      bool replace_existing) = 0;
  // FindFirstFile / FindNextFile over "folder\*": the entries of a folder,
  // sorted by name without regard to case; nullopt when it is no folder.
  virtual std::optional<std::vector<FileEntry>> List(std::string_view folder) = 0;
  // GetFileSize: the length of a file in bytes; nullopt when it is no file.
  virtual std::optional<uint64_t> Size(std::string_view path) = 0;
  // CreateDirectory: one new folder; false when something of that name
  // exists or its parent folder does not.
  virtual bool CreateFolder(std::string_view path) = 0;
  // RemoveDirectory: false unless the path names an empty folder (a drive's
  // root cannot be removed).
  virtual bool RemoveFolder(std::string_view path) = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_FILES_H_
