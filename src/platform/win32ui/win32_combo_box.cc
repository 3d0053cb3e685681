// The combo box as the image combo (ComboBoxEx), so that a row can carry
// a picture key. Like the other lists (win32_lists.cc) it announces what
// changed after the user's notifications and the code's changes alike:
// Click on a change of the entry, then Change on a change of the text.
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

class ComboBoxControl : public Control<ui::ComboBox> {
 public:
  ComboBoxControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name)) {
    back_colour_ = GetSysColor(COLOR_WINDOW);
  }
  void Create(HWND parent) override { Make(parent, 1215, 315); }
  bool Notify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    if (message == WM_COMMAND) {
      WORD code = HIWORD(wparam);
      // The code's own changes of the entry and the text announce once, after.
      if (code_changes_ > 0) return true;
      if (code == CBN_SELCHANGE && style_ != kDropDownList) {
        // The edit shows the chosen entry only after the notification.
        int32_t at = Current();
        if (at >= 0) SetEditText(Wide(EntryText(at)));
      }
      if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) Announce();
      return code == CBN_SELCHANGE || code == CBN_EDITCHANGE;
    }
    return ControlCore::Notify(message, wparam, lparam, result);
  }

  void AddItem(std::string_view text, std::string_view picture_key) override {
    Enter("ComboBox.AddItem");
    Insert(Wide(text));
    keys_.emplace_back(picture_key);
  }
  void Clear() override {
    Enter("ComboBox.Clear");
    CodeChange([&] {
      SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
      keys_.clear();
      SetEditText(L"");
    });
  }
  int32_t ListCount() override {
    Enter("ComboBox.ListCount");
    return Count();
  }
  std::string List(int32_t index) override {
    Enter("ComboBox.List");
    return EntryText(index);
  }
  std::string ItemPicture(int32_t index) override {
    Enter("ComboItem.Image");
    if (index < 0 || index >= Count()) throw IndexOutOfBoundsError("ComboItem.Image");
    return keys_[static_cast<size_t>(index)];
  }
  int32_t ListIndex() override {
    Enter("ComboBox.ListIndex");
    return Current();
  }
  void SetListIndex(int32_t index) override {
    Enter("ComboBox.ListIndex");
    if (index < -1 || index >= Count())
      throw InvalidPropertyValueError("ComboBox.ListIndex");
    CodeChange([&] {
      SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      if (style_ != kDropDownList)
        SetEditText(index >= 0 ? Wide(EntryText(index)) : L"");
    });
  }
  std::string Text() override {
    Enter("ComboBox.Text");
    return CurrentText();
  }
  void SetText(std::string_view text) override {
    Enter("ComboBox.Text");
    int32_t found = -1;
    for (int32_t i = 0; i < Count() && found < 0; ++i)
      if (EqualsIgnoringCase(EntryText(i), text)) found = i;
    if (style_ == kDropDownList && found < 0)
      throw HostError(errors::kPropertyReadOnly, "'Text' property is read-only",
                      "ComboBox.Text");
    CodeChange([&] {
      SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
      if (style_ != kDropDownList) SetEditText(Wide(text));
    });
  }
  int Style() override {
    Enter("ComboBox.Style");
    return style_;
  }
  void SetStyle(int style) override {
    Enter("ComboBox.Style");
    if (style < 0 || style > 2) throw InvalidPropertyValueError("ComboBox.Style");
    if (style != style_) CodeChange([&] { Restyle(style); });
  }
  ui::Font GetFont() override { return FontMember("ComboBox.Font"); }
  void SetFont(const ui::Font& font) override { SetFontMember("ComboBox.Font", font); }
  Subscription OnChange(ui::Handler h) override {
    return Advise(change_, "Change", std::move(h));
  }

 private:
  void Make(HWND parent, int32_t width, int32_t height) {
    DWORD kind = style_ == kDropDownList ? CBS_DROPDOWNLIST
                 : style_ == 1           ? CBS_SIMPLE
                                         : CBS_DROPDOWN;
    MakeWindow(parent, WC_COMBOBOXEXW, kind | WS_TABSTOP | WS_VSCROLL, 0, width, height);
    // The list drops below the box; the box itself keeps its own height.
    SendMessageW(hwnd_, CB_SETMINVISIBLE, 8, 0);
    if (HWND combo =
            reinterpret_cast<HWND>(SendMessageW(hwnd_, CBEM_GETCOMBOCONTROL, 0, 0)))
      Adopt(combo);
    if (HWND edit =
            reinterpret_cast<HWND>(SendMessageW(hwnd_, CBEM_GETEDITCONTROL, 0, 0)))
      Adopt(edit);
  }
  // The image combo's style is fixed at creation: the window is made anew
  // with the same entries, selection and text.
  void Restyle(int style) {
    HWND parent = GetParent(hwnd_);
    RECT r = {};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    std::vector<std::wstring> texts;
    for (int32_t i = 0; i < Count(); ++i) texts.push_back(Wide(EntryText(i)));
    int32_t selected = Current();
    std::wstring text = Wide(CurrentText());
    bool visible = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    DestroyWindow(hwnd_);
    style_ = style;
    Make(parent, 0, 0);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (const std::wstring& entry : texts) Insert(entry);
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    if (style_ != kDropDownList) SetEditText(text);
    if (!visible) ShowWindow(hwnd_, SW_HIDE);
    EnableWindow(hwnd_, enabled);
    if (!tool_tip_.empty()) form()->SetToolTip(hwnd_, tool_tip_);
  }
  // Runs a change the code makes with the control's notifications held
  // back, then announces what changed.
  template <typename Body>
  void CodeChange(Body&& body) {
    ++code_changes_;
    body();
    --code_changes_;
    Announce();
  }
  void Insert(std::wstring text) {
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT;
    item.iItem = -1;  // at the end
    item.pszText = text.data();
    SendMessageW(hwnd_, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  int32_t Count() const {
    LRESULT count = SendMessageW(hwnd_, CB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int32_t>(count);
  }
  int32_t Current() const {
    LRESULT at = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    return at < 0 ? -1 : static_cast<int32_t>(at);
  }
  std::string EntryText(int32_t index) const {
    if (index < 0 || index >= Count()) return "";
    std::wstring text(1024, L'\0');
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageW(hwnd_, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    text.resize(wcslen(text.c_str()));
    return Narrow(text);
  }
  HWND Edit() const {
    return reinterpret_cast<HWND>(SendMessageW(hwnd_, CBEM_GETEDITCONTROL, 0, 0));
  }
  void SetEditText(const std::wstring& text) {
    if (HWND edit = Edit()) SetWindowTextW(edit, text.c_str());
  }
  std::string CurrentText() const {
    if (style_ == kDropDownList) return EntryText(Current());
    return Narrow(WindowTextOf(Edit()));
  }
  // Click on a change of the entry, then Change on a change of the text.
  void Announce() {
    int32_t index = Current();
    std::string text = CurrentText();
    bool index_changed = index != announced_index_;
    bool text_changed = text != announced_text_;
    announced_index_ = index;
    announced_text_ = std::move(text);
    if (index_changed) click.Fire();
    if (text_changed) change_.Fire();
  }

  int style_ = kDropDownCombo;
  int code_changes_ = 0;
  std::vector<std::string> keys_;
  int32_t announced_index_ = -1;
  std::string announced_text_;
  Event<> change_;

 public:
  std::string DescribeState() override {
    int32_t index = ListIndex();
    return ComboState(Text(), index, static_cast<size_t>(ListCount()),
                      index < 0 ? "" : ItemPicture(index));
  }
};

}  // namespace

std::shared_ptr<ControlCore> MakeComboBox(FormRef form, std::string name) {
  return std::make_shared<ComboBoxControl>(std::move(form), std::move(name));
}

}  // namespace pinlet::win32ui
