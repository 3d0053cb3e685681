// The text box as the system's EDIT control: multi-line, Unicode, one
// level of undo that toggles, the clipboard through the control's own
// WM_CUT, WM_COPY and WM_PASTE.
//
// Change follows every edit that alters the text exactly once. The user's
// edits arrive as the control's EN_CHANGE. An edit the code makes (Text,
// SelText, the edit messages) runs as a code edit: the control's own
// EN_CHANGE is held back (a multi-line EDIT sends none for WM_SETTEXT), and
// Change fires afterwards when the text differs from before.
#include <algorithm>

#include "platform/wide_text.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/win32_controls.h"
#include "platform/win32ui/win32_form.h"

namespace pinlet::win32ui {
namespace {

constexpr DWORD kMultiLineStyle =
    ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
constexpr DWORD kSingleLineStyle = ES_AUTOHSCROLL;

class TextBoxControl : public Control<ui::TextBox> {
 public:
  TextBoxControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name)) {
    back_colour_ = GetSysColor(COLOR_WINDOW);
    fore_colour_ = GetSysColor(COLOR_WINDOWTEXT);
  }

  void Create(HWND parent) override {
    MakeWindow(parent, L"EDIT", WS_TABSTOP | kMultiLineStyle, WS_EX_CLIENTEDGE, 1215,
               495);
    SendMessageW(hwnd_, EM_LIMITTEXT, 0, 0);  // no limit below the system's
  }

  bool Notify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) {
      if (code_edits_ > 0) return true;  // the code edit fires Change itself, once
      change_.Fire();
      return true;
    }
    return ControlCore::Notify(message, wparam, lparam, result);
  }

  WindowHandle hWnd() override {
    Enter("TextBox.hWnd");
    return HandleOf(hwnd_);
  }

  std::string Text() override {
    Enter("TextBox.Text");
    return Narrow(WindowTextOf(hwnd_));
  }

  void SetText(std::string_view text) override {
    Enter("TextBox.Text");
    std::wstring wide = Wide(text);
    CodeEdit([&] {
      SetWindowTextW(hwnd_, wide.c_str());
      SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
      SendMessageW(hwnd_, EM_SETSEL, 0, 0);
      return true;
    });
  }

  int32_t SelStart() override {
    Enter("TextBox.SelStart");
    return static_cast<int32_t>(Selection().first);
  }

  void SetSelStart(int32_t start) override {
    Enter("TextBox.SelStart");
    if (start < 0) throw InvalidPropertyValueError("TextBox.SelStart");
    DWORD at = std::min<DWORD>(static_cast<DWORD>(start), Length());
    SendMessageW(hwnd_, EM_SETSEL, at, at);
  }

  int32_t SelLength() override {
    Enter("TextBox.SelLength");
    auto [start, end] = Selection();
    return static_cast<int32_t>(end - start);
  }

  void SetSelLength(int32_t length) override {
    Enter("TextBox.SelLength");
    if (length < 0) throw InvalidPropertyValueError("TextBox.SelLength");
    DWORD start = Selection().first;
    DWORD end = start + std::min<DWORD>(static_cast<DWORD>(length), Length() - start);
    SendMessageW(hwnd_, EM_SETSEL, start, end);
  }

  std::string SelText() override {
    Enter("TextBox.SelText");
    auto [start, end] = Selection();
    return Narrow(WindowTextOf(hwnd_).substr(start, end - start));
  }

  void SetSelText(std::string_view text) override {
    Enter("TextBox.SelText");
    Replace(text, true);
  }

  bool Locked() override {
    Enter("TextBox.Locked");
    return locked();
  }

  void SetLocked(bool on) override {
    Enter("TextBox.Locked");
    SendMessageW(hwnd_, EM_SETREADONLY, on, 0);
  }

  bool MultiLine() override {
    Enter("TextBox.MultiLine");
    return (GetWindowLongW(hwnd_, GWL_STYLE) & ES_MULTILINE) != 0;
  }

  void SetMultiLine(bool on) override {
    Enter("TextBox.MultiLine");
    if (on != ((GetWindowLongW(hwnd_, GWL_STYLE) & ES_MULTILINE) != 0)) Recreate(on);
  }

  ui::Font GetFont() override { return FontMember("TextBox.Font"); }

  void SetFont(const ui::Font& font) override { SetFontMember("TextBox.Font", font); }

  uint32_t ForeColor() override { return ForeColorMember("TextBox.ForeColor"); }

  void SetForeColor(uint32_t colour) override {
    SetForeColorMember("TextBox.ForeColor", colour);
  }

  Subscription OnChange(ui::Handler h) override {
    return Advise(change_, "Change", std::move(h));
  }

  bool Cut() override {
    if (!Reachable() || locked() || !HasSelection() || ClipboardHeldOpen()) return false;
    std::wstring before = WindowTextOf(hwnd_);
    CodeEdit([&] { return SendMessageW(hwnd_, WM_CUT, 0, 0); });
    return GetClipboardOwner() == hwnd_ && WindowTextOf(hwnd_) != before;
  }

  bool Copy() override {
    if (!Reachable() || !HasSelection() || ClipboardHeldOpen()) return false;
    SendMessageW(hwnd_, WM_COPY, 0, 0);
    return GetClipboardOwner() == hwnd_;
  }

  bool Paste() override {
    if (!Reachable() || locked() || ClipboardHeldOpen()) return false;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) &&
        !IsClipboardFormatAvailable(CF_TEXT))
      return false;
    CodeEdit([&] { return SendMessageW(hwnd_, WM_PASTE, 0, 0); });
    return true;
  }

  bool CanUndo() override {
    return Reachable() && SendMessageW(hwnd_, EM_CANUNDO, 0, 0) != 0;
  }

  bool Undo() override {
    if (!Reachable() || locked() || !SendMessageW(hwnd_, EM_CANUNDO, 0, 0)) return false;
    return CodeEdit([&] { return SendMessageW(hwnd_, EM_UNDO, 0, 0); }) != 0;
  }

  bool ReplaceSel(std::string_view text, bool can_undo) override {
    if (!Reachable()) return false;
    Replace(text, can_undo);
    return true;
  }

 private:
  bool Reachable() const { return form() && hwnd_; }
  bool locked() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & ES_READONLY) != 0; }
  DWORD Length() const { return static_cast<DWORD>(GetWindowTextLengthW(hwnd_)); }
  // The selection's ends, in UTF-16 units (the pointer form of EM_GETSEL,
  // which does not stop at 65535).
  std::pair<DWORD, DWORD> Selection() const {
    DWORD start = 0, end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  bool HasSelection() const {
    auto [start, end] = Selection();
    return end > start;
  }
  // The EDIT opens the clipboard itself and gives up silently when another
  // window holds it open; a cut would then remove the text regardless.
  static bool ClipboardHeldOpen() { return GetOpenClipboardWindow() != nullptr; }

  void Replace(std::string_view text, bool can_undo) {
    std::wstring wide = Wide(text);
    CodeEdit([&] {
      return SendMessageW(hwnd_, EM_REPLACESEL, can_undo,
                          reinterpret_cast<LPARAM>(wide.c_str()));
    });
  }

  // Runs an edit of the code's with the control's EN_CHANGE held back, and
  // fires Change once when the text changed. The code's edits change a
  // locked box too.
  template <typename Body>
  LRESULT CodeEdit(Body&& body) {
    std::wstring before = WindowTextOf(hwnd_);
    bool was_locked = locked();
    if (was_locked) SendMessageW(hwnd_, EM_SETREADONLY, FALSE, 0);
    ++code_edits_;
    LRESULT result = body();
    --code_edits_;
    if (was_locked && hwnd_) SendMessageW(hwnd_, EM_SETREADONLY, TRUE, 0);
    if (hwnd_ && WindowTextOf(hwnd_) != before) change_.Fire();
    return result;
  }

  // A single-line or multi-line EDIT is a style fixed at creation: the
  // window is made anew in the same place, with the same text, selection,
  // state and font.
  void Recreate(bool multi_line) {
    HWND parent = GetParent(hwnd_);
    RECT r = {};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    std::wstring text = WindowTextOf(hwnd_);
    auto [start, end] = Selection();
    LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    DestroyWindow(hwnd_);
    DWORD kept = style & (WS_VISIBLE | ES_READONLY);
    MakeWindow(parent, L"EDIT",
               WS_TABSTOP | kept | (multi_line ? kMultiLineStyle : kSingleLineStyle),
               WS_EX_CLIENTEDGE, 0, 0);
    if (!(kept & WS_VISIBLE)) ShowWindow(hwnd_, SW_HIDE);
    SendMessageW(hwnd_, EM_LIMITTEXT, 0, 0);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(hwnd_, enabled);
    ++code_edits_;
    SetWindowTextW(hwnd_, text.c_str());
    --code_edits_;
    SendMessageW(hwnd_, EM_SETSEL, start, end);
    if (!tool_tip_.empty()) form()->SetToolTip(hwnd_, tool_tip_);
  }

  Event<> change_;
  int code_edits_ = 0;

 public:
  std::string DescribeState() override {
    return TextBoxState(Text(), SelStart(), SelLength(), GetFont(), ForeColor(), Locked(),
                        MultiLine());
  }
};

}  // namespace

std::shared_ptr<ControlCore> MakeTextBox(FormRef form, std::string name) {
  return std::make_shared<TextBoxControl>(std::move(form), std::move(name));
}

}  // namespace pinlet::win32ui
