#include "sim/machine/sim_windows.h"

#include <algorithm>
#include <iterator>

#include "sim/machine/fault_injector.h"
#include "platform/text.h"

namespace pinlet::sim {
bool SimWindowManager::SetWindowPos(WindowHandle window, WindowHandle insert_after,
                                    int32_t left, int32_t top, int32_t width,
                                    int32_t height, uint32_t flags) {
  if (faults_->Fails("SetWindowPos")) return false;
  position_calls_.push_back({window, insert_after, {left, top, width, height}, flags});
  Window* w = Find(window);
  if (!w) return false;
  if (!(flags & swp::kNoZOrder)) {
    if (insert_after == hwnd::kTopMost || insert_after == hwnd::kNoTopMost) {
      bool top_most = insert_after == hwnd::kTopMost;
      top_most_calls_.emplace_back(window, top_most);
      SetBand(window, top_most);
    } else if (insert_after == hwnd::kTop) {
      Raise(window);
    } else if (insert_after == hwnd::kBottom) {
      w->top_most = false;
      order_.erase(std::find(order_.begin(), order_.end(), window));
      order_.push_back(window);
      Tell(Change::kLowered, window);
    } else if (Find(insert_after)) {
      PlaceAfter(window, insert_after);
    } else {
      return false;
    }
  }
  Rect rect = w->rect;
  if (!(flags & swp::kNoMove)) rect.left = left, rect.top = top;
  if (!(flags & swp::kNoSize)) rect.width = width, rect.height = height;
  if ((flags & swp::kShowWindow) && !w->visible) {
    w->visible = true;
    Tell(Change::kShown, window);
  }
  if (flags & swp::kHideWindow) SetVisible(window, false, false);
  SetRect(window, rect);
  w = Find(window);  // the owner's resize handler may have closed it
  if (w && w->visible && !(flags & swp::kNoActivate)) {
    ChangeActive(window);
    Tell(Change::kActivated, window);
  }
  return w != nullptr;
}

bool SimWindowManager::ShowWindow(WindowHandle window, int command) {
  if (faults_->Fails("ShowWindow")) return false;
  Window* w = Find(window);
  if (!w) return false;
  bool was_visible = w->visible;
  if (command == sw::kHide)
    SetVisible(window, false, false);
  else
    SetVisible(window, true, command != sw::kShowNoActivate && command != sw::kShowNA);
  return was_visible;
}

bool SimWindowManager::SetForegroundWindow(WindowHandle window) {
  if (faults_->Fails("SetForegroundWindow")) return false;
  return Activate(window);
}

WindowHandle SimWindowManager::GetActiveWindow() {
  if (faults_->Fails("GetActiveWindow")) return 0;
  return active_;
}

std::optional<Rect> SimWindowManager::GetWindowRect(WindowHandle window) {
  if (faults_->Fails("GetWindowRect")) return std::nullopt;
  Window* w = Find(window);
  if (!w) return std::nullopt;
  return w->rect;
}

std::string SimWindowManager::GetWindowText(WindowHandle window) {
  if (faults_->Fails("GetWindowText")) return "";
  Window* w = Find(window);
  return w ? w->title : "";
}

bool SimWindowManager::IsWindow(WindowHandle window) {
  if (faults_->Fails("IsWindow")) return false;
  return Find(window) != nullptr;
}

bool SimWindowManager::IsWindowVisible(WindowHandle window) {
  if (faults_->Fails("IsWindowVisible")) return false;
  Window* w = Find(window);
  return w && w->visible;
}

std::vector<WindowHandle> SimWindowManager::EnumWindows() {
  if (faults_->Fails("EnumWindows")) return {};
  return order_;
}

Rect SimWindowManager::GetScreenRect() {
  if (faults_->Fails("GetSystemMetrics")) return {};
  return screen_;
}

std::optional<Rect> SimWindowManager::GetWorkArea() {
  if (faults_->Fails("SystemParametersInfo")) return std::nullopt;
  return work_area_;
}

uint32_t SimWindowManager::GetSysColor(int index) {
  // Windows XP's "Windows XP style" scheme, COLOR_SCROLLBAR to COLOR_INFOBK,
  // as 0x00BBGGRR.
  static constexpr uint32_t kScheme[] = {
      0xC8D0D4, 0x984E00, 0xE35400, 0xDF967A, 0xFFFFFF, 0xFFFFFF, 0x000000,
      0x000000, 0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0xC56A31,
      0xFFFFFF, 0xD8E9EC, 0x99A8AC, 0x808080, 0x000000, 0x000000, 0xFFFFFF,
      0x716F64, 0xE2EFF1, 0x000000, 0xE1FFFF};
  if (faults_->Fails("GetSysColor")) return 0;
  if (index < 0 || index >= static_cast<int>(std::size(kScheme))) return 0;
  return kScheme[index];
}

WindowHandle SimWindowManager::Create(std::string title, bool shown) {
  WindowHandle handle = next_;
  next_ += 0x10;
  Window& w = windows_[handle];
  w.title = std::move(title);
  w.rect = {0, 0, 640 * kTwipsPerPixel, 480 * kTwipsPerPixel};
  order_.push_back(handle);
  Raise(handle);
  if (shown) SetVisible(handle, true, true);
  return handle;
}

void SimWindowManager::Destroy(WindowHandle handle) {
  if (!windows_.erase(handle)) return;
  order_.erase(std::find(order_.begin(), order_.end(), handle));
  Tell(Change::kDestroyed, handle);
  if (active_ == handle) {
    active_ = 0;  // the window is gone: nobody to tell it lost the activation
    ChangeActive(NextVisible(0));
  }
}

SimWindowManager::Window* SimWindowManager::Find(WindowHandle handle) {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : &it->second;
}

const SimWindowManager::Window* SimWindowManager::Find(WindowHandle handle) const {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : &it->second;
}

bool SimWindowManager::Activate(WindowHandle handle) {
  Window* w = Find(handle);
  if (!w || !w->visible) return false;
  Raise(handle);
  ChangeActive(handle);
  Tell(Change::kActivated, handle);
  return true;
}

void SimWindowManager::SetVisible(WindowHandle handle, bool visible, bool activate) {
  Window* w = Find(handle);
  if (!w) return;
  bool was_visible = w->visible;
  w->visible = visible;
  if (visible != was_visible) Tell(visible ? Change::kShown : Change::kHidden, handle);
  if (visible && activate) {
    Raise(handle);
    ChangeActive(handle);
    Tell(Change::kActivated, handle);
  } else if (!visible && active_ == handle) {
    ChangeActive(NextVisible(handle));
  }
}

void SimWindowManager::SetRect(WindowHandle handle, Rect rect) {
  Window* w = Find(handle);
  if (!w) return;
  bool resized = rect.width != w->rect.width || rect.height != w->rect.height;
  w->rect = rect;
  if (resized && w->on_resize) {
    auto on_resize = w->on_resize;  // the handler may close the window
    on_resize();
  }
}

void SimWindowManager::SetTitle(WindowHandle handle, std::string title) {
  if (Window* w = Find(handle)) w->title = std::move(title);
}

void SimWindowManager::SetBand(WindowHandle handle, bool top_most) {
  Window* w = Find(handle);
  if (!w || (!top_most && !w->top_most)) return;  // already a normal window
  w->top_most = top_most;
  Raise(handle);
}

WindowHandle SimWindowManager::FindByTitle(std::string_view part) const {
  for (WindowHandle handle : order_) {
    const Window& w = windows_.at(handle);
    if (w.visible && ContainsIgnoringCase(w.title, part)) return handle;
  }
  return 0;
}

void SimWindowManager::Raise(WindowHandle handle) {
  order_.erase(std::find(order_.begin(), order_.end(), handle));
  auto top = order_.begin();
  if (!windows_.at(handle).top_most) {
    top = std::find_if(order_.begin(), order_.end(),
                       [this](WindowHandle h) { return !windows_.at(h).top_most; });
  }
  order_.insert(top, handle);
  Tell(Change::kRaised, handle);
}

void SimWindowManager::PlaceAfter(WindowHandle handle, WindowHandle after) {
  if (handle == after) return;
  windows_.at(handle).top_most = windows_.at(after).top_most;
  order_.erase(std::find(order_.begin(), order_.end(), handle));
  order_.insert(std::find(order_.begin(), order_.end(), after) + 1, handle);
  Tell(Change::kPlacedAfter, handle, after);
}

void SimWindowManager::Tell(Change::Kind kind, WindowHandle window, WindowHandle after) {
  if (!observer_) return;
  const Window* w = Find(window);
  observer_(Change{kind, window, after, w && w->top_most});
}

void SimWindowManager::ChangeActive(WindowHandle handle) {
  WindowHandle old = active_;
  if (old == handle) return;
  active_ = handle;
  // Copies: a callback may close either window.
  std::function<void(bool)> lost, gained;
  if (Window* w = Find(old)) lost = w->on_activation;
  if (Window* w = Find(handle)) gained = w->on_activation;
  if (lost) lost(false);
  if (gained && active_ == handle) gained(true);
}

WindowHandle SimWindowManager::NextVisible(WindowHandle except) const {
  for (WindowHandle handle : order_)
    if (handle != except && windows_.at(handle).visible) return handle;
  return 0;
}

}  // namespace pinlet::sim
