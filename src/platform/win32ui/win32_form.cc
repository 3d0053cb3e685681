#include "platform/win32ui/win32_form.h"

#include <algorithm>

#include "platform/wide_text.h"
#include "platform/text.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/win32_controls.h"

namespace pinlet::win32ui {
namespace {

// Where a new form's window is, in twips, until the add-in places it.
constexpr int32_t kNewLeft = 1500, kNewTop = 1500, kNewWidth = 4800, kNewHeight = 3600;

struct ModalDisabling {
  HWND modal;
  std::vector<HWND> disabled;
};

// Disables the thread's other visible, enabled top-level windows while a
// form is shown modally.
BOOL CALLBACK DisableOthers(HWND window, LPARAM lparam) {
  auto* state = reinterpret_cast<ModalDisabling*>(lparam);
  if (window != state->modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    state->disabled.push_back(window);
  }
  return TRUE;
}

}  // namespace

Win32Form::Win32Form(std::string design_name)
    : design_name_(std::move(design_name)),
      wide_design_name_(Wide(design_name_)),
      back_colour_(GetSysColor(COLOR_BTNFACE)) {}

Win32Form::~Win32Form() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Win32Form::Open() {
  InitCommonControlsOnce();
  const wchar_t* window_class = OurWindowClass(kFormWindowClass, &Win32Form::WindowProc);
  hwnd_ = CreateWindowExW(0, window_class, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          TwipsToPixelsX(kNewLeft), TwipsToPixelsY(kNewTop),
                          TwipsToPixelsX(kNewWidth), TwipsToPixelsY(kNewHeight), nullptr,
                          nullptr, ThisModule(), this);
  if (!hwnd_) throw InvalidArgumentError("Forms.Add");
  SetPropW(hwnd_, kDesignNameProp,
           reinterpret_cast<HANDLE>(const_cast<wchar_t*>(wide_design_name_.c_str())));
}

void Win32Form::Enter(std::string_view member) const {
  if (!loaded_) throw UnloadedError(member);
}

RECT Win32Form::WindowRect() const {
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  return r;
}

void Win32Form::Place(int x, int y, int cx, int cy, UINT flags) {
  SetWindowPos(hwnd_, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

void Win32Form::ResizedTo(SIZE inside) {
  if (inside.cx == last_inside_.cx && inside.cy == last_inside_.cy) return;
  last_inside_ = inside;
  resize_.Fire();
}

std::string Win32Form::Name() {
  Enter("Form.Name");
  return design_name_;
}

WindowHandle Win32Form::hWnd() {
  Enter("Form.hWnd");
  return HandleOf(hwnd_);
}

std::string Win32Form::Caption() {
  Enter("Form.Caption");
  return Narrow(WindowTextOf(hwnd_));
}

void Win32Form::SetCaption(std::string_view caption) {
  Enter("Form.Caption");
  SetWindowTextW(hwnd_, Wide(caption).c_str());
}

int32_t Win32Form::Left() {
  Enter("Form.Left");
  return place_.Get(TwipsPlace::kLeft, WindowRect().left);
}

void Win32Form::SetLeft(int32_t twips) {
  Enter("Form.Left");
  RECT r = WindowRect();
  place_.Set(TwipsPlace::kLeft, twips);
  Place(TwipsToPixelsX(twips), r.top, 0, 0, SWP_NOSIZE);
}

int32_t Win32Form::Top() {
  Enter("Form.Top");
  return place_.Get(TwipsPlace::kTop, WindowRect().top);
}

void Win32Form::SetTop(int32_t twips) {
  Enter("Form.Top");
  RECT r = WindowRect();
  place_.Set(TwipsPlace::kTop, twips);
  Place(r.left, TwipsToPixelsY(twips), 0, 0, SWP_NOSIZE);
}

int32_t Win32Form::Width() {
  Enter("Form.Width");
  RECT r = WindowRect();
  return place_.Get(TwipsPlace::kWidth, r.right - r.left);
}

void Win32Form::SetWidth(int32_t twips) {
  Enter("Form.Width");
  if (twips < 0) throw InvalidPropertyValueError("Form.Width");
  RECT r = WindowRect();
  place_.Set(TwipsPlace::kWidth, twips);
  Place(0, 0, TwipsToPixelsX(twips), r.bottom - r.top, SWP_NOMOVE);
}

int32_t Win32Form::Height() {
  Enter("Form.Height");
  RECT r = WindowRect();
  return place_.Get(TwipsPlace::kHeight, r.bottom - r.top);
}

void Win32Form::SetHeight(int32_t twips) {
  Enter("Form.Height");
  if (twips < 0) throw InvalidPropertyValueError("Form.Height");
  RECT r = WindowRect();
  place_.Set(TwipsPlace::kHeight, twips);
  Place(0, 0, r.right - r.left, TwipsToPixelsY(twips), SWP_NOMOVE);
}

void Win32Form::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
  Enter("Form.Move");
  if (width < 0 || height < 0) throw InvalidPropertyValueError("Form.Move");
  place_.Set(TwipsPlace::kLeft, left);
  place_.Set(TwipsPlace::kTop, top);
  place_.Set(TwipsPlace::kWidth, width);
  place_.Set(TwipsPlace::kHeight, height);
  Place(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
        TwipsToPixelsY(height), 0);
}

int32_t Win32Form::ScaleWidth() {
  Enter("Form.ScaleWidth");
  RECT inside = {};
  GetClientRect(hwnd_, &inside);
  return PixelsToTwipsX(inside.right);
}

int32_t Win32Form::ScaleHeight() {
  Enter("Form.ScaleHeight");
  RECT inside = {};
  GetClientRect(hwnd_, &inside);
  return PixelsToTwipsY(inside.bottom);
}

uint32_t Win32Form::BackColor() {
  Enter("Form.BackColor");
  return back_colour_;
}

void Win32Form::SetBackColor(uint32_t colour) {
  Enter("Form.BackColor");
  back_colour_ = colour & 0xFFFFFF;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Win32Form::Visible() {
  Enter("Form.Visible");
  return IsWindowVisible(hwnd_) != FALSE;
}

bool Win32Form::KeyPreview() {
  Enter("Form.KeyPreview");
  return key_preview_;
}

void Win32Form::SetKeyPreview(bool on) {
  Enter("Form.KeyPreview");
  key_preview_ = on;
}

void Win32Form::Show(int style) {
  Enter("Form.Show");
  if (style != ui::kModal && style != ui::kModeless)
    throw InvalidArgumentError("Form.Show");
  if (style == ui::kModeless) return ShowWindowNow();
  if (IsWindowVisible(hwnd_))
    throw HostError(errors::kFormAlreadyDisplayed,
                    "Form already displayed; can't show modally", "Form.Show");
  RunModal();
}

void Win32Form::ShowWindowNow() {
  auto self = shared_from_this();  // a handler may unload the form
  bool first = !shown_once_;
  shown_once_ = true;
  if (first) {
    RECT inside = {};
    GetClientRect(hwnd_, &inside);
    last_inside_ = {inside.right, inside.bottom};
    resize_.Fire();
  }
  if (!loaded_) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (!first || !loaded_ || focus_.lock()) return;
  for (const auto& control : controls_) {
    if (control->traits.focusable && control->Usable()) {
      ::SetFocus(control->hwnd());
      break;
    }
  }
}

void Win32Form::RunModal() {
  auto self = shared_from_this();
  ModalDisabling others{hwnd_, {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOthers,
                    reinterpret_cast<LPARAM>(&others));
  SetPropW(hwnd_, kModalProp, reinterpret_cast<HANDLE>(1));
  ShowWindowNow();
  MSG msg;
  while (loaded_ && IsWindowVisible(hwnd_)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {  // the thread is quitting: the outer loop must see it too
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (hwnd_) RemovePropW(hwnd_, kModalProp);
  for (HWND window : others.disabled)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  // A form that hides or unloads itself does so while the other windows are
  // still disabled, when the system can activate none of them. Unless one
  // has been activated meanwhile, the front-most of them is activated, as
  // the system would have done had it been enabled.
  HWND now = GetActiveWindow();
  if (now && now != hwnd_ && IsWindowVisible(now)) return;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (!IsWindowVisible(w)) continue;
    if (std::find(others.disabled.begin(), others.disabled.end(), w) ==
        others.disabled.end())
      continue;
    SetActiveWindow(w);
    break;
  }
}

void Win32Form::Hide() {
  Enter("Form.Hide");
  ShowWindow(hwnd_, SW_HIDE);
}

void Win32Form::Unload() {
  Enter("Form.Unload");
  UnloadWindow();
}

void Win32Form::UnloadWindow() {
  if (!loaded_) return;
  auto self = shared_from_this();  // the caller may hold the last reference
  loaded_ = false;
  for (const auto& control : controls_)
    if (auto* timer = dynamic_cast<TimerControl*>(control.get())) timer->Stop();
  // The controls' windows go with the form's.
  if (hwnd_) DestroyWindow(hwnd_);
  controls_.clear();
}

void Win32Form::SetFocus() {
  Enter("Form.SetFocus");
  if (!IsWindowVisible(hwnd_)) throw InvalidArgumentError("Form.SetFocus");
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
}

std::vector<ui::ControlPtr> Win32Form::Controls() {
  Enter("Form.Controls");
  std::vector<ui::ControlPtr> out;
  for (const auto& control : controls_) out.push_back(Public(control));
  return out;
}

ui::ControlPtr Win32Form::Control(std::string_view name) {
  Enter("Controls.Item");
  for (const auto& control : controls_)
    if (EqualsIgnoringCase(control->name, name)) return Public(control);
  throw HostError(errors::kControlNotFound,
                  "Control '" + std::string(name) + "' not found", "Controls.Item");
}

ui::ControlPtr Win32Form::AddControl(std::string_view type_name, std::string_view name,
                                     std::string_view container) {
  Enter("Controls.Add");
  if (name.empty() || Find(name)) throw InvalidArgumentError("Controls.Add");
  ControlCore* parent = nullptr;
  bool is_menu = type_name == ui::Menu::kTypeName;
  if (!container.empty()) {
    parent = Find(container);
    bool fits = parent && (is_menu ? parent->type_name == ui::Menu::kTypeName
                                   : parent->IsContainer());
    if (!fits) throw InvalidArgumentError("Controls.Add");
  }
  std::shared_ptr<ControlCore> control;
  if (type_name == ui::Timer::kTypeName)
    control = std::make_shared<TimerControl>(weak_from_this(), std::string(name),
                                             next_timer_id_++);
  else
    control = MakeControl(weak_from_this(), type_name, std::string(name));
  if (!control) throw InvalidArgumentError("Controls.Add");
  control->container = parent;
  control->Create(parent && !is_menu ? parent->hwnd() : hwnd_);
  controls_.push_back(control);
  return Public(control);
}

ControlCore* Win32Form::Find(std::string_view name) const {
  for (const auto& control : controls_)
    if (EqualsIgnoringCase(control->name, name)) return control.get();
  return nullptr;
}

std::string Win32Form::Describe() {
  FormText text;
  text.design_name = design_name_;
  text.caption = Caption();
  text.handle = hWnd();
  text.visible = IsWindowVisible(hwnd_);
  text.active = GetActiveWindow() == hwnd_;
  text.top_most = (GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  text.rect = Rect{Left(), Top(), Width(), Height()};
  text.back_colour = back_colour_;
  HWND focus = GetFocus();
  for (const auto& control : controls_) {
    if (!control->Shown()) {
      ++text.hidden;
      continue;
    }
    FormText::Control shown = control->Describe(focus);
    for (const ControlCore* c = control->container; c; c = c->container) ++shown.depth;
    text.shown.push_back(std::move(shown));
  }
  return DescribeForm(text);
}

bool Win32Form::ControlShown(std::string_view name) const {
  const ControlCore* control = Find(name);
  return control && control->Shown();
}

bool Win32Form::ControlUsable(std::string_view name) const {
  const ControlCore* control = Find(name);
  return control && control->Usable();
}

ui::ControlPtr Win32Form::Public(const std::shared_ptr<ControlCore>& control) const {
  return ui::ControlPtr(control, control->AsControl());
}

}  // namespace pinlet::win32ui
