#include "sim/comhost/real_forms.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "comserver/window_descriptions.h"
#include "platform/date.h"
#include "platform/display_text.h"
#include "platform/text.h"
#include "platform/wide_text.h"
#include "platform/win32/modal_answerer.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/window_names.h"
#include "platform/win32ui/window_support.h"
#include "sim/app/driver.h"
#include "sim/machine/sim_controls.h"
#include "sim/machine/world.h"

namespace pinlet::comhost {
namespace {

using Kind = sim::FormAction::Kind;
using win32ui::HandleOf;
using win32ui::kDesignNameProp;

// How often the thread's timer looks for a modal form to answer.
constexpr UINT kModalSweepMs = 20;

thread_local RealForms* current = nullptr;

HWND WindowOf(const app::FormRef& form) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(form.handle));
  return IsWindow(window) && IsOurForm(window) ? window : nullptr;
}

// A search for a control by design name among a form's children.
struct ControlSearch {
  const std::string& name;
  HWND found;
};

BOOL CALLBACK MatchDesignName(HWND child, LPARAM lparam) {
  auto* search = reinterpret_cast<ControlSearch*>(lparam);
  if (!EqualsIgnoringCase(DesignNameOf(child), search->name)) return TRUE;
  search->found = child;
  return FALSE;
}

// The control of `form` named `name` (ignoring case); the form itself for
// its own design name; nullptr when there is none.
HWND FindControl(HWND form, const std::string& name) {
  if (EqualsIgnoringCase(DesignNameOf(form), name)) return form;
  ControlSearch search{name, nullptr};
  EnumChildWindows(form, MatchDesignName, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Collects the thread's modal forms that are up.
BOOL CALLBACK CollectModalForm(HWND form, LPARAM found) {
  if (IsOurForm(form) && GetPropW(form, win32ui::kModalProp) && IsWindowVisible(form))
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(form);
  return TRUE;
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

// Where the keyboard's messages go: the window with the focus when it is
// the control or one of the control's own windows (a combo box's inner
// list or edit), else the control.
HWND KeyboardTarget(HWND control) {
  HWND focus = GetFocus();
  return focus && (focus == control || IsChild(control, focus)) ? focus : control;
}

// A character with no key of its own: its UTF-16 units as WM_CHAR.
void SendCharacter(HWND window, int ch) {
  std::u16string units = Utf8ToUtf16(CodePointToUtf8(static_cast<char32_t>(ch)));
  for (char16_t unit : units)
    if (IsWindow(window)) SendMessageW(window, WM_CHAR, unit, 1);
}

// Where the user points at `window`: the middle of its selected entry for a
// list box with one, else its middle.
LPARAM PointOn(HWND window) {
  RECT inside = {};
  GetClientRect(window, &inside);
  wchar_t name[16] = {};
  if (GetClassNameW(window, name, 16) && _wcsicmp(name, L"ListBox") == 0) {
    LRESULT selected = SendMessageW(window, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR)
      SendMessageW(window, LB_GETITEMRECT, selected, reinterpret_cast<LPARAM>(&inside));
  }
  return MAKELPARAM((inside.left + inside.right) / 2, (inside.top + inside.bottom) / 2);
}

// The mouse's button messages of `button` (ui::mouse) at PointOn(window):
// down, up, or both; a double click is down, up, the double click, up.
void MouseButton(HWND window, int button, bool down, bool up, bool twice = false) {
  LPARAM at = PointOn(window);
  UINT down_message = button == ui::mouse::kRight    ? WM_RBUTTONDOWN
                      : button == ui::mouse::kMiddle ? WM_MBUTTONDOWN
                                                     : WM_LBUTTONDOWN;
  WPARAM keys = button == ui::mouse::kRight    ? MK_RBUTTON
                : button == ui::mouse::kMiddle ? MK_MBUTTON
                                               : MK_LBUTTON;
  SendMessageW(window, WM_MOUSEMOVE, 0, at);
  if (down && IsWindow(window)) SendMessageW(window, down_message, keys, at);
  if (up && IsWindow(window)) SendMessageW(window, down_message + 1, 0, at);
  if (!twice) return;
  // WM_?BUTTONDBLCLK follows WM_?BUTTONUP in each button's messages.
  if (IsWindow(window)) SendMessageW(window, down_message + 2, keys, at);
  if (IsWindow(window)) SendMessageW(window, down_message + 1, 0, at);
}

// The entries of a list, combo box or tab control, in order.
std::vector<std::string> EntriesOf(HWND control, const std::wstring& window_class) {
  std::vector<std::string> texts;
  wchar_t buffer[512];
  if (window_class == WC_TABCONTROLW) {
    int count = static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = buffer;
      item.cchTextMax = 512;
      buffer[0] = 0;
      SendMessageW(control, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      texts.push_back(Narrow(buffer));
    }
  } else if (window_class == WC_COMBOBOXEXW) {
    int count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      COMBOBOXEXITEMW item = {};
      item.mask = CBEIF_TEXT;
      item.iItem = i;
      item.pszText = buffer;
      item.cchTextMax = 512;
      buffer[0] = 0;
      SendMessageW(control, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      texts.push_back(Narrow(buffer));
    }
  } else {  // a list box
    int count = static_cast<int>(SendMessageW(control, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::wstring text(SendMessageW(control, LB_GETTEXTLEN, i, 0) + 1, L'\0');
      text.resize(
          SendMessageW(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
      texts.push_back(Narrow(text));
    }
  }
  return texts;
}

// Tells the control's parent what the user's choice notifies.
void NotifyParent(HWND control, WORD code) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

// A day of a month calendar picked as the user clicks it: the calendar
// selects it and tells its parent. kDone, or kBadCommand / kSkipped with
// `why`.
int PickDay(HWND calendar, const std::string& text, std::string& why) {
  std::optional<Date> date;
  if (!sim::ParseCalendarValue(text, date, why)) return app::kBadCommand;
  if (!date) {
    why = "a real month calendar always has a day selected";
    return app::kSkipped;
  }
  Date::Parts parts = date->ToParts();
  NMSELCHANGE change = {};
  change.nmhdr.hwndFrom = calendar;
  change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(calendar));
  change.stSelStart.wYear = static_cast<WORD>(parts.year);
  change.stSelStart.wMonth = static_cast<WORD>(parts.month);
  change.stSelStart.wDay = static_cast<WORD>(parts.day);
  change.stSelEnd = change.stSelStart;
  if (!SendMessageW(calendar, MCM_SETCURSEL, 0,
                    reinterpret_cast<LPARAM>(&change.stSelStart))) {
    why = "the month calendar does not show " + text;
    return app::kBadCommand;
  }
  for (UINT code : {MCN_SELCHANGE, MCN_SELECT}) {
    change.nmhdr.code = code;
    if (IsWindow(calendar))
      SendMessageW(GetParent(calendar), WM_NOTIFY, change.nmhdr.idFrom,
                   reinterpret_cast<LPARAM>(&change));
  }
  return app::kDone;
}

}  // namespace

std::string DesignNameOf(HWND window) {
  auto* name = static_cast<const wchar_t*>(GetPropW(window, kDesignNameProp));
  return name ? Narrow(name) : "";
}

bool IsOurForm(HWND window) {
  wchar_t name[32] = {};
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId() && GetClassNameW(window, name, 32) &&
         std::wcscmp(name, win32ui::kFormWindowClass) == 0 &&
         GetPropW(window, kDesignNameProp);
}

int RealForms::Choose(HWND control, const sim::FormAction& action, std::string& why) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  std::wstring window_class = name;
  LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  bool check_box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                   type == BS_AUTO3STATE;
  if (_wcsicmp(name, L"Button") == 0 && check_box) {
    // A check box: clicked as the user clicks it until it shows the value.
    static const std::pair<std::string_view, LRESULT> kValues[] = {
        {"0", BST_UNCHECKED},
        {"1", BST_CHECKED},
        {"2", BST_INDETERMINATE},
        {"unchecked", BST_UNCHECKED},
        {"checked", BST_CHECKED}};
    std::optional<LRESULT> wanted;
    for (auto& [word, value] : kValues)
      if (EqualsIgnoringCase(action.text, word)) wanted = value;
    if (action.kind != Kind::kSet || !wanted) {
      why = "a check box takes 0, 1, 2, checked or unchecked, not '" + action.text + "'";
      return app::kBadCommand;
    }
    for (int click = 0; click < 3 && IsWindow(control) &&
                        SendMessageW(control, BM_GETCHECK, 0, 0) != *wanted;
         ++click)
      SendMessageW(control, BM_CLICK, 0, 0);
    if (IsWindow(control) && SendMessageW(control, BM_GETCHECK, 0, 0) != *wanted) {
      why = "the check box did not take the value";
      return app::kBadCommand;
    }
    return app::kDone;
  }
  if (window_class == MONTHCAL_CLASSW && action.kind == Kind::kSet)
    return PickDay(control, action.text, why);
  bool tabs = window_class == WC_TABCONTROLW;
  bool combo = window_class == WC_COMBOBOXEXW;
  if (!tabs && !combo && _wcsicmp(name, L"ListBox") != 0) {
    why = action.ToString() + " on a real " + Narrow(window_class) +
          " is not done by the test host yet";
    return app::kSkipped;
  }
  std::vector<std::string> entries = EntriesOf(control, window_class);
  if (combo && action.kind == Kind::kSet &&
      (GetWindowLongW(control, GWL_STYLE) & 3) != CBS_DROPDOWNLIST) {
    // A combo box with an edit: the user types the text; an entry it
    // names is chosen.
    auto match = std::find_if(entries.begin(), entries.end(), [&](const std::string& e) {
      return EqualsIgnoringCase(e, action.text);
    });
    if (match == entries.end()) {
      SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      HWND edit =
          reinterpret_cast<HWND>(SendMessageW(control, CBEM_GETEDITCONTROL, 0, 0));
      SetWindowTextW(edit ? edit : control, Wide(action.text).c_str());
      NotifyParent(control, CBN_EDITCHANGE);
      return app::kDone;
    }
    SendMessageW(control, CB_SETCURSEL, match - entries.begin(), 0);
    NotifyParent(control, CBN_SELCHANGE);
    return app::kDone;
  }
  std::optional<int32_t> position =
      sim::FindEntry(entries, action.text, tabs ? 1 : 0, why);
  if (!position) return app::kBadCommand;
  if (tabs) {
    // As a click on the tab: the tab control notifies its parent.
    SendMessageW(control, TCM_SETCURFOCUS, *position, 0);
  } else if (combo) {
    SendMessageW(control, CB_SETCURSEL, *position, 0);
    NotifyParent(control, CBN_SELCHANGE);
  } else {
    SendMessageW(control, LB_SETCURSEL, *position, 0);
    NotifyParent(control, LBN_SELCHANGE);
  }
  return app::kDone;
}

RealForms::RealForms(sim::World& world, WindowDescriber describe)
    : world_(world), describe_(std::move(describe)) {
  MirrorHostWindows();
  if (current) return;  // one per thread
  timer_ = SetTimer(nullptr, 0, kModalSweepMs, SweepModalForms);
  if (timer_) current = this;
}

RealForms::~RealForms() {
  world_.windows.set_observer(nullptr);
  for (auto& [handle, stand_in] : stand_ins_) DestroyWindow(stand_in);
  if (!timer_) return;
  KillTimer(nullptr, timer_);
  current = nullptr;
}

std::optional<app::FormRef> RealForms::Find(std::string_view name) {
  // Top-level windows front to back: the first that matches is the
  // front-most.
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (!IsOurForm(w)) continue;
    std::string design = DesignNameOf(w), caption = dialog::Text(w);
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
  if (action.kind == Kind::kShow) return app::kDone;  // looking changes nothing
  if (action.kind == Kind::kResize || action.kind == Kind::kMove) {
    // As the user's drag of a border or the caption ends: the form is
    // active and the system places it, telling it as it does.
    if (GetActiveWindow() != window) SetActiveWindow(window);
    RECT at = {};
    GetWindowRect(window, &at);
    bool resize = action.kind == Kind::kResize;
    int x = resize ? at.left : TwipsToPixelsX(action.a);
    int y = resize ? at.top : TwipsToPixelsY(action.b);
    int width = resize ? TwipsToPixelsX(action.a) : at.right - at.left;
    int height = resize ? TwipsToPixelsY(action.b) : at.bottom - at.top;
    if (IsWindow(window))
      SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return app::kDone;
  }
  HWND control = FindControl(window, action.control);
  if (!control) return cannot("no control " + action.control + " on " + form.design_name);
  if (control != window && (!IsWindowVisible(control) || !IsWindowEnabled(control))) {
    bool shown = IsWindowVisible(control) || !IsWindowVisible(window);
    cannot(action.control + (shown ? " is disabled" : " is hidden"));
    return app::kRefused;  // the screen refuses it; the run goes on
  }
  int key_code = 0, shift = 0;
  if (action.kind == Kind::kKey && !sim::ParseKey(action.text, key_code, shift))
    return cannot("unknown key '" + action.text + "'");
  // Acting on a form makes it the active window, and a control the user
  // clicks or types into (one that takes the focus) gets the focus first.
  if (GetActiveWindow() != window) SetActiveWindow(window);
  bool focusable = control != window && (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP);
  if (focusable && action.kind != Kind::kHover &&
      !(action.kind == Kind::kMouseDown && action.button != ui::mouse::kLeft) &&
      IsWindow(control))
    SetFocus(control);
  if (!IsWindow(window)) return app::kDone;
  switch (action.kind) {
    case Kind::kClick:
      if (IsButton(control) && action.button == ui::mouse::kLeft)
        SendMessageW(control, BM_CLICK, 0, 0);
      else
        MouseButton(control, action.button, true, true);
      break;
    case Kind::kDblClick:
      // On an entry: the entry is chosen first, then double-clicked.
      if (!action.text.empty()) {
        sim::FormAction choose = sim::FormAction::Choose(action.control, action.text);
        std::string why;
        if (int status = Choose(control, choose, why)) {
          if (status == app::kSkipped) error = why;
          return status == app::kSkipped ? status : cannot(why);
        }
      }
      MouseButton(control, ui::mouse::kLeft, true, true, true);
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
        HWND keys = KeyboardTarget(control);
        if (stroke.key_code)
          PressKey(keys, stroke.key_code, stroke.shift, stroke.ch);
        else
          SendCharacter(keys, stroke.ch);
      }
      break;
    case Kind::kKey:
      PressKey(KeyboardTarget(control), key_code, shift, sim::CharOf(key_code, shift));
      break;
    case Kind::kSelect: {
      wchar_t name[16] = {};
      if (!GetClassNameW(control, name, 16) || _wcsicmp(name, L"Edit") != 0)
        return cannot(action.control + " is no text box");
      SendMessageW(control, EM_SETSEL, action.a, action.a + action.b);
      break;
    }
    case Kind::kSet:
    case Kind::kChoose: {
      std::string why;
      int status = Choose(control, action, why);
      if (status == app::kBadCommand) return cannot(why);
      if (status == app::kSkipped) error = why;
      return status;
    }
    default:
      break;
  }
  return app::kDone;
}

std::optional<std::string> RealForms::Ask(HWND form, std::string_view aspect) {
  // Reading is not a call of the add-in's: the served objects it reaches
  // neither count nor fail.
  sim::FaultInjector::Pause pause(world_.faults);
  return describe_ ? describe_(form, aspect) : std::nullopt;
}

int RealForms::Describe(const app::FormRef& form, std::string& text) {
  return Read(form, com::aspect::kForm, text);
}

int RealForms::DescribeNote(const app::FormRef& form, std::string& text) {
  return Read(form, com::aspect::kNote, text);
}

int RealForms::Read(const app::FormRef& form, std::string_view aspect,
                    std::string& text) {
  HWND window = WindowOf(form);
  auto answer = window ? Ask(window, aspect) : std::nullopt;
  if (!answer) {
    text = "the real form " + form.design_name + " did not describe itself";
    return app::kBadCommand;
  }
  text = std::move(*answer);
  return app::kDone;
}

std::string RealForms::NoteKind(const app::FormRef& form) {
  HWND window = WindowOf(form);
  return window ? Ask(window, com::aspect::kNoteKind).value_or("") : "";
}

bool RealForms::NoteInEditState(const app::FormRef& form) {
  HWND window = WindowOf(form);
  return window && Ask(window, com::aspect::kNoteEditing).value_or("") == "1";
}

std::string RealForms::NoteEntryId(const app::FormRef& form) {
  HWND window = WindowOf(form);
  return window ? Ask(window, com::aspect::kNoteEntryId).value_or("") : "";
}

std::string RealForms::TakeTrouble() { return std::exchange(trouble_, ""); }

// A modal form of the DLL's that is up, as SimUi::AnswerModal answers it:
// through this surface, so that its record reads as linked in.
class RealForms::ModalForm : public sim::ModalSubject {
 public:
  ModalForm(RealForms& forms, HWND window)
      : forms_(forms), window_(window), design_name_(DesignNameOf(window)) {}

  std::string design_name() override { return design_name_; }
  std::string caption() override { return dialog::Text(window_); }
  bool IsOpen() override { return IsWindow(window_) && IsWindowVisible(window_); }
  bool Unloaded() override { return !IsWindow(window_); }
  bool Perform(const sim::FormAction& action, std::string& error) override {
    int status = forms_.Perform(Ref(), action, error);
    if (status == app::kSkipped) forms_.Trouble(error);
    return status == app::kDone;
  }
  std::string Describe() override {
    std::string text;
    if (forms_.Describe(Ref(), text) == app::kDone) return text;
    forms_.Trouble(text);
    return "";
  }
  std::optional<sim::FormLook> Look() override { return std::nullopt; }
  std::string CloseLeftOpen() override {
    SendMessageW(window_, WM_CLOSE, 0, 0);
    if (Unloaded()) return "closed by the host";
    if (IsOpen()) {
      ShowWindow(window_, SW_HIDE);
      return "hidden by the host (the form refused to close)";
    }
    return "hidden";
  }

 private:
  app::FormRef Ref() {
    return app::FormRef{HandleOf(window_), design_name_, caption(), IsOpen()};
  }

  RealForms& forms_;
  HWND window_;
  std::string design_name_;
};

void CALLBACK RealForms::SweepModalForms(HWND, UINT, UINT_PTR, DWORD) {
  if (!current) return;
  current->SweepPopupMenus();
  std::vector<HWND> modal;
  EnumThreadWindows(GetCurrentThreadId(), CollectModalForm,
                    reinterpret_cast<LPARAM>(&modal));
  for (HWND form : modal) {
    // A form being answered may show another; it is answered once.
    if (!current->answering_.insert(form).second) continue;
    ModalForm subject(*current, form);
    current->world_.ui.AnswerModal(subject);
    current->answering_.erase(form);
  }
}

void RealForms::Trouble(const std::string& what) {
  if (trouble_.empty()) trouble_ = what;
}

}  // namespace pinlet::comhost
