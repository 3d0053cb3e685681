// The simulated edit control: selection, one-level undo that toggles, the
// clipboard, and the keys the system's edit control handles itself.
#include <algorithm>

#include "platform/clipboard.h"
#include "sim/machine/sim_controls.h"
#include "sim/machine/world.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

// The edit control's own shortcuts arrive as control characters.
constexpr int kCtrlC = 3, kCtrlV = 22, kCtrlX = 24, kCtrlZ = 26;

}  // namespace

SimTextBox::SimTextBox(World* world, std::weak_ptr<SimForm> form, std::string name)
    : SimControl(world, std::move(form), std::move(name)) {
  rect = {0, 0, 1215, 495};
  back_colour = 0xFFFFFF;
}

std::string SimTextBox::text() const { return Utf16ToUtf8(text_); }

void SimTextBox::Select(size_t start, size_t length) {
  anchor_ = std::min(start, text_.size());
  caret_ = anchor_ + std::min(length, text_.size() - anchor_);
  typing_run_ = false;
}

void SimTextBox::FireChangeIf(const std::u16string& before) {
  if (text_ != before) change.Fire();
}

void SimTextBox::Edit(std::u16string_view units, bool undoable, bool typing) {
  size_t start = sel_start(), end = sel_end();
  if (units.empty() && start == end) return;  // nothing to replace
  bool continues_run =
      typing && typing_run_ && start == end && caret_ == start && undo_.has_value();
  if (!undoable)
    undo_.reset();
  else if (!continues_run)
    undo_ = Snapshot{text_, anchor_, caret_};
  std::u16string before = text_;
  text_.replace(start, end - start, units);
  anchor_ = caret_ = start + units.size();
  typing_run_ = typing;
  FireChangeIf(before);
}

void SimTextBox::SetAll(std::u16string units) {
  std::u16string before = std::move(text_);
  text_ = std::move(units);
  anchor_ = caret_ = 0;
  undo_.reset();
  typing_run_ = false;
  FireChangeIf(before);
}

bool SimTextBox::DoUndo() {
  if (!undo_ || locked) return false;
  std::u16string before = text_;
  Snapshot current{text_, anchor_, caret_};
  text_ = std::move(undo_->text);
  anchor_ = undo_->anchor;
  caret_ = undo_->caret;
  undo_ = std::move(current);  // the next undo redoes
  typing_run_ = false;
  FireChangeIf(before);
  return true;
}

bool SimTextBox::DoCopy() {
  if (sel_start() == sel_end()) return false;
  // The edit control's own use of the clipboard is not a call of the add-in's.
  FaultInjector::Pause pause(world_->faults);
  SimClipboard& clipboard = world_->clipboard;
  if (clipboard.is_open() || !clipboard.Open()) return false;
  bool done =
      clipboard.Empty() &&
      clipboard.SetData(cf::kUnicodeText,
                        UnicodeTextBlock(Utf16ToUtf8(std::u16string_view(text_).substr(
                            sel_start(), sel_end() - sel_start()))));
  clipboard.Close();
  return done;
}

bool SimTextBox::DoPaste() {
  if (locked) return false;
  std::optional<std::string> pasted;
  {
    FaultInjector::Pause pause(world_->faults);
    SimClipboard& clipboard = world_->clipboard;
    if (clipboard.is_open() || !clipboard.Open()) return false;
    if (auto block = clipboard.GetData(cf::kUnicodeText))
      pasted = TextFromUnicodeBlock(*block);
    else if (auto ansi = clipboard.GetData(cf::kText))
      pasted = TextFromBlock(*ansi);
    clipboard.Close();
  }
  if (!pasted) return false;
  std::u16string units = Utf8ToUtf16(*pasted);
  if (!multi_line) units = units.substr(0, units.find_first_of(u"\r\n"));
  Edit(units, true);
  return true;
}

WindowHandle SimTextBox::hWnd() {
  Enter("TextBox.hWnd");
  return form()->ChildHandle(this);
}

std::string SimTextBox::Text() {
  Enter("TextBox.Text");
  return text();
}

void SimTextBox::SetText(std::string_view value) {
  Enter("TextBox.Text");
  SetAll(Utf8ToUtf16(value));
}

int32_t SimTextBox::SelStart() {
  Enter("TextBox.SelStart");
  return static_cast<int32_t>(sel_start());
}

void SimTextBox::SetSelStart(int32_t start) {
  Enter("TextBox.SelStart");
  if (start < 0) throw InvalidPropertyValueError("TextBox.SelStart");
  Select(static_cast<size_t>(start), 0);
}

int32_t SimTextBox::SelLength() {
  Enter("TextBox.SelLength");
  return static_cast<int32_t>(sel_end() - sel_start());
}

void SimTextBox::SetSelLength(int32_t length) {
  Enter("TextBox.SelLength");
  if (length < 0) throw InvalidPropertyValueError("TextBox.SelLength");
  Select(sel_start(), static_cast<size_t>(length));
}

std::string SimTextBox::SelText() {
  Enter("TextBox.SelText");
  return Utf16ToUtf8(
      std::u16string_view(text_).substr(sel_start(), sel_end() - sel_start()));
}

void SimTextBox::SetSelText(std::string_view value) {
  Enter("TextBox.SelText");
  Edit(Utf8ToUtf16(value), true);
}

bool SimTextBox::Locked() {
  Enter("TextBox.Locked");
  return locked;
}

void SimTextBox::SetLocked(bool on) {
  Enter("TextBox.Locked");
  locked = on;
}

bool SimTextBox::MultiLine() {
  Enter("TextBox.MultiLine");
  return multi_line;
}

void SimTextBox::SetMultiLine(bool on) {
  Enter("TextBox.MultiLine");
  multi_line = on;
}

ui::Font SimTextBox::GetFont() {
  Enter("TextBox.Font");
  return font;
}

void SimTextBox::SetFont(const ui::Font& f) {
  Enter("TextBox.Font");
  font = f;
}

uint32_t SimTextBox::ForeColor() {
  Enter("TextBox.ForeColor");
  return fore_colour;
}

void SimTextBox::SetForeColor(uint32_t colour) {
  Enter("TextBox.ForeColor");
  fore_colour = colour;
}

Subscription SimTextBox::OnChange(ui::Handler h) { return Advise(change, "Change", h); }

bool SimTextBox::Cut() {
  if (world_->faults.Fails("SendMessage WM_CUT") || !form() || locked) return false;
  if (!DoCopy()) return false;
  Edit(u"", true);
  return true;
}

bool SimTextBox::Copy() {
  if (world_->faults.Fails("SendMessage WM_COPY") || !form()) return false;
  return DoCopy();
}

bool SimTextBox::Paste() {
  if (world_->faults.Fails("SendMessage WM_PASTE") || !form()) return false;
  return DoPaste();
}

bool SimTextBox::CanUndo() {
  if (world_->faults.Fails("SendMessage EM_CANUNDO") || !form()) return false;
  return undo_.has_value();
}

bool SimTextBox::Undo() {
  if (world_->faults.Fails("SendMessage EM_UNDO") || !form()) return false;
  return DoUndo();
}

bool SimTextBox::ReplaceSel(std::string_view value, bool can_undo) {
  if (world_->faults.Fails("SendMessage EM_REPLACESEL") || !form()) return false;
  Edit(Utf8ToUtf16(value), can_undo);
  return true;
}

bool SimTextBox::SetByUser(std::string_view value, std::string& error) {
  if (locked) {
    error = name + " is locked";
    return false;
  }
  Select(0, text_.size());
  Edit(Utf8ToUtf16(value), true);
  return true;
}

void SimTextBox::KeyByUser(int key_code, int shift) {
  size_t line_start = text_.find_last_of(u"\r\n", caret_ == 0 ? 0 : caret_ - 1);
  line_start = caret_ == 0 || line_start == std::u16string::npos ? 0 : line_start + 1;
  size_t line_end = std::min(text_.find_first_of(u"\r\n", caret_), text_.size());
  size_t to = caret_;
  switch (key_code) {
    case ui::key::kLeft:
      if (to > 0) to -= to >= 2 && text_.compare(to - 2, 2, u"\r\n") == 0 ? 2 : 1;
      break;
    case ui::key::kRight:
      if (to < text_.size()) to += text_.compare(to, 2, u"\r\n") == 0 ? 2 : 1;
      break;
    case ui::key::kHome:
      to = line_start;
      break;
    case ui::key::kEnd:
      to = line_end;
      break;
    case ui::key::kDelete:
      if (locked) return;
      if (sel_start() == sel_end() && caret_ < text_.size())
        caret_ += text_.compare(caret_, 2, u"\r\n") == 0 ? 2 : 1;
      return Edit(u"", true);
    default:
      return;
  }
  caret_ = to;
  if (!(shift & ui::shift::kShift)) anchor_ = to;
  typing_run_ = false;
}

void SimTextBox::CharByUser(int key_ascii) {
  switch (key_ascii) {
    case kCtrlC:
      DoCopy();
      return;
    case kCtrlV:
      DoPaste();
      return;
    case kCtrlX:
      if (!locked && DoCopy()) Edit(u"", true);
      return;
    case kCtrlZ:
      DoUndo();
      return;
  }
  if (locked) return;
  if (key_ascii == ui::key::kBack) {
    if (sel_start() == sel_end() && caret_ > 0)
      anchor_ =
          caret_ - (caret_ >= 2 && text_.compare(caret_ - 2, 2, u"\r\n") == 0 ? 2 : 1);
    return Edit(u"", true);
  }
  if (key_ascii == ui::key::kReturn) {
    if (multi_line) Edit(u"\r\n", true, true);
    return;
  }
  if (key_ascii < 32) return;  // other control characters insert nothing
  Edit(Utf8ToUtf16(CodePointToUtf8(static_cast<char32_t>(key_ascii))), true, true);
}

std::string SimTextBox::DescribeState() const {
  return TextBoxState(text(), sel_start(), sel_end() - sel_start(), font, fore_colour,
                      locked, multi_line);
}

void SimTextBox::FillLook(ControlLook& look) const {
  look.text = text();
  look.font = font;
  look.fore_colour = fore_colour;
  look.multi_line = multi_line;
  look.locked = locked;
  look.sel_start = static_cast<int32_t>(sel_start());
  look.sel_length = static_cast<int32_t>(sel_end() - sel_start());
}

}  // namespace pinlet::sim
