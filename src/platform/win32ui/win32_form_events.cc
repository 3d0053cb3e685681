// The form's window procedure and what the user does to the window: its
// events, the close box, the popup menu, the tool tips.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <windowsx.h>

#include "platform/wide_text.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/win32_controls.h"
#include "platform/win32ui/win32_form.h"

namespace pinlet::win32ui {

LRESULT CALLBACK Win32Form::WindowProc(HWND window, UINT message, WPARAM wparam,
                                       LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && form) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    RemovePropW(window, kDesignNameProp);
    RemovePropW(window, kModalProp);
    form->hwnd_ = nullptr;
    form->tool_tip_ = nullptr;  // an owned window, gone with its owner
    form = nullptr;
  }
  // A form being destroyed answers nothing of its own any more.
  std::shared_ptr<Win32Form> keep = form ? form->weak_from_this().lock() : nullptr;
  if (!keep || form->hwnd_ != window)
    return DefWindowProcW(window, message, wparam, lparam);
  return InWindowProc("Form.WindowProc", 0,
                      [&] { return form->Handle(message, wparam, lparam); });
}

std::shared_ptr<Win32Form> Win32Form::Over(HWND window) {
  // Only a window of the form's own class carries a form in its user data.
  if (!window || !IsWindow(window) ||
      GetClassLongPtrW(window, GCLP_WNDPROC) !=
          reinterpret_cast<ULONG_PTR>(&Win32Form::WindowProc))
    return nullptr;
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form || form->hwnd_ != window || !form->loaded_) return nullptr;
  return form->weak_from_this().lock();
}

LRESULT Win32Form::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = hwnd_;
  auto at = [&](int button, Event<int, int, int, int>& event) {
    event.Fire(button, ShiftState(), PixelsToTwipsX(GET_X_LPARAM(lparam)),
               PixelsToTwipsY(GET_Y_LPARAM(lparam)));
  };
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
      LRESULT result = 0;
      if (RouteToControl(message, wparam, lparam, result)) return result;
      break;
    }
    case WM_ERASEBKGND: {
      RECT inside;
      GetClientRect(window, &inside);
      FillRect(reinterpret_cast<HDC>(wparam), &inside, brush_.Of(back_colour_));
      return 1;
    }
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) ResizedTo({LOWORD(lparam), HIWORD(lparam)});
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        deactivate_.Fire();
        return 0;
      }
      activate_.Fire();
      got_focus_.Fire();
      if (auto focus = focus_.lock(); focus && focus->Usable()) {
        ::SetFocus(focus->hwnd());
        return 0;
      }
      break;
    case WM_CLOSE:
      Close(ui::unload_mode::kFormControlMenu);
      return 0;
    case WM_TIMER:
      for (const auto& control : controls_) {
        auto* timer = dynamic_cast<TimerControl*>(control.get());
        if (timer && timer->id() == wparam) {
          auto keep = control;
          timer->Tick();
          return 0;
        }
      }
      break;
    case WM_LBUTTONDOWN:
      left_down_ = true;
      at(ui::mouse::kLeft, mouse_down_);
      return 0;
    case WM_RBUTTONDOWN:
      at(ui::mouse::kRight, mouse_down_);
      return 0;
    case WM_MBUTTONDOWN:
      at(ui::mouse::kMiddle, mouse_down_);
      return 0;
    case WM_LBUTTONUP:
      if (std::exchange(left_down_, false)) click_.Fire();
      return 0;
    case WM_MOUSEMOVE:
      at(MouseButtons(wparam), mouse_move_);
      return 0;
    case WM_KEYDOWN: {
      int code = static_cast<int>(wparam), shift = ShiftState();
      key_down.Fire(code, shift);
      return 0;
    }
  }
  if (!hwnd_) return 0;  // a handler unloaded the form
  return DefWindowProcW(window, message, wparam, lparam);
}

void Win32Form::PopupMenu(const std::shared_ptr<ui::Menu>& menu) {
  Enter("Form.PopupMenu");
  ControlCore* top = nullptr;
  for (const auto& control : controls_)
    if (control->AsControl() == menu.get() && dynamic_cast<MenuControl*>(control.get()) &&
        !control->container)
      top = control.get();
  if (!top) throw InvalidArgumentError("Form.PopupMenu");
  HMENU popup = CreatePopupMenu();
  if (!popup) throw InvalidArgumentError("Form.PopupMenu");
  std::vector<std::shared_ptr<ControlCore>> entries;
  for (const auto& control : controls_) {
    auto* entry = dynamic_cast<MenuControl*>(control.get());
    if (control->container != top || !entry->visible()) continue;
    entries.push_back(control);
    UINT flags = entry->caption() == "-" ? MF_SEPARATOR : MF_STRING;
    if (entry->checked()) flags |= MF_CHECKED;
    if (!entry->enabled()) flags |= MF_GRAYED;
    AppendMenuW(popup, flags, entries.size(), Wide(entry->caption()).c_str());
  }
  auto self = shared_from_this();
  POINT at = {};
  GetCursorPos(&at);
  UINT chosen = static_cast<UINT>(
      TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0,
                     hwnd_, nullptr));
  DestroyMenu(popup);
  if (chosen >= 1 && chosen <= entries.size() && loaded_)
    entries[chosen - 1]->click.Fire();
}

void Win32Form::MouseLeftControl() {
  POINT at = {};
  GetCursorPos(&at);
  ScreenToClient(hwnd_, &at);
  mouse_move_.Fire(0, ShiftState(), PixelsToTwipsX(at.x), PixelsToTwipsY(at.y));
}

void Win32Form::FocusMovedTo(ControlCore* control) { focus_ = control->weak_from_this(); }

void Win32Form::SetToolTip(HWND control_window, const std::string& text) {
  if (!tool_tip_) {
    tool_tip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                        nullptr, ThisModule(), nullptr);
    if (!tool_tip_) return;
  }
  std::wstring wide = Wide(text);
  TTTOOLINFOW tool = {};
  // The size comctl32 5 (Windows XP without a manifest) accepts.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control_window);
  tool.lpszText = wide.data();
  SendMessageW(tool_tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!wide.empty())
    SendMessageW(tool_tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool Win32Form::Close(int unload_mode) {
  auto self = shared_from_this();
  int cancel = 0;
  query_unload_.Fire(cancel, unload_mode);
  if (cancel != 0 || !loaded_) return !loaded_;
  unload_.Fire(cancel);
  if (cancel != 0 || !loaded_) return !loaded_;
  UnloadWindow();
  return true;
}

Subscription Win32Form::OnClick(ui::Handler h) { return Advise(click_, "Click", h); }
Subscription Win32Form::OnMouseDown(ui::MouseHandler h) {
  return Advise(mouse_down_, "MouseDown", h);
}
Subscription Win32Form::OnMouseMove(ui::MouseHandler h) {
  return Advise(mouse_move_, "MouseMove", h);
}
Subscription Win32Form::OnKeyDown(ui::KeyHandler h) {
  return Advise(key_down, "KeyDown", h);
}
Subscription Win32Form::OnResize(ui::Handler h) { return Advise(resize_, "Resize", h); }
Subscription Win32Form::OnActivate(ui::Handler h) {
  return Advise(activate_, "Activate", h);
}
Subscription Win32Form::OnDeactivate(ui::Handler h) {
  return Advise(deactivate_, "Deactivate", h);
}
Subscription Win32Form::OnGotFocus(ui::Handler h) {
  return Advise(got_focus_, "GotFocus", h);
}
Subscription Win32Form::OnQueryUnload(std::function<void(int&, int)> h) {
  return Advise(query_unload_, "QueryUnload", h);
}
Subscription Win32Form::OnUnload(std::function<void(int&)> h) {
  return Advise(unload_, "Unload", h);
}

}  // namespace pinlet::win32ui
