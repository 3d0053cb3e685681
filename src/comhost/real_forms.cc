#include "comhost/real_forms.h"

#include <cwchar>
#include <vector>

#include "app/driver.h"
#include "platform/com/com_ptr.h"
#include "platform/display_text.h"
#include "platform/sim/world.h"
#include "platform/text.h"
#include "platform/win32ui/form_probe.h"

namespace pinlet::comhost {
namespace {

using Kind = sim::FormAction::Kind;
using win32ui::kDesignNameProp;

// How often the thread's timer looks for a modal form to close.
constexpr UINT kModalSweepMs = 20;

thread_local RealForms* current = nullptr;

// The design name a window of the add-in's forms carries; "" for another.
std::string DesignNameOf(HWND window) {
  auto* name = static_cast<const wchar_t*>(GetPropW(window, kDesignNameProp));
  return name ? com::Narrow(name) : "";
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  if (length <= 0) return "";
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), length + 1));
  return com::Narrow(text);
}

bool IsOurForm(HWND window) {
  wchar_t name[32] = {};
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId() && GetClassNameW(window, name, 32) &&
         std::wcscmp(name, win32ui::kFormWindowClass) == 0 &&
         GetPropW(window, kDesignNameProp);
}

WindowHandle HandleOf(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<uintptr_t>(window));
}

HWND WindowOf(const app::FormRef& form) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(form.handle));
  return IsWindow(window) && IsOurForm(window) ? window : nullptr;
}

// The control of `form` named `name` (ignoring case); the form itself for
// its own design name; nullptr when there is none.
HWND FindControl(HWND form, const std::string& name) {
  if (EqualsIgnoringCase(DesignNameOf(form), name)) return form;
  struct Search {
    const std::string& name;
    HWND found;
  } search{name, nullptr};
  EnumChildWindows(
      form,
      [](HWND child, LPARAM lparam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lparam);
        if (!EqualsIgnoringCase(DesignNameOf(child), s->name)) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsButton(HWND window) {
  wchar_t name[16] = {};
  return GetClassNameW(window, name, 16) && _wcsicmp(name, L"Button") == 0;
}

// Holds the shift keys of `shift` (ui::shift) down in the thread's keyboard
// state while it lives, as the user's fingers do.
class HeldKeys {
 public:
  explicit HeldKeys(int shift) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    auto hold = [&](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
    hold(VK_SHIFT, shift & ui::shift::kShift);
    hold(VK_CONTROL, shift & ui::shift::kCtrl);
    hold(VK_MENU, shift & ui::shift::kAlt);
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256] = {};
};

// One key: down, its character (when it gives one), up.
void PressKey(HWND window, int key_code, int shift, int ch) {
  HeldKeys held(shift);
  SendMessageW(window, WM_KEYDOWN, key_code, 1);
  if (IsWindow(window) && ch) SendMessageW(window, WM_CHAR, ch, 1);
  if (IsWindow(window)) SendMessageW(window, WM_KEYUP, key_code, 0xC0000001);
}

// A character with no key of its own: its UTF-16 units as WM_CHAR.
void SendCharacter(HWND window, int ch) {
  std::u16string units = Utf8ToUtf16(CodePointToUtf8(static_cast<char32_t>(ch)));
  for (char16_t unit : units)
    if (IsWindow(window)) SendMessageW(window, WM_CHAR, unit, 1);
}

// The mouse's button messages of `button` (ui::mouse) at the middle of
// `window`: down, up, or both.
void MouseButton(HWND window, int button, bool down, bool up) {
  RECT inside = {};
  GetClientRect(window, &inside);
  LPARAM at = MAKELPARAM(inside.right / 2, inside.bottom / 2);
  UINT down_message = button == ui::mouse::kRight    ? WM_RBUTTONDOWN
                      : button == ui::mouse::kMiddle ? WM_MBUTTONDOWN
                                                     : WM_LBUTTONDOWN;
  WPARAM keys = button == ui::mouse::kRight    ? MK_RBUTTON
                : button == ui::mouse::kMiddle ? MK_MBUTTON
                                               : MK_LBUTTON;
  SendMessageW(window, WM_MOUSEMOVE, 0, at);
  if (down && IsWindow(window)) SendMessageW(window, down_message, keys, at);
  if (up && IsWindow(window)) SendMessageW(window, down_message + 1, 0, at);
}

}  // namespace

RealForms::RealForms(sim::World& world) : world_(world) {
  if (current) return;  // one per thread
  timer_ = SetTimer(nullptr, 0, kModalSweepMs, SweepModalForms);
  if (timer_) current = this;
}

RealForms::~RealForms() {
  if (!timer_) return;
  KillTimer(nullptr, timer_);
  current = nullptr;
}

std::optional<app::FormRef> RealForms::Find(std::string_view name) {
  // Top-level windows front to back: the first that matches is the
  // front-most.
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (!IsOurForm(w)) continue;
    std::string design = DesignNameOf(w), caption = WindowText(w);
    if (!EqualsIgnoringCase(HandleText(HandleOf(w)), name) &&
        !EqualsIgnoringCase(design, name) && !EqualsIgnoringCase(caption, name))
      continue;
    return app::FormRef{HandleOf(w), design, caption, IsWindowVisible(w) != FALSE};
  }
  return std::nullopt;
}

int RealForms::Perform(const app::FormRef& form, const sim::FormAction& action,
                       std::string& error) {
  HWND window = WindowOf(form);
  if (!window) {
    error = "the form " + form.design_name + " is no longer loaded";
    return app::kBadCommand;
  }
  auto cannot = [&](const std::string& why) {
    error = "cannot " + action.ToString() + ": " + why;
    return app::kBadCommand;
  };
  if (action.kind == Kind::kClose) {
    SendMessageW(window, WM_CLOSE, 0, 0);
    return app::kDone;
  }
  if (action.kind == Kind::kSet || action.kind == Kind::kChoose ||
      action.kind == Kind::kDblClick || action.kind == Kind::kResize ||
      action.kind == Kind::kMove || action.kind == Kind::kShow) {
    error = action.ToString() + " on a real form is not done by the test host yet";
    return app::kSkipped;
  }
  HWND control = FindControl(window, action.control);
  if (!control) return cannot("the form has no control " + action.control);
  if (control != window && (!IsWindowVisible(control) || !IsWindowEnabled(control)))
    return cannot(action.control + " is hidden or disabled");
  switch (action.kind) {
    case Kind::kClick:
      if (IsButton(control) && action.button == ui::mouse::kLeft)
        SendMessageW(control, BM_CLICK, 0, 0);
      else
        MouseButton(control, action.button, true, true);
      break;
    case Kind::kMouseDown:
      MouseButton(control, action.button, true, false);
      break;
    case Kind::kMouseUp:
      MouseButton(control, action.button, false, true);
      break;
    case Kind::kHover:
      MouseButton(control, action.button, false, false);
      break;
    case Kind::kType:
      for (const sim::Keystroke& stroke : sim::KeystrokesOf(action.text)) {
        if (!IsWindow(control)) break;
        if (stroke.key_code)
          PressKey(control, stroke.key_code, stroke.shift, stroke.ch);
        else
          SendCharacter(control, stroke.ch);
      }
      break;
    case Kind::kKey: {
      int key_code = 0, shift = 0;
      if (!sim::ParseKey(action.text, key_code, shift)) return cannot("no such key");
      PressKey(control, key_code, shift, sim::CharOf(key_code, shift));
      break;
    }
    case Kind::kSelect:
      SendMessageW(control, EM_SETSEL, action.a, action.a + action.b);
      break;
    default:
      break;
  }
  return app::kDone;
}

std::optional<std::string> RealForms::Probe(HWND form, WPARAM probe) {
  // Reading is not a call of the add-in's: the served objects it reaches
  // neither count nor fail.
  sim::FaultInjector::Pause pause(world_.faults);
  std::string text(4096, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    win32ui::ProbeReply reply{text.data(), text.size(), 0};
    LRESULT answered = SendMessageW(form, win32ui::FormProbeMessage(), probe,
                                    reinterpret_cast<LPARAM>(&reply));
    if (answered == 1) return text.substr(0, reply.length);
    if (answered != 2) return std::nullopt;
    text.assign(reply.length, '\0');
  }
  return std::nullopt;
}

int RealForms::Describe(const app::FormRef& form, std::string& text) {
  HWND window = WindowOf(form);
  auto answer = window ? Probe(window, win32ui::kProbeDescribeForm) : std::nullopt;
  if (answer) {
    text = *answer;
    return app::kDone;
  }
  text = "the test host cannot describe the real form " + form.design_name + " yet";
  return app::kSkipped;
}

int RealForms::DescribeNote(const app::FormRef& form, std::string& text) {
  HWND window = WindowOf(form);
  auto answer = window ? Probe(window, win32ui::kProbeDescribeNote) : std::nullopt;
  if (answer) {
    text = *answer;
    return app::kDone;
  }
  text = "the real note window " + form.caption + " did not describe itself";
  return app::kBadCommand;
}

std::string RealForms::NoteKind(const app::FormRef& form) {
  HWND window = WindowOf(form);
  return window ? Probe(window, win32ui::kProbeNoteKind).value_or("") : "";
}

bool RealForms::NoteInEditState(const app::FormRef& form) {
  HWND window = WindowOf(form);
  return window && Probe(window, win32ui::kProbeNoteEditState).value_or("") == "1";
}

std::string RealForms::NoteEntryId(const app::FormRef& form) {
  HWND window = WindowOf(form);
  return window ? Probe(window, win32ui::kProbeNoteEntryId).value_or("") : "";
}

std::string RealForms::TakeTrouble() { return std::exchange(trouble_, ""); }

void CALLBACK RealForms::SweepModalForms(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND form, LPARAM) -> BOOL {
        if (IsOurForm(form) && GetPropW(form, win32ui::kModalProp) && IsWindowVisible(form))
          CloseModal(form);
        return TRUE;
      },
      0);
}

void RealForms::CloseModal(HWND form) {
  if (current && current->trouble_.empty())
    current->trouble_ = "the modal form " + DesignNameOf(form) +
                        " was shown, which the test host cannot answer yet";
  SendMessageW(form, WM_CLOSE, 0, 0);
  if (IsWindow(form) && IsWindowVisible(form)) ShowWindow(form, SW_HIDE);
}

}  // namespace pinlet::comhost
