// The simulated desktop: top-level windows in one z-order with a top-most
// band, the active window, placement in twips, and a screen of 1024 x 768
// pixels whose work area leaves 30 pixels for the task bar.
//
// The WindowManager members pass the fault injector under their Windows
// names ("SetWindowPos", "GetActiveWindow") and answer failure as the system
// does. The members below them are the machine's own side (a window opening,
// the user clicking a window, the driver looking): neither counted nor
// failed.
//
// Whoever keeps windows of its own in step with this desktop (a host whose
// forms are real windows) can watch the changes to the order, the bands,
// the visibility and the activation that are asked for; each is told after
// it is made.
//
// A window's owner in the simulated host (a form, an Outlook window) can be
// told when the window is activated or deactivated and when its size
// changes; the callbacks run after the change is complete.
#ifndef PINLET_SIM_MACHINE_SIM_WINDOWS_H_
#define PINLET_SIM_MACHINE_SIM_WINDOWS_H_

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows.h"

namespace pinlet::sim {

class FaultInjector;

class SimWindowManager : public WindowManager {
 public:
  struct Window {
    std::string title;
    bool top_most = false;
    bool visible = false;
    Rect rect;
    std::function<void(bool active)> on_activation;
    std::function<void()> on_resize;
  };
  struct PositionCall {
    WindowHandle window;
    WindowHandle insert_after;
    Rect rect;
    uint32_t flags;
  };

  // A change made to the desktop, as the system's own call would make it.
  struct Change {
    enum Kind {
      kRaised,      // to the top of its band (`top_most` tells which)
      kPlacedAfter, // right behind `after`, in its band
      kLowered,     // to the bottom of the normal band
      kShown,
      kHidden,
      kActivated,   // asked for, not what follows a close or a hide
      kDestroyed,
    };
    Kind kind;
    WindowHandle window;
    WindowHandle after = 0;
    bool top_most = false;
  };
  using Observer = std::function<void(const Change&)>;

  explicit SimWindowManager(FaultInjector* faults) : faults_(faults) {}

  // Watches the changes from now on; an empty observer stops watching.
  void set_observer(Observer observer) { observer_ = std::move(observer); }

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
  // The colours of Windows XP's standard scheme.
  uint32_t GetSysColor(int index) override;

  // A new window at the top of the normal band; a shown one is also
  // activated, as a window that opens is.
  WindowHandle Create(std::string title, bool shown = true);
  // Closes the window; when it was active, the next visible window is.
  void Destroy(WindowHandle handle);
  Window* Find(WindowHandle handle);
  const Window* Find(WindowHandle handle) const;
  // The user activates the window (clicks it): it rises to the top of its
  // band. False for an unknown or hidden window.
  bool Activate(WindowHandle handle);
  // Shows the window (activated when `activate`) or hides it; hiding the
  // active window activates the next visible one.
  void SetVisible(WindowHandle handle, bool visible, bool activate);
  // Moves and sizes the window; its owner hears of a change of size.
  void SetRect(WindowHandle handle, Rect rect);
  void SetTitle(WindowHandle handle, std::string title);
  // Moves the window to the top of the top-most band, or a top-most window
  // to the top of the normal band; a normal window stays where it is.
  void SetBand(WindowHandle handle, bool top_most);

  WindowHandle active() const { return active_; }
  // Every window, front to back: the top-most band first.
  const std::vector<WindowHandle>& z_order() const { return order_; }
  // The front-most visible window whose title contains `part` (ignoring the
  // case of ASCII letters); 0 when none.
  WindowHandle FindByTitle(std::string_view part) const;
  void set_screen(Rect screen, Rect work_area) {
    screen_ = screen;
    work_area_ = work_area;
  }
  Rect screen() const { return screen_; }
  Rect work_area() const { return work_area_; }

  // Every SetWindowPos call that changed a window's band on purpose, in
  // order: (handle, whether to keep it top-most).
  const std::vector<std::pair<WindowHandle, bool>>& top_most_calls() const {
    return top_most_calls_;
  }
  // Every SetWindowPos call, in order.
  const std::vector<PositionCall>& position_calls() const { return position_calls_; }

 private:
  // Moves the window to the top of its band (or of the other band).
  void Raise(WindowHandle handle);
  void PlaceAfter(WindowHandle handle, WindowHandle after);
  // Makes `handle` (0: none) the active window and tells both owners.
  void ChangeActive(WindowHandle handle);
  // The front-most visible window other than `except`; 0 when none.
  WindowHandle NextVisible(WindowHandle except) const;

  void Tell(Change::Kind kind, WindowHandle window, WindowHandle after = 0);

  FaultInjector* faults_;
  Observer observer_;
  WindowHandle next_ = 0x10010;
  WindowHandle active_ = 0;
  std::map<WindowHandle, Window> windows_;
  std::vector<WindowHandle> order_;
  Rect screen_{0, 0, 1024 * kTwipsPerPixel, 768 * kTwipsPerPixel};
  Rect work_area_{0, 0, 1024 * kTwipsPerPixel, 738 * kTwipsPerPixel};
  std::vector<std::pair<WindowHandle, bool>> top_most_calls_;
  std::vector<PositionCall> position_calls_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_WINDOWS_H_
