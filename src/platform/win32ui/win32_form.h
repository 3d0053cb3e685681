// A form of the add-in as a real top-level window (ui.h's Form).
//
// The window is of our own class ("PinletForm", WS_OVERLAPPEDWINDOW), its
// caption set with SetWindowTextW; geometry is converted between twips and
// the screen's pixels (twips.h). The window procedure raises the form's
// events (Resize on a change of the inside's size and on the first show,
// Activate/Deactivate, the close box's QueryUnload and Unload, the mouse,
// KeyDown), routes its children's notifications to their controls and the
// timers' ticks to the timers. Show(kModal) runs a message loop, the
// thread's other windows disabled, until the form is hidden or unloaded.
//
// The caller owns the form until it unloads; Unload destroys the window
// and its controls, and every later member raises 364.
#ifndef PINLET_PLATFORM_WIN32UI_WIN32_FORM_H_
#define PINLET_PLATFORM_WIN32UI_WIN32_FORM_H_

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/events.h"
#include "platform/ui_controls.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/win32_control.h"

namespace pinlet::win32ui {

class Win32Form : public ui::Form, public std::enable_shared_from_this<Win32Form> {
 public:
  explicit Win32Form(std::string design_name);
  // Destroys the window if the form was never unloaded.
  ~Win32Form() override;
  // Makes the hidden window; called once, right after make_shared. Raises 5
  // when the system refuses it.
  void Open();

  std::string Name() override;
  WindowHandle hWnd() override;
  std::string Caption() override;
  void SetCaption(std::string_view caption) override;
  int32_t Left() override;
  void SetLeft(int32_t twips) override;
  int32_t Top() override;
  void SetTop(int32_t twips) override;
  int32_t Width() override;
  void SetWidth(int32_t twips) override;
  int32_t Height() override;
  void SetHeight(int32_t twips) override;
  void Move(int32_t left, int32_t top, int32_t width, int32_t height) override;
  int32_t ScaleWidth() override;
  int32_t ScaleHeight() override;
  uint32_t BackColor() override;
  void SetBackColor(uint32_t colour) override;
  bool Visible() override;
  bool KeyPreview() override;
  void SetKeyPreview(bool on) override;
  void Show(int style) override;
  void Hide() override;
  void Unload() override;
  void SetFocus() override;
  void PopupMenu(const std::shared_ptr<ui::Menu>& menu) override;
  std::vector<ui::ControlPtr> Controls() override;
  ui::ControlPtr Control(std::string_view name) override;
  ui::ControlPtr AddControl(std::string_view type_name, std::string_view name,
                            std::string_view container) override;
  Subscription OnClick(ui::Handler h) override;
  Subscription OnMouseDown(ui::MouseHandler h) override;
  Subscription OnMouseMove(ui::MouseHandler h) override;
  Subscription OnKeyDown(ui::KeyHandler h) override;
  Subscription OnResize(ui::Handler h) override;
  Subscription OnActivate(ui::Handler h) override;
  Subscription OnDeactivate(ui::Handler h) override;
  Subscription OnGotFocus(ui::Handler h) override;
  Subscription OnQueryUnload(std::function<void(int&, int)> h) override;
  Subscription OnUnload(std::function<void(int&)> h) override;

  // What the controls use.
  const std::string& design_name() const { return design_name_; }
  HWND window() const { return hwnd_; }
  bool loaded() const { return loaded_; }
  bool key_preview() const { return key_preview_; }
  Event<int&, int&> key_down;
  // The mouse left a control: the form's MouseMove at the mouse's place.
  void MouseLeftControl();
  // The keyboard focus went to `control`, which the form gives it back to
  // when it is activated again.
  void FocusMovedTo(ControlCore* control);
  // Sets (or, with "", removes) the tool tip of a control's window.
  void SetToolTip(HWND control_window, const std::string& text);
  // The form as its description gives it (form_text.h).
  std::string Describe();
  // The loaded form whose window `window` is, in this module; nullptr for
  // any other window.
  static std::shared_ptr<Win32Form> Over(HWND window);
  // Whether the control of that design name is shown (it and its
  // containers visible) or usable (also enabled, on a visible form); false
  // when there is none.
  bool ControlShown(std::string_view name) const;
  bool ControlUsable(std::string_view name) const;
  // The user or the system closes the window: QueryUnload, then Unload,
  // each of which may cancel. True when the form was unloaded.
  bool Close(int unload_mode);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam,
                                     LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Enter(std::string_view member) const;
  template <typename... Args>
  Subscription Advise(Event<Args...>& event, std::string_view name,
                      std::function<void(Args...)> handler) {
    Enter("Form.Advise");
    return event.Subscribe(AtWindowBoundary(design_name_ + ".Form_" + std::string(name),
                                            std::move(handler)));
  }
  RECT WindowRect() const;
  void Place(int x, int y, int cx, int cy, UINT flags);
  // Shows the window: the first show fires Resize and gives the focus to
  // the first control that can take it.
  void ShowWindowNow();
  void RunModal();
  // Fires Resize when the inside's size changed since it last fired.
  void ResizedTo(SIZE inside);
  // Unloads without events: the window and the controls are gone.
  void UnloadWindow();
  ControlCore* Find(std::string_view name) const;
  ui::ControlPtr Public(const std::shared_ptr<ControlCore>& control) const;

  std::string design_name_;
  std::wstring wide_design_name_;  // for the window property kDesignNameProp
  HWND hwnd_ = nullptr;
  HWND tool_tip_ = nullptr;
  bool loaded_ = true;
  bool shown_once_ = false;
  bool key_preview_ = false;
  bool left_down_ = false;
  uint32_t back_colour_;
  SolidBrush brush_;
  SIZE last_inside_ = {-1, -1};
  TwipsPlace place_;  // the geometry as the add-in set it
  UINT_PTR next_timer_id_ = 1;
  std::vector<std::shared_ptr<ControlCore>> controls_;
  std::weak_ptr<ControlCore> focus_;
  Event<> click_, resize_, activate_, deactivate_, got_focus_;
  Event<int, int, int, int> mouse_down_, mouse_move_;
  Event<int&, int> query_unload_;
  Event<int&> unload_;
};

}  // namespace pinlet::win32ui

#endif  // PINLET_PLATFORM_WIN32UI_WIN32_FORM_H_
