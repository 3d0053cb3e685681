#include "platform/windows.h"

#include "platform/text.h"

namespace pinlet {
bool WindowManager::SetTopMost(WindowHandle window, bool top_most) {
  return SetWindowPos(window, top_most ? hwnd::kTopMost : hwnd::kNoTopMost, 0, 0, 0, 0,
                      swp::kNoMove | swp::kNoSize);
}

bool ActivateWindowByTitle(WindowManager& windows, std::string_view part) {
  for (WindowHandle window : windows.EnumWindows()) {
    if (!windows.IsWindowVisible(window)) continue;
    if (ContainsIgnoringCase(windows.GetWindowText(window), part))
      return windows.SetForegroundWindow(window);
  }
  return false;
}

}  // namespace pinlet
