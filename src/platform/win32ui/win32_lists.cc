// The lists: the list box (LISTBOX) and the tab strip (SysTabControl32);
// the combo box is in win32_combo_box.cc.
//
// The system's list controls notify only the user's selections; a
// selection the code makes is silent. Each kind therefore keeps what it
// last announced and, after either, compares: Click fires on a change of
// the selected entry (and the combo box's Change on a change of its text),
// once, whoever made it.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <vector>

#include "platform/text.h"
#include "platform/wide_text.h"
#include "platform/win32ui/win32_controls.h"
#include "platform/win32ui/win32_form.h"

namespace pinlet::win32ui {
namespace {

HostError InvalidArrayIndexError(std::string_view member) {
  return HostError(errors::kInvalidArrayIndex, "Invalid property array index",
                   std::string(member));
}

class ListBoxControl : public Control<ui::ListBox> {
 public:
  ListBoxControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name)) {
    back_colour_ = GetSysColor(COLOR_WINDOW);
  }
  void Create(HWND parent) override {
    MakeWindow(parent, L"LISTBOX",
               LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
               WS_EX_CLIENTEDGE, 1215, 1035);
  }
  bool Notify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    if (message == WM_COMMAND && HIWORD(wparam) == LBN_SELCHANGE) {
      Announce();
      return true;
    }
    return ControlCore::Notify(message, wparam, lparam, result);
  }

  void AddItem(std::string_view text, int32_t index) override {
    Enter("ListBox.AddItem");
    int32_t count = Count();
    if (index < -1 || index > count) throw InvalidArgumentError("ListBox.AddItem");
    if (index == -1) index = count;
    int32_t selected = Current();
    SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(Wide(text).c_str()));
    // The selection stays on its entry.
    if (selected >= index) SendMessageW(hwnd_, LB_SETCURSEL, selected + 1, 0);
    announced_ = Current();
  }
  void RemoveItem(int32_t index) override {
    Enter("ListBox.RemoveItem");
    if (index < 0 || index >= Count()) throw InvalidArgumentError("ListBox.RemoveItem");
    int32_t selected = Current();
    SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (selected == index)
      SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    else if (selected > index)
      SendMessageW(hwnd_, LB_SETCURSEL, selected - 1, 0);
    announced_ = Current();
  }
  void Clear() override {
    Enter("ListBox.Clear");
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    announced_ = -1;
  }
  int32_t ListCount() override {
    Enter("ListBox.ListCount");
    return Count();
  }
  std::string List(int32_t index) override {
    Enter("ListBox.List");
    if (index < 0 || index >= Count()) return "";
    LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
  }
  int32_t ListIndex() override {
    Enter("ListBox.ListIndex");
    return Current();
  }
  void SetListIndex(int32_t index) override {
    Enter("ListBox.ListIndex");
    if (index < -1 || index >= Count())
      throw InvalidPropertyValueError("ListBox.ListIndex");
    Select(index);
  }
  bool Selected(int32_t index) override {
    Enter("ListBox.Selected");
    if (index < 0 || index >= Count()) throw InvalidArrayIndexError("ListBox.Selected");
    return index == Current();
  }
  void SetSelected(int32_t index, bool selected) override {
    Enter("ListBox.Selected");
    if (index < 0 || index >= Count()) throw InvalidArrayIndexError("ListBox.Selected");
    if (selected)
      Select(index);
    else if (index == Current())
      Select(-1);
  }
  ui::Font GetFont() override { return FontMember("ListBox.Font"); }
  void SetFont(const ui::Font& font) override { SetFontMember("ListBox.Font", font); }

 private:
  int32_t Count() const {
    return static_cast<int32_t>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
  }
  int32_t Current() const {
    LRESULT at = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
    return at == LB_ERR ? -1 : static_cast<int32_t>(at);
  }
  void Select(int32_t index) {
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Announce();
  }
  void Announce() {
    int32_t now = Current();
    if (now == announced_) return;
    announced_ = now;
    click.Fire();
  }

  int32_t announced_ = -1;

 public:
  std::string DescribeState() override {
    std::vector<std::string> entries;
    for (int32_t i = 0; i < ListCount(); ++i) entries.push_back(List(i));
    return ListState(entries, ListIndex());
  }
};

class TabStripControl : public Control<ui::TabStrip> {
 public:
  TabStripControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name)) {}
  void Create(HWND parent) override {
    MakeWindow(parent, WC_TABCONTROLW, WS_TABSTOP, 0, 3000, 2000);
  }
  bool Notify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == TCN_SELCHANGE) {
      Announce();
      result = 0;
      return true;
    }
    return ControlCore::Notify(message, wparam, lparam, result);
  }
  void AddTab(std::string_view caption) override {
    Enter("Tabs.Add");
    std::wstring text = Wide(caption);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    int32_t count = Count();
    SendMessageW(hwnd_, TCM_INSERTITEMW, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(&item));
    if (count == 0) {  // the first tab is selected, without a Click
      SendMessageW(hwnd_, TCM_SETCURSEL, 0, 0);
      announced_ = 1;
    }
  }
  int32_t TabCount() override {
    Enter("Tabs.Count");
    return Count();
  }
  std::string TabCaption(int32_t index) override {
    Enter("Tab.Caption");
    if (index < 1 || index > Count()) throw IndexOutOfBoundsError("Tab.Caption");
    std::wstring text(1024, L'\0');
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageW(hwnd_, TCM_GETITEMW, static_cast<WPARAM>(index - 1),
                 reinterpret_cast<LPARAM>(&item));
    return Narrow(item.pszText);
  }
  int32_t SelectedTab() override {
    Enter("TabStrip.SelectedItem");
    return Current();
  }
  void SetSelectedTab(int32_t index) override {
    Enter("TabStrip.SelectedItem");
    if (index < 1 || index > Count())
      throw IndexOutOfBoundsError("TabStrip.SelectedItem");
    SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index - 1), 0);
    Announce();
  }

 private:
  int32_t Count() const {
    return static_cast<int32_t>(SendMessageW(hwnd_, TCM_GETITEMCOUNT, 0, 0));
  }
  int32_t Current() const {
    return static_cast<int32_t>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)) + 1;
  }
  void Announce() {
    int32_t now = Current();
    if (now == announced_) return;
    announced_ = now;
    click.Fire();
  }

  int32_t announced_ = 0;

 public:
  std::string DescribeState() override {
    std::vector<std::string> tabs;
    for (int32_t i = 1; i <= TabCount(); ++i) tabs.push_back(TabCaption(i));
    return TabsState(tabs, SelectedTab());
  }
};

}  // namespace

std::shared_ptr<ControlCore> MakeListKind(FormRef form, std::string_view type_name,
                                          std::string name) {
  if (type_name == ui::ListBox::kTypeName)
    return std::make_shared<ListBoxControl>(std::move(form), std::move(name));
  if (type_name == ui::TabStrip::kTypeName)
    return std::make_shared<TabStripControl>(std::move(form), std::move(name));
  return nullptr;
}

}  // namespace pinlet::win32ui
