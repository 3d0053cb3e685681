#include "comserver/defect_log.h"

#include <windows.h>

#include <cstdio>
#include <optional>

#include "comserver/registry_tree.h"

namespace pinlet::com {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Zarvo\\Pinlet";
constexpr wchar_t kUserFolder[] = L"MyDir";
constexpr wchar_t kLogName[] = L"Pinlet.log";

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring TempFolder() {
  wchar_t path[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, path);
  if (length == 0 || length > MAX_PATH) return L".\\";
  return std::wstring(path, length);
}

}  // namespace

std::wstring DefectLogPath() {
  std::wstring folder;
  if (std::optional<std::wstring> mine =
          ReadTextValue(HKEY_CURRENT_USER, kSettingsKey, kUserFolder);
      mine && !mine->empty() && IsFolder(*mine))
    folder = *mine;
  else
    folder = TempFolder();
  if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder + kLogName;
}

void AppendDefect(const std::string& what) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d  ", now.wYear,
                now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  std::string line = stamp + what;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  line += "\r\n";

  HANDLE file = CreateFileW(DefectLogPath().c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace pinlet::com
