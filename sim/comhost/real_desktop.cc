// The host's windows among the real ones: a hidden stand-in for each
// window of the simulated machine, kept in step with its window manager,
// and the desktop read back front to back through the system.
#include <cstdio>

#include "comserver/window_descriptions.h"
#include "platform/display_text.h"
#include "platform/wide_text.h"
#include "platform/win32/modal_answerer.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/window_names.h"
#include "platform/win32ui/window_support.h"
#include "sim/comhost/real_forms.h"
#include "sim/machine/world.h"

namespace pinlet::comhost {
namespace {

using Change = sim::SimWindowManager::Change;

constexpr const wchar_t* kStandInClass = L"PinletHostWindow";
constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

bool IsTopMost(HWND window) {
  return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// To the top of its band, as the system's SetWindowPos puts a window there.
void Raise(HWND window, bool top_most) {
  if (top_most) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
    return;
  }
  // HWND_NOTOPMOST leaves a window of the normal band where it is.
  if (IsTopMost(window)) SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kKeepPlace);
}

Rect TwipsOf(const RECT& at) {
  return Rect{PixelsToTwipsX(at.left), PixelsToTwipsY(at.top),
              PixelsToTwipsX(at.right - at.left), PixelsToTwipsY(at.bottom - at.top)};
}

}  // namespace

Rect RealForms::PlaceOf(HWND form) {
  // The form's own twips, as its description gives them: the pixels they
  // were rounded to would not say them back.
  std::string text = Ask(form, com::aspect::kForm).value_or("");
  size_t line = text.find("\n  at ");
  Rect at;
  if (line != std::string::npos &&
      std::sscanf(text.c_str() + line, "\n  at %d,%d size %dx%d", &at.left, &at.top,
                  &at.width, &at.height) == 4)
    return at;
  RECT pixels = {};
  GetWindowRect(form, &pixels);
  return TwipsOf(pixels);
}

void RealForms::MirrorHostWindows() {
  const auto& order = world_.windows.z_order();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const sim::SimWindowManager::Window* host = world_.windows.Find(*it);
    HWND stand_in = StandIn(*it);
    if (!stand_in) continue;
    Raise(stand_in, host->top_most);
    if (host->visible) ShowWindow(stand_in, SW_SHOWNA);
  }
  if (WindowHandle active = world_.windows.active()) HostWindowActivated(active);
  world_.windows.set_observer([this](const Change& change) { Mirror(change); });
}

HWND RealForms::StandIn(WindowHandle handle) {
  if (auto known = stand_ins_.find(handle); known != stand_ins_.end())
    return known->second;
  const sim::SimWindowManager::Window* host = world_.windows.Find(handle);
  if (!host) return nullptr;
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kStandInClass;
  RegisterClassW(&window_class);  // fails harmlessly when registered already
  const Rect& at = host->rect;
  HWND stand_in = CreateWindowExW(
      0, kStandInClass, Wide(host->title).c_str(), WS_OVERLAPPEDWINDOW,
      TwipsToPixelsX(at.left), TwipsToPixelsY(at.top), TwipsToPixelsX(at.width),
      TwipsToPixelsY(at.height), nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!stand_in) {
    Trouble("no window can stand for the host's window " + HandleText(handle));
    return nullptr;
  }
  stand_ins_[handle] = stand_in;
  return stand_in;
}

void RealForms::Mirror(const Change& change) {
  if (change.kind == Change::kDestroyed) {
    auto known = stand_ins_.find(change.window);
    if (known == stand_ins_.end()) return;
    HWND stand_in = known->second;
    stand_ins_.erase(known);
    DestroyWindow(stand_in);
    return;
  }
  HWND stand_in = StandIn(change.window);
  if (!stand_in) return;
  switch (change.kind) {
    case Change::kRaised:
      Raise(stand_in, change.top_most);
      break;
    case Change::kPlacedAfter:
      if (HWND after = StandIn(change.after))
        SetWindowPos(stand_in, after, 0, 0, 0, 0, kKeepPlace);
      break;
    case Change::kLowered:
      SetWindowPos(stand_in, HWND_BOTTOM, 0, 0, 0, 0, kKeepPlace);
      break;
    case Change::kShown:
      ShowWindow(stand_in, SW_SHOWNA);
      break;
    case Change::kHidden:
      ShowWindow(stand_in, SW_HIDE);
      break;
    case Change::kActivated:
      HostWindowActivated(change.window);
      break;
    case Change::kDestroyed:
      break;
  }
}

void RealForms::HostWindowActivated(WindowHandle handle) {
  const sim::SimWindowManager::Window* host = world_.windows.Find(handle);
  HWND stand_in = host ? StandIn(handle) : nullptr;
  if (!stand_in) return;
  SetWindowTextW(stand_in, Wide(host->title).c_str());
  const Rect& at = host->rect;
  SetWindowPos(stand_in, nullptr, TwipsToPixelsX(at.left), TwipsToPixelsY(at.top),
               TwipsToPixelsX(at.width), TwipsToPixelsY(at.height),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetForegroundWindow(stand_in);
  SetActiveWindow(stand_in);
}

std::vector<app::DesktopWindow> RealForms::Desktop() {
  std::map<HWND, WindowHandle> hosts;
  for (auto& [handle, stand_in] : stand_ins_) hosts[stand_in] = handle;
  HWND active = GetActiveWindow();
  std::vector<app::DesktopWindow> desktop;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (auto host = hosts.find(w); host != hosts.end()) {
      const sim::SimWindowManager::Window* shown = world_.windows.Find(host->second);
      if (!shown) continue;
      desktop.push_back({host->second, shown->title, "", shown->visible, shown->top_most,
                         active == w, shown->rect});
    } else if (IsOurForm(w)) {
      desktop.push_back({win32ui::HandleOf(w), dialog::Text(w), DesignNameOf(w),
                         IsWindowVisible(w) != FALSE, IsTopMost(w), active == w,
                         PlaceOf(w)});
    }
  }
  return desktop;
}

}  // namespace pinlet::comhost
