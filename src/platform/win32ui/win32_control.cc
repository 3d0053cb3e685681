// What every control of a Win32 form shares: the members of ui::Control
// over its window, the subclass that raises its events, and the routing of
// its window's notifications.
#include "platform/win32ui/win32_control.h"

#include <windowsx.h>

#include "platform/wide_text.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/win32_form.h"

namespace pinlet::win32ui {
namespace {

// The window properties of a subclassed window: its control, and the
// procedure it had before.
constexpr wchar_t kControlProp[] = L"PinletControl";
constexpr wchar_t kNextProp[] = L"PinletNextProc";

// A window's rectangle in its parent's client coordinates, in pixels.
RECT PlaceInParent(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

HostError UnloadedError(std::string_view member) {
  return HostError(errors::kObjectUnloaded, "Object was unloaded", std::string(member));
}

ControlCore::ControlCore(std::weak_ptr<Win32Form> form, std::string name,
                         std::string_view type_name, ui::ControlTraits traits)
    : name(std::move(name)),
      type_name(type_name),
      traits(traits),
      form_(std::move(form)),
      back_colour_(GetSysColor(COLOR_BTNFACE)),
      wide_name_(Wide(this->name)) {}

ControlCore::~ControlCore() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

Win32Form* ControlCore::form() const {
  auto form = form_.lock();
  return form && form->loaded() ? form.get() : nullptr;
}

bool ControlCore::Usable() const {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return false;
  for (HWND w = hwnd_; w && (GetWindowLongW(w, GWL_STYLE) & WS_CHILD); w = GetParent(w))
    if (!IsWindowEnabled(w)) return false;
  return true;
}

FormText::Control ControlCore::Describe(HWND focus) {
  FormText::Control text;
  text.name = name;
  text.type_name = type_name;
  if (traits.geometry)
    text.rect = Rect{EdgeNow(ui::geometry::kLeft), EdgeNow(ui::geometry::kTop),
                     EdgeNow(ui::geometry::kWidth), EdgeNow(ui::geometry::kHeight)};
  if (traits.back_colour) text.back_colour = back_colour_;
  text.tool_tip = tool_tip_;
  text.enabled = hwnd_ ? (GetWindowLongW(hwnd_, GWL_STYLE) & WS_DISABLED) == 0 : enabled_;
  // An inner window of the control's (a combo box's) counts as the control.
  text.focus = hwnd_ && focus && ControlOf(focus) == this;
  text.state = DescribeState();
  return text;
}

bool ControlCore::Shown() const {
  if (!hwnd_) return visible_;
  for (HWND w = hwnd_; w && (GetWindowLongW(w, GWL_STYLE) & WS_CHILD); w = GetParent(w))
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE)) return false;
  return true;
}

void ControlCore::Enter(std::string_view member) const {
  if (!form()) throw UnloadedError(member);
}

void ControlCore::Require(bool has, std::string_view member) {
  if (!has) throw NotSupportedError(std::string(member));
}

std::string ControlCore::EntryName(std::string_view event_name) const {
  Win32Form* f = form();
  return (f ? f->design_name() : std::string("?")) + "." + name + "_" +
         std::string(event_name);
}

void ControlCore::MakeWindow(HWND parent, const wchar_t* window_class, DWORD style,
                             DWORD ex_style, int32_t width, int32_t height) {
  hwnd_ = CreateWindowExW(ex_style, window_class, L"",
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0,
                          TwipsToPixelsX(width), TwipsToPixelsY(height), parent, nullptr,
                          ThisModule(), nullptr);
  if (!hwnd_) throw InvalidArgumentError("Controls.Add");
  Adopt(hwnd_);
  ApplyFont(font_);
}

void ControlCore::Adopt(HWND window) {
  SetPropW(window, kControlProp, static_cast<HANDLE>(this));
  SetPropW(window, kDesignNameProp,
           reinterpret_cast<HANDLE>(const_cast<wchar_t*>(wide_name_.c_str())));
  LONG_PTR next = SetWindowLongPtrW(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlCore::SubclassProc));
  SetPropW(window, kNextProp, reinterpret_cast<HANDLE>(next));
}

void ControlCore::ApplyFont(const ui::Font& font) {
  GdiFont made(font);
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
  font_ = font;
  gdi_font_ = std::move(made);  // the window no longer uses the old one
}

LRESULT ControlCore::Colours(HDC dc) {
  SetBkColor(dc, back_colour_);
  SetTextColor(dc, fore_colour_);
  return reinterpret_cast<LRESULT>(brush_.Of(back_colour_));
}

bool ControlCore::Notify(UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
  // WM_CTLCOLOR*: the DC in wparam, the control's window in lparam.
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC &&
      traits.back_colour) {
    result = Colours(reinterpret_cast<HDC>(wparam));
    return true;
  }
  return false;
}

LRESULT ControlCore::Pass(WNDPROC next, HWND window, UINT message, WPARAM wparam,
                          LPARAM lparam) {
  LRESULT routed = 0;
  if (IsContainer() && RouteToControl(message, wparam, lparam, routed)) return routed;
  return CallWindowProcW(next, window, message, wparam, lparam);
}

LRESULT CALLBACK ControlCore::SubclassProc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  auto* control = static_cast<ControlCore*>(GetPropW(window, kControlProp));
  auto next = reinterpret_cast<WNDPROC>(GetPropW(window, kNextProp));
  if (!control || !next) return DefWindowProcW(window, message, wparam, lparam);
  return InWindowProc("Control.WindowProc", 0, [&] {
    return control->Subclassed(window, message, wparam, lparam);
  });
}

void ControlCore::Mouse(Event<int, int, int, int>& event, int button, LPARAM lparam) {
  POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  event.Fire(button, ShiftState(), PixelsToTwipsX(at.x), PixelsToTwipsY(at.y));
}

bool ControlCore::Key(Event<int&, int&>& event, WPARAM& wparam, bool preview) {
  int code = static_cast<int>(wparam), shift = ShiftState();
  Win32Form* f = form();
  if (preview && f && f->key_preview()) {
    f->key_down.Fire(code, shift);
    if (code == 0) return false;
  }
  event.Fire(code, shift);
  if (code == 0) return false;
  wparam = static_cast<WPARAM>(code);
  return true;
}

LRESULT ControlCore::Subclassed(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto next = reinterpret_cast<WNDPROC>(GetPropW(window, kNextProp));
  // A handler may unload the form; a control already going answers nothing.
  auto keep = weak_from_this().lock();
  if (!keep) return CallWindowProcW(next, window, message, wparam, lparam);
  // A mouse position on an inner window counts from the control's corner.
  auto here = [&] {
    POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    if (window != hwnd_ && hwnd_) MapWindowPoints(window, hwnd_, &at, 1);
    return MAKELPARAM(at.x, at.y);
  };
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      left_down_ = true;
      Mouse(mouse_down, ui::mouse::kLeft, here());
      if (message == WM_LBUTTONDBLCLK && IsWindow(window)) dbl_click.Fire();
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      Mouse(mouse_down, ui::mouse::kRight, here());
      break;
    case WM_MBUTTONDOWN:
      Mouse(mouse_down, ui::mouse::kMiddle, here());
      break;
    case WM_MOUSEMOVE:
      if (!tracking_leave_ && type_name == ui::Image::kTypeName) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
        tracking_leave_ = TrackMouseEvent(&track) != FALSE;
      }
      Mouse(mouse_move, MouseButtons(wparam), here());
      break;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      // The form hears where the mouse went, so that a picture button it
      // left can show its plain face again.
      if (Win32Form* f = form()) f->MouseLeftControl();
      break;
    case WM_LBUTTONUP: {
      bool was_down = std::exchange(left_down_, false);
      Mouse(mouse_up, ui::mouse::kLeft, here());
      if (was_down && ClickOnMouseUp() && IsWindow(window)) click.Fire();
      break;
    }
    case WM_RBUTTONUP:
      Mouse(mouse_up, ui::mouse::kRight, here());
      break;
    case WM_MBUTTONUP:
      Mouse(mouse_up, ui::mouse::kMiddle, here());
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!Key(key_down, wparam, true)) return 0;
      // Tab moves the focus to the next (Shift+Tab the previous) control
      // that takes it, as a form does without a dialog manager; the box
      // keeps no tab character.
      if (message == WM_KEYDOWN && wparam == VK_TAB && IsWindow(window)) {
        MoveFocusOn(window, GetKeyState(VK_SHIFT) < 0);
        swallow_tab_char_ = true;
        return 0;
      }
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!Key(key_up, wparam, false)) return 0;
      break;
    case WM_CHAR: {
      if (wparam == L'\t' && std::exchange(swallow_tab_char_, false)) return 0;
      int code = static_cast<int>(wparam);
      key_press.Fire(code);
      if (code == 0) return 0;
      wparam = static_cast<WPARAM>(code);
      break;
    }
    case WM_SETFOCUS: {
      LRESULT result = Pass(next, window, message, wparam, lparam);
      if (ControlOf(reinterpret_cast<HWND>(wparam)) != this) {
        if (Win32Form* f = form()) f->FocusMovedTo(this);
        got_focus.Fire();
      }
      return result;
    }
    case WM_KILLFOCUS: {
      LRESULT result = Pass(next, window, message, wparam, lparam);
      if (ControlOf(reinterpret_cast<HWND>(wparam)) != this) lost_focus.Fire();
      return result;
    }
    case WM_NCDESTROY: {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
      RemovePropW(window, kControlProp);
      RemovePropW(window, kNextProp);
      RemovePropW(window, kDesignNameProp);
      if (window == hwnd_) hwnd_ = nullptr;
      return CallWindowProcW(next, window, message, wparam, lparam);
    }
  }
  // A handler may have unloaded the form, and its windows with it.
  if (!IsWindow(window)) return 0;
  return Pass(next, window, message, wparam, lparam);
}

void ControlCore::MoveFocusOn(HWND window, bool backwards) {
  Win32Form* f = form();
  if (!f) return;
  HWND next = GetNextDlgTabItem(f->window(), window, backwards);
  if (next && next != window) ::SetFocus(next);
}

bool RouteToControl(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  HWND child = nullptr;
  if (message == WM_COMMAND)
    child = reinterpret_cast<HWND>(lparam);
  else if (message == WM_NOTIFY)
    child = reinterpret_cast<NMHDR*>(lparam)->hwndFrom;
  else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    child = reinterpret_cast<HWND>(lparam);
  ControlCore* control = child ? ControlOf(child) : nullptr;
  if (!control) return false;
  auto keep = control->weak_from_this().lock();
  return keep && control->Notify(message, wparam, lparam, result);
}

ControlCore* ControlOf(HWND window) {
  if (!window) return nullptr;
  return static_cast<ControlCore*>(GetPropW(window, kControlProp));
}

int32_t ControlCore::EdgeNow(int which) {
  RECT r = PlaceInParent(hwnd_);
  const int32_t pixels[4] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  return place_.Get(static_cast<TwipsPlace::Edge>(which), pixels[which]);
}

void ControlCore::SetEdgeNow(int which, int32_t value) {
  RECT r = PlaceInParent(hwnd_);
  int x = r.left, y = r.top, cx = r.right - r.left, cy = r.bottom - r.top;
  if (which == 0) x = TwipsToPixelsX(value);
  if (which == 1) y = TwipsToPixelsY(value);
  if (which == 2) cx = TwipsToPixelsX(value);
  if (which == 3) cy = TwipsToPixelsY(value);
  place_.Set(static_cast<TwipsPlace::Edge>(which), value);
  SetWindowPos(hwnd_, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlCore::PlaceNow(int32_t left, int32_t top, int32_t width, int32_t height) {
  const int32_t twips[4] = {left, top, width, height};
  for (int edge = 0; edge < 4; ++edge)
    place_.Set(static_cast<TwipsPlace::Edge>(edge), twips[edge]);
  SetWindowPos(hwnd_, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top),
               TwipsToPixelsX(width), TwipsToPixelsY(height),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ControlCore::VisibleNow() {
  if (!hwnd_) return visible_;
  return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void ControlCore::ShowNow(bool on) {
  visible_ = on;
  if (hwnd_) ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE);
}

bool ControlCore::EnabledNow() {
  return hwnd_ ? IsWindowEnabled(hwnd_) != FALSE : enabled_;
}

void ControlCore::EnableNow(bool on) {
  enabled_ = on;
  if (hwnd_) EnableWindow(hwnd_, on);
  EnabledChanged();
}

void ControlCore::SetBackColourNow(uint32_t colour) {
  back_colour_ = colour & 0xFFFFFF;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

ui::Font ControlCore::FontMember(std::string_view member) {
  Enter(member);
  return font_;
}

void ControlCore::SetFontMember(std::string_view member, const ui::Font& font) {
  Enter(member);
  ApplyFont(font);
}

uint32_t ControlCore::ForeColorMember(std::string_view member) {
  Enter(member);
  return fore_colour_;
}

void ControlCore::SetForeColorMember(std::string_view member, uint32_t colour) {
  Enter(member);
  fore_colour_ = colour & 0xFFFFFF;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void ControlCore::SetTipNow(std::string_view text) {
  tool_tip_ = std::string(text);
  if (hwnd_) form()->SetToolTip(hwnd_, tool_tip_);
}

void ControlCore::FocusNow() {
  if (!Usable()) throw InvalidArgumentError("Control.SetFocus");
  ::SetFocus(hwnd_);
  HWND now = GetFocus();
  if (now != hwnd_ && !IsChild(hwnd_, now))
    throw InvalidArgumentError("Control.SetFocus");
}

}  // namespace pinlet::win32ui
