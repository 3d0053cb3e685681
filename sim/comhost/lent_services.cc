#include "sim/comhost/lent_services.h"

#include <algorithm>
#include <cwctype>

#include "platform/wide_text.h"
#include "platform/date.h"
#include "platform/win32ui/window_support.h"

namespace pinlet::comhost {
namespace {

// The world the redirected calls reach; set while a LentServices lives.
sim::World* g_world = nullptr;

std::string Text(LPCWSTR text) { return text ? Narrow(text) : std::string(); }

HINSTANCE WINAPI LentShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file,
                                  LPCWSTR parameters, LPCWSTR folder, INT show) {
  int64_t result =
      g_world->shell.Execute(win32ui::HandleOf(owner), Text(verb), Text(file),
                             Text(parameters), Text(folder), show);
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(result));
}

UINT WINAPI LentGetTempFileName(LPCWSTR folder, LPCWSTR prefix, UINT unique,
                                LPWSTR name) {
  std::optional<std::string> made =
      g_world->shell.TempFileName(Text(folder), Text(prefix), unique);
  std::wstring path = made ? Wide(*made) : L"";
  if (!made || path.size() >= MAX_PATH) {
    SetLastError(made ? ERROR_FILENAME_EXCED_RANGE : ERROR_DIRECTORY);
    return 0;
  }
  std::copy(path.c_str(), path.c_str() + path.size() + 1, name);
  if (unique) return unique;
  // The number the name was made with: the hexadecimal digits before ".tmp".
  size_t end = path.size() - 4, start = end;
  while (start > 0 && std::iswxdigit(path[start - 1]) && end - start < 4) --start;
  return static_cast<UINT>(
      std::wcstoul(path.substr(start, end - start).c_str(), nullptr, 16));
}

void WINAPI LentGetLocalTime(LPSYSTEMTIME time) {
  Date::Parts now = g_world->clock.now().ToParts();
  SYSTEMTIME parts = {};
  parts.wYear = static_cast<WORD>(now.year);
  parts.wMonth = static_cast<WORD>(now.month);
  parts.wDay = static_cast<WORD>(now.day);
  parts.wHour = static_cast<WORD>(now.hour);
  parts.wMinute = static_cast<WORD>(now.minute);
  parts.wSecond = static_cast<WORD>(now.second);
  // Through a file time, which fills in the day of the week.
  FILETIME file;
  if (!SystemTimeToFileTime(&parts, &file) || !FileTimeToSystemTime(&file, time))
    *time = parts;
}

DWORD WINAPI LentGetTickCount() { return static_cast<DWORD>(g_world->ui.now_ms()); }

UINT_PTR WINAPI LentSetTimer(HWND window, UINT_PTR id, UINT interval, TIMERPROC proc) {
  // A timer of no window would need an id of the system's making; the DLL
  // sets none, and the system refuses a window that is gone.
  if (!window || !IsWindow(window)) return 0;
  sim::World* world = g_world;
  g_world->ui.SetLentTimer(
      {reinterpret_cast<uintptr_t>(window), id}, interval, [world, window, id, proc] {
        if (!IsWindow(window)) {
          world->ui.KillLentTimer({reinterpret_cast<uintptr_t>(window), id});
          return;
        }
        if (proc)
          proc(window, WM_TIMER, id, static_cast<DWORD>(world->ui.now_ms()));
        else
          SendMessageW(window, WM_TIMER, id, 0);
      });
  return id;
}

BOOL WINAPI LentKillTimer(HWND window, UINT_PTR id) {
  return g_world->ui.KillLentTimer({reinterpret_cast<uintptr_t>(window), id});
}

const Redirect kLent[] = {
    {"shell32.dll", "ShellExecuteW", reinterpret_cast<void*>(&LentShellExecute)},
    {"kernel32.dll", "GetTempFileNameW", reinterpret_cast<void*>(&LentGetTempFileName)},
    {"kernel32.dll", "GetLocalTime", reinterpret_cast<void*>(&LentGetLocalTime)},
    {"kernel32.dll", "GetTickCount", reinterpret_cast<void*>(&LentGetTickCount)},
    {"user32.dll", "SetTimer", reinterpret_cast<void*>(&LentSetTimer)},
    {"user32.dll", "KillTimer", reinterpret_cast<void*>(&LentKillTimer)},
};

}  // namespace

LentServices::LentServices(HMODULE dll, sim::World& world)
    : lent_(dll, kLent) {
  g_world = &world;
  if (!lent_.missing().empty())
    error_ = "the add-in's calls of " + lent_.missing() + " cannot be lent";
}

LentServices::~LentServices() { g_world = nullptr; }

}  // namespace pinlet::comhost
