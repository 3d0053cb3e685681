// The file system of platform/files.h over the real files, through the W
// calls.
//
// Every path is first read by the rules of files.h (platform/win_paths.h):
// what names no file there (a relative path, a device name, a forbidden
// character, more than 259 characters) is refused before the system sees
// it, so a device such as CON is never opened. Bytes that are not UTF-8
// name no file either. What is left goes to the system spelled as it
// reads it: drive, backslashes, "." and ".." resolved, trailing dots and
// blanks dropped.
//
// A write goes to a new file beside the old one (GetTempFileName), which
// then takes the old one's place and attributes (MoveFileEx), so a failed
// write leaves the old content; an append that fails is cut back to where
// it began. A read-only file is neither written nor appended to. A rename
// that changes only the case of a name goes through a free name beside it,
// since a file system that ignores case may keep the old spelling.
#ifndef PINLET_PLATFORM_WIN32_WIN32_FILES_H_
#define PINLET_PLATFORM_WIN32_WIN32_FILES_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/win_paths.h"

namespace pinlet {

// The path as the W calls take it ("C:\Temp\a.txt", the root "C:\").
std::wstring NativePath(const WinPath& path);
// GetFileAttributes of a native path: INVALID_FILE_ATTRIBUTES when there
// is nothing of that name.
uint32_t AttributesOf(const std::wstring& path);

class Win32FileSystem : public FileSystem {
 public:
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
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_FILES_H_
