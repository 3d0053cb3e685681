#include "win32_fixture.h"

#include <gtest/gtest.h>

#include "platform/wide_text.h"
#include "platform/win32/registry_keys.h"

namespace pinlet::testing {
namespace {

// A name no other test of any run uses at the same time.
std::string UniqueName() {
  static int counter = 0;
  return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

// Removes a file or a folder with all it holds, read-only or not.
void RemoveAll(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") RemoveAll(path + L"\\" + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

TestFolder::TestFolder() {
  wchar_t temp[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  path_ =
      Narrow(std::wstring_view(temp, length)) + "pinlet-t\xC3\xA9st-" + UniqueName();
  RemoveAll(Wide(path_));
  EXPECT_TRUE(CreateDirectoryW(Wide(path_).c_str(), nullptr)) << path_;
}

TestFolder::~TestFolder() {
  const std::wstring wide = Wide(path_);
  RemoveAll(wide);
  EXPECT_EQ(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES)
      << path_ << " was left behind";
}

TestCurrentUser::TestCurrentUser() : path_("Software\\PinletTests\\" + UniqueName()) {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  DeleteKeyTree(HKEY_CURRENT_USER, path_);
  EXPECT_EQ(
      RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path_).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
      ERROR_SUCCESS);
  EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, key_), ERROR_SUCCESS);
}

TestCurrentUser::~TestCurrentUser() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(key_);
  EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, path_));
  DeleteEmptyKeys(HKEY_CURRENT_USER, "Software\\PinletTests", "Software");
}

std::string ReadRaw(const std::string& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<none>";
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    content.append(buffer, read);
  CloseHandle(file);
  return content;
}

void WriteRaw(const std::string& path, std::string_view content) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, content.size());
}

std::string ProgramFolder() {
  wchar_t program[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring path(program, length);
  return Narrow(path.substr(0, path.find_last_of(L'\\') + 1));
}

bool PumpMessages(int milliseconds, const std::function<bool()>& done) {
  DWORD start = GetTickCount();
  MSG msg;
  while (true) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (done && done()) return true;
    }
    if (done && done()) return true;
    if (GetTickCount() - start >= static_cast<DWORD>(milliseconds)) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

}  // namespace pinlet::testing
