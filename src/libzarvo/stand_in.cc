#include "libzarvo/stand_in.h"

#include <string>
#include <string_view>

#include "libzarvo/about_box.h"
#include "platform/registry.h"
#include "platform/support_calls.h"
#include "platform/support_library_texts.h"
#include "platform/wide_text.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/call_boundary.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"

namespace pinlet {
namespace {

// Where the installer records the install folder and the user's folder.
constexpr std::string_view kInstallKey = "Software\\Zarvo\\Pinlet";
constexpr std::string_view kInstallFolderValue = "InstDir";
constexpr std::string_view kUserFolderValue = "MyDir";

// The log beside the user's files; empty while their folder is unknown.
std::string& LogPathState() {
  static std::string log_path;
  return log_path;
}

// A folder the installer recorded under `value`, ending in "\"; "" when
// it is absent or empty.
std::string InstalledFolder(std::string_view value) {
  Win32Registry registry;
  std::optional<RegValue> folder = registry.QueryValue(kInstallKey, value);
  if (!folder || folder->type != kRegSz) return "";
  std::string path = folder->data;
  while (!path.empty() && path.back() == '\0') path.pop_back();
  if (!path.empty() && !path.ends_with('\\')) path += '\\';
  return path;
}

// The log beside the user's files, or "" when "MyDir" is absent or empty.
std::string LogPath() {
  std::string folder = InstalledFolder(kUserFolderValue);
  return folder.empty() ? "" : folder + std::string(support_calls::kLogFileName);
}

// This library's module.
HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

// The install folder: "InstDir", or where this library lies when the
// installer did not record it.
std::string InstallFolder() {
  std::string folder = InstalledFolder(kInstallFolderValue);
  if (!folder.empty()) return folder;
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(ThisModule(), path, MAX_PATH);
  std::wstring dll(path, length);
  return Narrow(dll.substr(0, dll.find_last_of(L'\\') + 1));
}

// Opens the installed help page through the shell, or tells the user that
// it is not installed.
void OpenHelpPage(std::string_view page) {
  std::string path = support_texts::HelpPagePath(InstallFolder(), page);
  std::wstring wide = Wide(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  HWND owner = GetActiveWindow();
  if (support_texts::IsPageName(page) && attributes != INVALID_FILE_ATTRIBUTES &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ShellExecuteW(owner, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return;
  }
  MessageBoxW(owner, Wide(support_texts::MissingPageText(page, path)).c_str(),
              Wide(std::string(support_texts::kHelpMissingCaption)).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

void Append(const std::string& line) {
  const std::string& log_path = LogPathState();
  if (!log_path.empty()) Win32FileSystem().AppendFile(log_path, line);
}

// A call that would show something: its record, timed, as one line of the
// log.
void LogShown(const std::string& record) {
  Append(Win32Clock().Now().ToGeneralString() + "\t" + record + "\r\n");
}

std::string Text(const char* ansi) { return ansi ? AnsiToUtf8(ansi) : std::string(); }

}  // namespace
}  // namespace pinlet

using namespace pinlet;

extern "C" {

int32_t WINAPI LibZarvoInit(int32_t, int32_t, IDispatch*, int32_t,
                            LibZarvoQuickStart quick_start) {
  return AtCallBoundary("LibZarvoInit", [&] {
    LogPathState() = LogPath();
    if (quick_start) quick_start();
    return 0;
  });
}

int32_t WINAPI LibZarvoLogMsg(int32_t, const char* description, int32_t number,
                              const char* tag, int32_t level, int32_t) {
  return AtCallBoundary("LibZarvoLogMsg", [&] {
    const std::string text = Text(description), where = Text(tag);
    Append(support_calls::LogLine(Win32Clock().Now(), text, number, where, level));
    return 0;
  });
}

int32_t WINAPI LibZarvoShowAbout(int32_t) {
  return AtCallBoundary("LibZarvoShowAbout", [] {
    LogShown(support_calls::ShowAboutRecord());
    libzarvo::ShowAboutBox(ThisModule(), [] {
      OpenHelpPage(support_texts::kHelpIndex);
    });
    return 0;
  });
}

int32_t WINAPI LibZarvoShowContextHelp(int32_t, const char* page) {
  return AtCallBoundary("LibZarvoShowContextHelp", [&] {
    const std::string name = Text(page);
    LogShown(support_calls::ShowContextHelpRecord(name));
    OpenHelpPage(name);
    return 0;
  });
}

}  // extern "C"
