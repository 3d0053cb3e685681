// The captioned kinds: the label (STATIC), the frame (a BUTTON group box
// that holds controls), the command button and the three-state check box.
#include "platform/display_text.h"
#include "platform/wide_text.h"
#include "platform/win32ui/win32_controls.h"

namespace pinlet::win32ui {
namespace {

// A kind whose caption is its window's text.
template <typename I>
class Captioned : public Control<I> {
 public:
  Captioned(FormRef form, std::string name)
      : Control<I>(std::move(form), std::move(name)) {}
  std::string Caption() override {
    this->Enter(member_);
    return Narrow(WindowTextOf(this->hwnd_));
  }
  void SetCaption(std::string_view text) override {
    this->Enter(member_);
    SetWindowTextW(this->hwnd_, Wide(text).c_str());
  }

 private:
  const std::string member_ = std::string(I::kTypeName) + ".Caption";

 public:
  std::string DescribeState() override { return QuotedText(Caption()); }
};

class LabelControl : public Captioned<ui::Label> {
 public:
  LabelControl(FormRef form, std::string name)
      : Captioned(std::move(form), std::move(name)) {}
  void Create(HWND parent) override {
    MakeWindow(parent, L"STATIC", SS_LEFT | SS_NOTIFY, 0, 1215, 255);
  }
  bool ClickOnMouseUp() const override { return true; }
  uint32_t ForeColor() override { return ForeColorMember("Label.ForeColor"); }
  void SetForeColor(uint32_t colour) override {
    SetForeColorMember("Label.ForeColor", colour);
  }
  ui::Font GetFont() override { return FontMember("Label.Font"); }
  void SetFont(const ui::Font& font) override { SetFontMember("Label.Font", font); }
};

class FrameControl : public Captioned<ui::Frame> {
 public:
  FrameControl(FormRef form, std::string name)
      : Captioned(std::move(form), std::move(name)) {}
  void Create(HWND parent) override {
    MakeWindow(parent, L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
               2000, 1500);
  }
  bool IsContainer() const override { return true; }
  bool ClickOnMouseUp() const override { return true; }
};

class CommandButtonControl : public Captioned<ui::CommandButton> {
 public:
  CommandButtonControl(FormRef form, std::string name)
      : Captioned(std::move(form), std::move(name)) {}
  void Create(HWND parent) override {
    MakeWindow(parent, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 1215, 495);
  }
  bool Notify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
      click.Fire();
      return true;
    }
    return ControlCore::Notify(message, wparam, lparam, result);
  }
};

// BS_3STATE leaves the state to us: a click checks a clear or grey box and
// clears a checked one; every change of Value fires Click.
class CheckBoxControl : public Captioned<ui::CheckBox> {
 public:
  CheckBoxControl(FormRef form, std::string name)
      : Captioned(std::move(form), std::move(name)) {}
  void Create(HWND parent) override {
    MakeWindow(parent, L"BUTTON", BS_3STATE | WS_TABSTOP, 0, 1215, 255);
  }
  bool Notify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
      Change(State() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      return true;
    }
    return ControlCore::Notify(message, wparam, lparam, result);
  }
  int Value() override {
    Enter("CheckBox.Value");
    return State();
  }
  void SetValue(int value) override {
    Enter("CheckBox.Value");
    if (value < 0 || value > 2) throw InvalidPropertyValueError("CheckBox.Value");
    Change(value);
  }

 private:
  // BST_UNCHECKED, BST_CHECKED and BST_INDETERMINATE are 0, 1 and 2.
  int State() const { return static_cast<int>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0)); }
  void Change(int value) {
    if (value == State()) return;
    SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    click.Fire();
  }

 public:
  std::string DescribeState() override { return CheckBoxState(Caption(), Value()); }
};

}  // namespace

std::shared_ptr<ControlCore> MakeButtonKind(FormRef form, std::string_view type_name,
                                            std::string name) {
  if (type_name == ui::Label::kTypeName)
    return std::make_shared<LabelControl>(std::move(form), std::move(name));
  if (type_name == ui::Frame::kTypeName)
    return std::make_shared<FrameControl>(std::move(form), std::move(name));
  if (type_name == ui::CommandButton::kTypeName)
    return std::make_shared<CommandButtonControl>(std::move(form), std::move(name));
  if (type_name == ui::CheckBox::kTypeName)
    return std::make_shared<CheckBoxControl>(std::move(form), std::move(name));
  return nullptr;
}

}  // namespace pinlet::win32ui
