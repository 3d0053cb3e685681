#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/wide_text.h"
#include "platform/text.h"

namespace pinlet {
namespace {

// One open file, closed when it goes.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  void reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  // False when closing fails (a write the system held back failed).
  bool Close() {
    HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

bool IsFolder(uint32_t attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(uint32_t attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A path that can name a file: neither a root nor written with a trailing
// separator.
std::optional<WinPath> FilePath(std::string_view path) {
  std::optional<WinPath> parsed = ParseWinPath(path);
  if (!parsed || parsed->is_root() || parsed->folder_only) return std::nullopt;
  return parsed;
}

// A path that can name a file or a folder other than a root.
std::optional<WinPath> EntryPath(std::string_view path) {
  std::optional<WinPath> parsed = ParseWinPath(path);
  if (!parsed || parsed->is_root()) return std::nullopt;
  return parsed;
}

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0)
      return false;
    content.remove_prefix(written);
  }
  return true;
}

// Whether two existing paths are one file (also through a short name).
bool SameFile(const std::wstring& a, const std::wstring& b) {
  auto identity = [](const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    FileHandle file(CreateFileW(path.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() && GetFileInformationByHandle(file.get(), &info);
  };
  BY_HANDLE_FILE_INFORMATION first, second;
  if (!identity(a, first) || !identity(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

// Renames an entry to a spelling that differs only in case: through a
// free name beside it, since a file system that ignores case may take the
// direct rename as one to itself and keep the old spelling.
bool Respell(const WinPath& from, const WinPath& to) {
  const std::wstring source = NativePath(from), target = NativePath(to);
  const std::wstring folder = NativePath(from.Parent());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring aside = folder + (folder.ends_with(L'\\') ? L"" : L"\\") + L"~pinlet" +
                         std::to_wstring(attempt) + L".tmp";
    if (AttributesOf(aside) != INVALID_FILE_ATTRIBUTES) continue;
    if (!MoveFileExW(source.c_str(), aside.c_str(), 0)) return false;
    if (MoveFileExW(aside.c_str(), target.c_str(), 0)) return true;
    MoveFileExW(aside.c_str(), source.c_str(), 0);
    return false;
  }
  return false;
}

}  // namespace

std::wstring NativePath(const WinPath& path) { return Wide(path.ToString()); }

uint32_t AttributesOf(const std::wstring& path) {
  return GetFileAttributesW(path.c_str());
}

std::optional<std::string> Win32FileSystem::ReadFile(std::string_view path) {
  std::optional<WinPath> parsed = FilePath(path);
  if (!parsed) return std::nullopt;
  const std::wstring native = NativePath(*parsed);
  if (!IsFile(AttributesOf(native))) return std::nullopt;
  FileHandle file(CreateFileW(native.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
  std::string content;
  char buffer[1 << 16];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr))
      return std::nullopt;
    if (read == 0) break;
    content.append(buffer, read);
  }
  return content;
}

bool Win32FileSystem::WriteFile(std::string_view path, std::string_view content) {
  std::optional<WinPath> parsed = FilePath(path);
  if (!parsed) return false;
  const std::wstring target = NativePath(*parsed);
  const uint32_t old_attributes = AttributesOf(target);
  if (IsFolder(old_attributes) ||
      (IsFile(old_attributes) && (old_attributes & FILE_ATTRIBUTE_READONLY)))
    return false;
  // The new content goes to a new file beside the old one, which then takes
  // the old one's place: a failure on the way leaves the old content. The
  // new file is named after the target, which keeps the shell's temporary
  // file names to the add-in's own use.
  static LONG written_files = 0;
  std::wstring temporary;
  FileHandle file(INVALID_HANDLE_VALUE);
  for (int attempt = 0; attempt < 8 && !file.valid(); ++attempt) {
    temporary = target + L".~pin" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(InterlockedIncrement(&written_files));
    file.reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (!file.valid()) return false;
  bool written = WriteAll(file.get(), content);
  written = file.Close() && written;
  if (!written ||
      !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (IsFile(old_attributes)) SetFileAttributesW(target.c_str(), old_attributes);
  return true;
}

bool Win32FileSystem::AppendFile(std::string_view path, std::string_view content) {
  std::optional<WinPath> parsed = FilePath(path);
  if (!parsed) return false;
  const std::wstring target = NativePath(*parsed);
  const uint32_t attributes = AttributesOf(target);
  if (IsFolder(attributes) ||
      (IsFile(attributes) && (attributes & FILE_ATTRIBUTE_READONLY)))
    return false;
  FileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
  LARGE_INTEGER start;
  if (!GetFileSizeEx(file.get(), &start) ||
      !SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN))
    return false;
  if (WriteAll(file.get(), content) && file.Close()) return true;
  // Cut back to where the append began, or remove the file it made.
  if (file.valid() && SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN))
    SetEndOfFile(file.get());
  file.Close();
  if (created) DeleteFileW(target.c_str());
  return false;
}

bool Win32FileSystem::FileExists(std::string_view path) {
  std::optional<WinPath> parsed = FilePath(path);
  return parsed && IsFile(AttributesOf(NativePath(*parsed)));
}

bool Win32FileSystem::FolderExists(std::string_view path) {
  std::optional<WinPath> parsed = ParseWinPath(path);
  return parsed && IsFolder(AttributesOf(NativePath(*parsed)));
}

bool Win32FileSystem::Remove(std::string_view path) {
  std::optional<WinPath> parsed = FilePath(path);
  if (!parsed) return false;
  const std::wstring native = NativePath(*parsed);
  return IsFile(AttributesOf(native)) && DeleteFileW(native.c_str());
}

bool Win32FileSystem::Copy(std::string_view from, std::string_view to,
                           bool replace_existing) {
  std::optional<WinPath> source = FilePath(from), target = FilePath(to);
  if (!source || !target) return false;
  const std::wstring native_from = NativePath(*source), native_to = NativePath(*target);
  if (!IsFile(AttributesOf(native_from))) return false;
  const uint32_t existing = AttributesOf(native_to);
  if (IsFolder(existing) || (IsFile(existing) && SameFile(native_from, native_to)))
    return false;
  return CopyFileW(native_from.c_str(), native_to.c_str(), !replace_existing);
}

bool Win32FileSystem::Rename(std::string_view from, std::string_view to,
                             bool replace_existing) {
  std::optional<WinPath> source = EntryPath(from), target = EntryPath(to);
  if (!source || !target) return false;
  const std::wstring native_from = NativePath(*source), native_to = NativePath(*target);
  const uint32_t moving = AttributesOf(native_from);
  if (moving == INVALID_FILE_ATTRIBUTES || (source->folder_only && !IsFolder(moving)))
    return false;
  if (FoldName(source->ToString()) == FoldName(target->ToString()))
    return source->ToString() == target->ToString() || Respell(*source, *target);
  const uint32_t existing = AttributesOf(native_to);
  if (IsFolder(moving) &&
      (existing != INVALID_FILE_ATTRIBUTES || source->Contains(*target)))
    return false;
  if (IsFolder(existing) || (existing != INVALID_FILE_ATTRIBUTES && !replace_existing))
    return false;
  DWORD flags = replace_existing ? MOVEFILE_REPLACE_EXISTING : 0;
  if (!IsFolder(moving)) flags |= MOVEFILE_COPY_ALLOWED;  // a file may change drives
  return MoveFileExW(native_from.c_str(), native_to.c_str(), flags);
}

std::optional<std::vector<FileEntry>> Win32FileSystem::List(std::string_view folder) {
  std::optional<WinPath> parsed = ParseWinPath(folder);
  if (!parsed) return std::nullopt;
  std::wstring pattern = NativePath(*parsed);
  if (!IsFolder(AttributesOf(pattern))) return std::nullopt;
  pattern += pattern.ends_with(L'\\') ? L"*" : L"\\*";
  std::vector<FileEntry> entries;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    // Only a drive's empty root has not even "." and "..".
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return entries;
    return std::nullopt;
  }
  do {
    std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    bool is_folder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    uint64_t size = is_folder ? 0
                              : (static_cast<uint64_t>(found.nFileSizeHigh) << 32) |
                                    found.nFileSizeLow;
    entries.push_back({Narrow(name), is_folder, size});
  } while (FindNextFileW(search, &found));
  const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(search);
  if (!complete) return std::nullopt;
  std::sort(entries.begin(), entries.end(), [](const FileEntry& a, const FileEntry& b) {
    std::string folded_a = FoldName(a.name), folded_b = FoldName(b.name);
    return folded_a != folded_b ? folded_a < folded_b : a.name < b.name;
  });
  return entries;
}

std::optional<uint64_t> Win32FileSystem::Size(std::string_view path) {
  std::optional<WinPath> parsed = FilePath(path);
  if (!parsed) return std::nullopt;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(NativePath(*parsed).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::CreateFolder(std::string_view path) {
  std::optional<WinPath> parsed = EntryPath(path);
  return parsed && CreateDirectoryW(NativePath(*parsed).c_str(), nullptr);
}

bool Win32FileSystem::RemoveFolder(std::string_view path) {
  std::optional<WinPath> parsed = EntryPath(path);
  if (!parsed) return false;
  const std::wstring native = NativePath(*parsed);
  return IsFolder(AttributesOf(native)) && RemoveDirectoryW(native.c_str());
}

}  // namespace pinlet
