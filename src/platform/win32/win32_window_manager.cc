#include "platform/win32/win32_window_manager.h"

#include <windows.h>
// windows.h names GetWindowText as a macro; the window manager's member of
// that name is meant here.
#undef GetWindowText

#include "platform/wide_text.h"
#include "platform/win32/call_boundary.h"
#include "platform/win32/twips.h"

namespace pinlet {
namespace {

HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(window));
}

WindowHandle ToHandle(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(window));
}

// A handle naming a window; the null handle names none.
bool Known(WindowHandle window) { return window != 0 && ::IsWindow(ToHwnd(window)); }

Rect ToTwips(const RECT& pixels) {
  return Rect{PixelsToTwipsX(pixels.left), PixelsToTwipsY(pixels.top),
              PixelsToTwipsX(pixels.right - pixels.left),
              PixelsToTwipsY(pixels.bottom - pixels.top)};
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM into) {
  // A callback of the system: nothing may escape it.
  return AtCallBoundary("EnumWindows", [&] {
           reinterpret_cast<std::vector<WindowHandle>*>(into)->push_back(
               ToHandle(window));
           return 1;
         }) == 1;
}

}  // namespace

bool Win32WindowManager::SetWindowPos(WindowHandle window, WindowHandle insert_after,
                                      int32_t left, int32_t top, int32_t width,
                                      int32_t height, uint32_t flags) {
  if (!Known(window)) return false;
  return ::SetWindowPos(ToHwnd(window), ToHwnd(insert_after), TwipsToPixelsX(left),
                        TwipsToPixelsY(top), TwipsToPixelsX(width),
                        TwipsToPixelsY(height), flags) != 0;
}

bool Win32WindowManager::ShowWindow(WindowHandle window, int command) {
  if (!Known(window)) return false;
  return ::ShowWindow(ToHwnd(window), command) != 0;
}

bool Win32WindowManager::SetForegroundWindow(WindowHandle window) {
  HWND handle = ToHwnd(window);
  if (!Known(window) || !::IsWindowVisible(handle)) return false;
  if (!::SetForegroundWindow(handle)) return false;
  // Windows raises the window it activates; not every system does (Wine
  // leaves it where it was), so it is raised to the top of its band here.
  ::SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

WindowHandle Win32WindowManager::GetActiveWindow() {
  return ToHandle(::GetActiveWindow());
}

std::optional<Rect> Win32WindowManager::GetWindowRect(WindowHandle window) {
  RECT pixels;
  if (!Known(window) || !::GetWindowRect(ToHwnd(window), &pixels)) return std::nullopt;
  return ToTwips(pixels);
}

std::string Win32WindowManager::GetWindowText(WindowHandle window) {
  if (!Known(window)) return "";
  int length = GetWindowTextLengthW(ToHwnd(window));
  if (length <= 0) return "";
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(ToHwnd(window), text.data(), length + 1));
  return Narrow(text);
}

bool Win32WindowManager::IsWindow(WindowHandle window) { return Known(window); }

bool Win32WindowManager::IsWindowVisible(WindowHandle window) {
  return Known(window) && ::IsWindowVisible(ToHwnd(window));
}

std::vector<WindowHandle> Win32WindowManager::EnumWindows() {
  std::vector<WindowHandle> windows;
  if (!::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows))) return {};
  return windows;
}

Rect Win32WindowManager::GetScreenRect() {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return Rect{};
  return Rect{0, 0, PixelsToTwipsX(width), PixelsToTwipsY(height)};
}

std::optional<Rect> Win32WindowManager::GetWorkArea() {
  RECT pixels;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &pixels, 0)) return std::nullopt;
  return ToTwips(pixels);
}

uint32_t Win32WindowManager::GetSysColor(int index) {
  // COLOR_SCROLLBAR to COLOR_INFOBK, the elements every Windows has.
  if (index < COLOR_SCROLLBAR || index > COLOR_INFOBK) return 0;
  return ::GetSysColor(index);
}

}  // namespace pinlet
