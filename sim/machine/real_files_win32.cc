// The real files of the simulated host on Windows (the test host under
// Wine): the same promises as on POSIX systems, through the Win32 calls.
// The temporary file is created exclusively (CREATE_NEW) beside the file,
// flushed (FlushFileBuffers) and renamed over it (MoveFileEx with
// MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH).
#include <windows.h>

#include <string>

#include "sim/machine/real_files.h"
#include "platform/wide_text.h"

namespace pinlet::sim {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return L"";
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                              nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                      n);
  return wide;
}

// The reason of a failed call, in the words the POSIX build uses where
// there are such.
std::string Reason(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "No such file or directory";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return "Permission denied";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "No space left on device";
    default:
      return "Windows error " + std::to_string(code);
  }
}

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool Close() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != 0;
  }

 private:
  HANDLE h_;
};

bool IsDirectory(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The temporary name beside `path` for attempt `n`: ".NAME.XXXXXX".
std::wstring TemporaryName(const std::wstring& path, unsigned n) {
  size_t slash = path.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  wchar_t suffix[16];
  unsigned mix = (GetTickCount() * 2654435761u) ^ (GetCurrentProcessId() << 16) ^ n;
  wsprintfW(suffix, L".%06X", mix & 0xFFFFFF);
  return folder + L"." + name + suffix;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& content, std::string* error) {
  std::wstring wide = Wide(path);
  if (IsDirectory(wide)) {
    if (error) *error = path + " is a directory, not a regular file";
    return false;
  }
  Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    if (error) *error = "cannot read " + path + ": " + Reason(GetLastError());
    return false;
  }
  if (GetFileType(file.get()) != FILE_TYPE_DISK) {
    if (error) *error = path + " is a special file, not a regular file";
    return false;
  }
  std::string data;
  char buffer[1 << 16];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      if (error) *error = "cannot read " + path + ": " + Reason(GetLastError());
      return false;
    }
    if (read == 0) break;
    data.append(buffer, read);
  }
  content = std::move(data);
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view content,
                         std::string* error) {
  std::wstring wide = Wide(path);
  auto fail = [&](DWORD code) {
    if (error)
      *error = "cannot save " + path + ": " + Reason(code) + "; the file is unchanged";
    return false;
  };
  if (IsDirectory(wide)) return fail(ERROR_ACCESS_DENIED);
  std::wstring temporary;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE;
       ++attempt) {
    temporary = TemporaryName(wide, attempt);
    created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
      return fail(GetLastError());
  }
  if (created == INVALID_HANDLE_VALUE) return fail(ERROR_FILE_EXISTS);
  Handle file(created);
  bool written = true;
  DWORD code = 0;
  while (written && !content.empty()) {
    DWORD chunk =
        content.size() < (1u << 30) ? static_cast<DWORD>(content.size()) : 1u << 30;
    DWORD done = 0;
    written = WriteFile(file.get(), content.data(), chunk, &done, nullptr) != 0;
    if (written) content.remove_prefix(done);
  }
  if (written) written = FlushFileBuffers(file.get()) != 0;
  if (!written) code = GetLastError();
  if (!file.Close() && written) {
    written = false;
    code = GetLastError();
  }
  if (written && !MoveFileExW(temporary.c_str(), wide.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    written = false;
    code = GetLastError();
  }
  if (!written) {
    DeleteFileW(temporary.c_str());
    return fail(code);
  }
  return true;
}

}  // namespace pinlet::sim
