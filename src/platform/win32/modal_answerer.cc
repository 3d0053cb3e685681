#include "platform/win32/modal_answerer.h"

// After windows.h (through the header), which they expect: the common
// dialogs' control IDs as the system's headers publish them, and the
// ComboBoxEx messages.
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cwchar>
#include <utility>

#include "platform/wide_text.h"
#include "platform/win32/call_boundary.h"

namespace pinlet {
namespace {

// The dialog's own timers are numbered from 1; these stay clear of them.
constexpr UINT_PTR kActTimer = 0x504E0001;
constexpr UINT_PTR kWatchTimer = 0x504E0002;
constexpr UINT kActDelayMs = 10;
// The message box's text control (the system's own ID for it).
constexpr int kMessageBoxTextId = 0xFFFF;

thread_local ModalAnswerer* current = nullptr;

// The CBT hook runs on the system's call: nothing may escape it.
template <typename Body>
void Guarded(std::string_view entry, Body&& body) {
  AtCallBoundary(entry, [&] {
    body();
    return 0;
  });
}

}  // namespace

ModalAnswerer::ModalAnswerer(Answer answer, unsigned patience_ms)
    : answer_(std::move(answer)), patience_ms_(patience_ms) {
  if (current) return;  // one per thread
  hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
  if (hook_) current = this;
}

ModalAnswerer::~ModalAnswerer() {
  if (!hook_) return;
  UnhookWindowsHookEx(hook_);
  for (HWND dialog : seen_) {
    KillTimer(dialog, kActTimer);
    KillTimer(dialog, kWatchTimer);
  }
  current = nullptr;
}

LRESULT CALLBACK ModalAnswerer::HookProc(int code, WPARAM wparam, LPARAM lparam) {
  ModalAnswerer* self = current;
  if (self && code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wparam);
    Guarded("ModalAnswerer", [&] {
      if (dialog::IsDialog(window) && self->seen_.insert(window).second)
        SetTimer(window, kActTimer, kActDelayMs, ActNow);
    });
  } else if (self && code == HCBT_DESTROYWND) {
    HWND window = reinterpret_cast<HWND>(wparam);
    self->seen_.erase(window);
    self->cancelling_.erase(window);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void CALLBACK ModalAnswerer::ActNow(HWND dialog, UINT, UINT_PTR, DWORD) {
  // The dialog may still be on its way up: wait until it shows.
  if (!IsWindowVisible(dialog)) return;
  KillTimer(dialog, kActTimer);
  if (ModalAnswerer* self = current) Guarded("ModalAnswerer", [&] { self->Act(dialog); });
}

void ModalAnswerer::Act(HWND dialog) {
  bool acted = false;
  HRESULT hr = com::AtComBoundary("ModalAnswerer", [&] { acted = answer_(dialog); });
  if (FAILED(hr))
    Cancel(dialog, "its answer failed");
  else if (!acted)
    Cancel(dialog, "nothing to answer it with");
  else if (IsWindow(dialog))
    SetTimer(dialog, kWatchTimer, patience_ms_, Watch);
}

void CALLBACK ModalAnswerer::Watch(HWND dialog, UINT, UINT_PTR, DWORD) {
  ModalAnswerer* self = current;
  // A disabled dialog waits for a box or dialog of its own.
  if (!self || !IsWindowEnabled(dialog)) return;
  Guarded("ModalAnswerer", [&] {
    if (self->cancelling_.count(dialog)) {
      KillTimer(dialog, kWatchTimer);
      EndDialog(dialog, IDCANCEL);
    } else {
      self->Cancel(dialog, "still up after its answer");
    }
  });
}

void ModalAnswerer::Cancel(HWND dialog, std::string reason) {
  cancelled_.push_back("[" + dialog::Text(dialog) + "] " + std::move(reason));
  cancelling_.insert(dialog);
  dialog::Press(dialog, IDCANCEL);
  SetTimer(dialog, kWatchTimer, patience_ms_, Watch);
}

namespace dialog {

bool IsDialog(HWND window) {
  wchar_t name[16] = {};
  return GetClassNameW(window, name, 16) && std::wcscmp(name, L"#32770") == 0;
}

std::string Text(HWND window) {
  int length = GetWindowTextLengthW(window);
  if (length <= 0) return "";
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), length + 1));
  return Narrow(text);
}

std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? Text(item) : "";
}

bool SetItemText(HWND dialog, int id, std::string_view text) {
  return SetDlgItemTextW(dialog, id, Wide(text).c_str()) != 0;
}

bool SetCheck(HWND dialog, int id, bool checked) {
  HWND box = GetDlgItem(dialog, id);
  if (!box) return false;
  if ((IsDlgButtonChecked(dialog, id) == BST_CHECKED) != checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(box));
  }
  return true;
}

bool Press(HWND dialog, int id) {
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))) != 0;
}

namespace {

// Selects item `index` of the combo box and notifies its dialog.
bool SelectComboItem(HWND dialog, int id, LRESULT index) {
  if (index == CB_ERR) return false;
  HWND combo = GetDlgItem(dialog, id);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  return true;
}

}  // namespace

bool ChooseComboText(HWND dialog, int id, std::string_view text) {
  return SelectComboItem(
      dialog, id,
      SendDlgItemMessageW(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(Wide(text).c_str())));
}

bool EnterComboText(HWND dialog, int id, std::string_view text) {
  HWND combo = GetDlgItem(dialog, id);
  if (!combo) return false;
  if (ChooseComboText(dialog, id, text)) return true;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextW(combo, Wide(text).c_str());
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(combo));
  return true;
}

bool ChooseComboData(HWND dialog, int id, LPARAM data) {
  LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && count != CB_ERR; ++i)
    if (SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, i, 0) == data)
      return SelectComboItem(dialog, id, i);
  return false;
}

bool SetFileName(HWND file_dialog, std::string_view name) {
  if (HWND combo = GetDlgItem(file_dialog, cmb13)) {
    // A ComboBoxEx32 keeps its text in an edit control of its own.
    HWND edit = reinterpret_cast<HWND>(SendMessageW(combo, CBEM_GETEDITCONTROL, 0, 0));
    return SetWindowTextW(edit ? edit : combo, Wide(name).c_str()) != 0;
  }
  return SetItemText(file_dialog, edt1, name);
}

bool IsMessageBox(HWND dialog) {
  return GetDlgItem(dialog, kMessageBoxTextId) != nullptr;
}

std::string MessageBoxText(HWND box) { return ItemText(box, kMessageBoxTextId); }

std::vector<int> MessageBoxButtons(HWND box) {
  std::vector<std::pair<LONG, int>> shown;  // left edge, ID
  for (int id = IDOK; id <= IDNO; ++id) {
    HWND button = GetDlgItem(box, id);
    RECT rect;
    if (button && IsWindowVisible(button) && GetWindowRect(button, &rect))
      shown.emplace_back(rect.left, id);
  }
  std::sort(shown.begin(), shown.end());
  std::vector<int> buttons;
  for (auto [left, id] : shown) buttons.push_back(id);
  return buttons;
}

int DefaultButton(HWND box) {
  // The button drawn as the default, else the one the dialog names.
  for (int id : MessageBoxButtons(box))
    if ((GetWindowLongW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) ==
        BS_DEFPUSHBUTTON)
      return id;
  LRESULT answer = SendMessageW(box, DM_GETDEFID, 0, 0);
  return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

}  // namespace dialog
}  // namespace pinlet
