// The real popup menus of the add-in's forms, answered from the simulated
// machine's queued menu answers with the keys a user presses.
#include <cwchar>
#include <vector>

#include "sim/comhost/real_forms.h"
#include "platform/wide_text.h"
#include "sim/machine/world.h"

namespace pinlet::comhost {
namespace {

// The system's popup menu window class, and the message that gives the
// menu it shows.
constexpr const wchar_t* kMenuWindowClass = L"#32768";
constexpr UINT kMenuGetHandle = 0x01E1;  // MN_GETHMENU

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  if (!IsWindowVisible(window) || !GetClassNameW(window, name, 16) ||
      wcscmp(name, kMenuWindowClass) != 0)
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HMENU MenuOf(HWND window) {
  return reinterpret_cast<HMENU>(SendMessageW(window, kMenuGetHandle, 0, 0));
}

// An entry of a real menu as the user sees it.
struct Entry {
  std::string caption;  // "-" for a separator
  bool enabled = false;
};

std::vector<Entry> EntriesOf(HMENU menu) {
  std::vector<Entry> entries;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
    bool separator = item.fType & MFT_SEPARATOR;
    entries.push_back({separator ? "-" : Narrow(text),
                       !separator && !(item.fState & MFS_DISABLED)});
  }
  return entries;
}

// The entry the menu highlights; -1 when none.
int Highlighted(HMENU menu) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
  return -1;
}

void PostKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

void RealForms::SweepPopupMenus() {
  HWND window = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow,
                    reinterpret_cast<LPARAM>(&window));
  if (!window) {
    menu_.reset();
    return;
  }
  if (!menu_ || menu_->window != window) menu_ = StartMenu(window);
  AnswerMenu(window);
}

RealForms::MenuAnswer RealForms::StartMenu(HWND window) {
  MenuAnswer answer{window};
  HWND owner = GetWindow(window, GW_OWNER);
  if (!owner || !IsOurForm(owner)) owner = GetActiveWindow();
  sim::SimUi::MenuRecord record;
  record.form = DesignNameOf(owner);
  record.unseen =
      "a real popup menu shows its entries' captions, not its name, its entries' "
      "names or where it was shown";
  std::vector<Entry> entries = EntriesOf(MenuOf(window));
  for (const Entry& entry : entries)
    record.entries.push_back(entry.caption + (entry.enabled || entry.caption == "-"
                                                  ? ""
                                                  : " (disabled)"));
  std::optional<std::string> taken = world_.ui.TakeMenuAnswer();
  if (!taken) {
    Trouble("a popup menu of " + record.form + " was shown with no answer queued");
  } else if (!taken->empty()) {
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].enabled && sim::AnswerNamesEntry(*taken, "", entries[i].caption))
        answer.target = static_cast<int>(i);
    if (answer.target < 0)
      Trouble("the real popup menu of " + record.form + " has no enabled entry \"" +
              *taken + "\" (it shows captions only)");
    else
      record.chosen = entries[static_cast<size_t>(answer.target)].caption;
  }
  world_.ui.RecordMenu(std::move(record));
  return answer;
}

void RealForms::AnswerMenu(HWND window) {
  if (menu_->entered) return;
  if (menu_->target < 0) {
    EndMenu();
    menu_->entered = true;
    return;
  }
  HMENU menu = MenuOf(window);
  if (Highlighted(menu) == menu_->target) {
    PostKey(window, VK_RETURN);
    menu_->entered = true;
    return;
  }
  // Down goes round the entries once and a little more; the entry is
  // then out of the keys' reach.
  if (++menu_->steps > 2 * GetMenuItemCount(menu) + 2) {
    Trouble("the keys did not reach the popup menu's entry");
    EndMenu();
    menu_->entered = true;
    return;
  }
  PostKey(window, VK_DOWN);
}

}  // namespace pinlet::comhost
