// What every control of a Win32 form shares: its window, the members of
// ui::Control over it, and the events its window raises.
//
// A ControlCore is one control of a Win32Form. A control with a window
// (every kind but the timer and the menu) is a child window of the form or
// of its container (a picture box or a frame), created by its kind's
// Create. Its window, and any inner window the kind adds (a combo box's
// edit), is subclassed: the subclass raises MouseDown/Move/Up (position in
// twips relative to the control), Click and DblClick where the kind takes
// them from the mouse, KeyDown/KeyUp/KeyPress (the form's KeyDown first
// under KeyPreview; a key set to 0 does not reach the window), GotFocus and
// LostFocus. Notifications a control's window sends its parent (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR*) are routed back to the control by RouteToControl.
//
// A control holds its form weakly: once the form is unloaded, every member
// raises 364. A member the kind lacks raises 438, a negative size 380.
#ifndef PINLET_PLATFORM_WIN32UI_WIN32_CONTROL_H_
#define PINLET_PLATFORM_WIN32UI_WIN32_CONTROL_H_

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/events.h"
#include "platform/form_text.h"
#include "platform/host_error.h"
#include "platform/ui_control_members.h"
#include "platform/ui_controls.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/window_names.h"
#include "platform/win32ui/window_support.h"

namespace pinlet::win32ui {

class Win32Form;

class ControlCore : public std::enable_shared_from_this<ControlCore> {
 public:
  ControlCore(std::weak_ptr<Win32Form> form, std::string name, std::string_view type_name,
              ui::ControlTraits traits);
  // Destroys the control's window if it is still there.
  virtual ~ControlCore();
  ControlCore(const ControlCore&) = delete;
  ControlCore& operator=(const ControlCore&) = delete;

  // The control as the add-in sees it.
  virtual ui::Control* AsControl() = 0;
  // Makes the control's window inside `parent` (the form's or the
  // container's window); a windowless kind makes none. Raises 5 when the
  // system refuses the window.
  virtual void Create(HWND parent) = 0;
  // A notification the control's window sent its parent: WM_COMMAND (its
  // code in HIWORD(wparam)), WM_NOTIFY or a WM_CTLCOLOR* message. True when
  // the kind answered it in `result`.
  virtual bool Notify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  // Whether a left click on the window (button down, then up) is the kind's
  // Click; the buttons and lists take Click from their notifications.
  virtual bool ClickOnMouseUp() const { return false; }
  // Whether the kind's window holds other controls (a picture box, a frame).
  virtual bool IsContainer() const { return false; }
  // The window's answer to a message the subclass passed on: by default the
  // window's own procedure `next`, after a container routed its children's
  // notifications. A kind with a window class of its own (registered with
  // DefWindowProcW) paints here.
  virtual LRESULT Pass(WNDPROC next, HWND window, UINT message, WPARAM wparam,
                       LPARAM lparam);

  const std::string name;
  const std::string type_name;
  const ui::ControlTraits traits;
  ControlCore* container = nullptr;  // nullptr: the form

  HWND hwnd() const { return hwnd_; }
  // The form while it is loaded; nullptr once it was unloaded.
  Win32Form* form() const;
  // Forgets the window (the form destroyed it with its own).
  void WindowGone() { hwnd_ = nullptr; }
  // Shown and enabled, and so are its containers, on a visible form.
  bool Usable() const;
  // Visible, and so are its containers (the form may be hidden); a
  // windowless kind by its own flag.
  bool Shown() const;
  // The control as the form's description gives it, but for its depth;
  // `focus` is the window that has the keyboard focus.
  FormText::Control Describe(HWND focus);
  // The kind's own state as the description words it; "" for none.
  virtual std::string DescribeState() { return ""; }

  Event<> click, dbl_click, got_focus, lost_focus;
  Event<int, int, int, int> mouse_down, mouse_move, mouse_up;
  Event<int&, int&> key_down, key_up;
  Event<int&> key_press;

 protected:
  // First thing in every member: raises 364 when the form is unloaded.
  void Enter(std::string_view member) const;
  // Raises 438 when the kind lacks the member.
  static void Require(bool has, std::string_view member);
  template <typename... Args>
  Subscription Advise(Event<Args...>& event, std::string_view event_name,
                      std::function<void(Args...)> handler, bool has = true) {
    Enter(event_name);
    Require(has, event_name);
    return event.Subscribe(AtWindowBoundary(EntryName(event_name), std::move(handler)));
  }
  std::string EntryName(std::string_view event_name) const;

  // Makes the control's window of class `window_class` at its default size
  // (twips) in `parent`, subclassed, with the kind's default font; raises 5
  // when the system refuses it.
  void MakeWindow(HWND parent, const wchar_t* window_class, DWORD style, DWORD ex_style,
                  int32_t width, int32_t height);
  // Subclasses another window of the control (an inner window of a common
  // control) so that its mouse, key and focus messages are the control's.
  void Adopt(HWND window);
  // Sets the control's font (WM_SETFONT to its window), keeping the
  // description for GetFont.
  void ApplyFont(const ui::Font& font);
  // The colours the window paints with, for its WM_CTLCOLOR* messages.
  LRESULT Colours(HDC dc);
  // Called when Enabled is set; for windowless kinds.
  virtual void EnabledChanged() {}

  // What the members of ui::Control do once ui::ControlMembers checked
  // them (which: a ui::geometry edge, in twips).
  int32_t EdgeNow(int which);
  void SetEdgeNow(int which, int32_t twips);
  void PlaceNow(int32_t left, int32_t top, int32_t width, int32_t height);
  bool VisibleNow();
  void ShowNow(bool on);
  bool EnabledNow();
  void EnableNow(bool on);
  uint32_t BackColourNow() { return back_colour_; }
  void SetBackColourNow(uint32_t colour);
  std::string TipNow() { return tool_tip_; }
  void SetTipNow(std::string_view text);
  // Raises 5 when the control cannot take the focus.
  void FocusNow();
  // Font and ForeColor of the kinds that have them, entered as `member`.
  ui::Font FontMember(std::string_view member);
  void SetFontMember(std::string_view member, const ui::Font& font);
  uint32_t ForeColorMember(std::string_view member);
  void SetForeColorMember(std::string_view member, uint32_t colour);

  std::weak_ptr<Win32Form> form_;
  HWND hwnd_ = nullptr;
  bool visible_ = true;  // the windowless kinds' own flags
  bool enabled_ = true;
  uint32_t back_colour_;
  uint32_t fore_colour_ = 0x000000;
  SolidBrush brush_;
  ui::Font font_;
  GdiFont gdi_font_;
  std::string tool_tip_;

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam,
                                       LPARAM lparam);
  LRESULT Subclassed(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Mouse(Event<int, int, int, int>& event, int button, LPARAM lparam);
  // KeyDown/KeyUp with the form's KeyPreview; false when the key was consumed.
  bool Key(Event<int&, int&>& event, WPARAM& wparam, bool preview);

  // Moves the keyboard focus from `window` to the form's next control with
  // WS_TABSTOP (through containers, which are WS_EX_CONTROLPARENT).
  void MoveFocusOn(HWND window, bool backwards);

  TwipsPlace place_;  // the geometry as the add-in set it
  // The design name as the window property kDesignNameProp gives it.
  const std::wstring wide_name_;
  bool left_down_ = false;
  bool swallow_tab_char_ = false;
  bool tracking_leave_ = false;
};

// Routes a notification a child window sent `parent` (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR*) to the control that owns the child. True when
// the control answered it in `result`.
bool RouteToControl(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
// The control whose window `window` is (or an inner window of it); nullptr
// for another window.
ControlCore* ControlOf(HWND window);

// A control of the kind `I` on a form of real windows.
template <typename I>
class Control : public ui::ControlMembers<I, ControlCore> {
 public:
  Control(std::weak_ptr<Win32Form> form, std::string name)
      : ui::ControlMembers<I, ControlCore>(std::move(form), std::move(name)) {}
};

// The common failures of forms and controls.
HostError UnloadedError(std::string_view member);  // 364

}  // namespace pinlet::win32ui

#endif  // PINLET_PLATFORM_WIN32UI_WIN32_CONTROL_H_
