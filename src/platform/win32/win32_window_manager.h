// The window manager of platform/windows.h over user32: SetWindowPos,
// ShowWindow, SetForegroundWindow, GetActiveWindow, GetWindowRect,
// GetWindowTextW, IsWindow, IsWindowVisible, EnumWindows, GetSystemMetrics,
// SystemParametersInfoW(SPI_GETWORKAREA) and GetSysColor.
//
// A WindowHandle is the HWND's value; hwnd::k... are the system's own
// HWND_TOP, HWND_BOTTOM, HWND_TOPMOST and HWND_NOTOPMOST. Positions and
// sizes cross in twips, converted at the screen's dots per inch (twips.h).
// The z-order, its top-most band and activation are the system's. A handle
// that names no window is answered as the interface says (false, nullopt,
// "") before the system is asked; nothing raises.
#ifndef PINLET_PLATFORM_WIN32_WIN32_WINDOW_MANAGER_H_
#define PINLET_PLATFORM_WIN32_WIN32_WINDOW_MANAGER_H_

#include <optional>
#include <string>
#include <vector>

#include "platform/windows.h"

namespace pinlet {

class Win32WindowManager : public WindowManager {
 public:
  bool SetWindowPos(WindowHandle window, WindowHandle insert_after, int32_t left,
                    int32_t top, int32_t width, int32_t height, uint32_t flags) override;
  bool ShowWindow(WindowHandle window, int command) override;
  bool SetForegroundWindow(WindowHandle window) override;
  WindowHandle GetActiveWindow() override;
  std::optional<Rect> GetWindowRect(WindowHandle window) override;
  std::string GetWindowText(WindowHandle window) override;
  bool IsWindow(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  std::vector<WindowHandle> EnumWindows() override;
  Rect GetScreenRect() override;
  std::optional<Rect> GetWorkArea() override;
  uint32_t GetSysColor(int index) override;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_WINDOW_MANAGER_H_
