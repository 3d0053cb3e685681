// The simulated kinds of control (ui_controls.h), each over the shared state
// of sim_form.h, with what the user can do to it.
#ifndef PINLET_SIM_MACHINE_SIM_CONTROLS_H_
#define PINLET_SIM_MACHINE_SIM_CONTROLS_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/display_text.h"
#include "platform/form_text.h"
#include "sim/machine/sim_form.h"

namespace pinlet::sim {

// Creates a control of the kind named by `type_name` ("TextBox"); nullptr
// for a kind the host does not have.
std::shared_ptr<SimControlCore> MakeControl(World* world, std::weak_ptr<SimForm> form,
                                            std::string_view type_name, std::string name);

// The system's edit control. The text is kept in UTF-16 units, which is
// what positions count.
class SimTextBox : public SimControl<ui::TextBox> {
 public:
  SimTextBox(World* world, std::weak_ptr<SimForm> form, std::string name);

  WindowHandle hWnd() override;
  std::string Text() override;
  void SetText(std::string_view text) override;
  int32_t SelStart() override;
  void SetSelStart(int32_t start) override;
  int32_t SelLength() override;
  void SetSelLength(int32_t length) override;
  std::string SelText() override;
  void SetSelText(std::string_view text) override;
  bool Locked() override;
  void SetLocked(bool locked) override;
  bool MultiLine() override;
  void SetMultiLine(bool multi_line) override;
  ui::Font GetFont() override;
  void SetFont(const ui::Font& font) override;
  uint32_t ForeColor() override;
  void SetForeColor(uint32_t colour) override;
  Subscription OnChange(ui::Handler h) override;
  bool Cut() override;
  bool Copy() override;
  bool Paste() override;
  bool CanUndo() override;
  bool Undo() override;
  bool ReplaceSel(std::string_view text, bool can_undo) override;

  bool SetByUser(std::string_view value, std::string& error) override;
  void KeyByUser(int key_code, int shift) override;
  void CharByUser(int key_ascii) override;
  std::string DescribeState() const override;
  void FillLook(ControlLook& look) const override;

  // The node level.
  std::string text() const;
  size_t sel_start() const { return std::min(anchor_, caret_); }
  size_t sel_end() const { return std::max(anchor_, caret_); }
  void Select(size_t start, size_t length);
  bool locked = false;
  bool multi_line = true;
  ui::Font font;
  uint32_t fore_colour = 0x000000;
  Event<> change;

 private:
  struct Snapshot {
    std::u16string text;
    size_t anchor, caret;
  };
  // Replaces the selection with `units`. An undoable edit keeps what was
  // before for Undo (a run of typing keeps the state before its first
  // character); any other empties the undo buffer. Fires Change when the
  // text changed.
  void Edit(std::u16string_view units, bool undoable, bool typing = false);
  void SetAll(std::u16string units);
  bool DoUndo();
  bool DoCopy();
  bool DoPaste();
  void FireChangeIf(const std::u16string& before);

  std::u16string text_;
  size_t anchor_ = 0, caret_ = 0;
  std::optional<Snapshot> undo_;
  bool typing_run_ = false;
};

// The lists' shared entries: a text and, for a combo box, a picture key.
struct ListEntry {
  std::string text;
  std::string picture_key;
};

class SimComboBox : public SimControl<ui::ComboBox> {
 public:
  SimComboBox(World* world, std::weak_ptr<SimForm> form, std::string name);
  void AddItem(std::string_view text, std::string_view picture_key) override;
  void Clear() override;
  int32_t ListCount() override;
  std::string List(int32_t index) override;
  std::string ItemPicture(int32_t index) override;
  int32_t ListIndex() override;
  void SetListIndex(int32_t index) override;
  std::string Text() override;
  void SetText(std::string_view text) override;
  int Style() override;
  void SetStyle(int style) override;
  ui::Font GetFont() override;
  void SetFont(const ui::Font& font) override;
  Subscription OnChange(ui::Handler h) override;

  bool SetByUser(std::string_view value, std::string& error) override;
  bool ChooseByUser(std::string_view entry, std::string& error) override;
  void KeyByUser(int key_code, int shift) override;
  void CharByUser(int key_ascii) override;
  std::string DescribeState() const override;
  void FillLook(ControlLook& look) const override;

  std::vector<ListEntry> entries;
  int32_t list_index = -1;
  std::string text;
  int style = ui::ComboBox::kDropDownCombo;
  ui::Font font;
  Event<> change;

 private:
  // Selects the entry (-1: none), firing Click on a change of the entry and
  // Change on a change of the text.
  void Select(int32_t index);
  // Sets the text and selects its entry, firing Change when it changed.
  void Type(std::string value);
  std::vector<std::string> Texts() const;
};

class SimListBox : public SimControl<ui::ListBox> {
 public:
  SimListBox(World* world, std::weak_ptr<SimForm> form, std::string name);
  void AddItem(std::string_view text, int32_t index) override;
  void RemoveItem(int32_t index) override;
  void Clear() override;
  int32_t ListCount() override;
  std::string List(int32_t index) override;
  int32_t ListIndex() override;
  void SetListIndex(int32_t index) override;
  bool Selected(int32_t index) override;
  void SetSelected(int32_t index, bool selected) override;
  ui::Font GetFont() override;
  void SetFont(const ui::Font& font) override;

  bool SetByUser(std::string_view value, std::string& error) override;
  bool ChooseByUser(std::string_view entry, std::string& error) override;
  void KeyByUser(int key_code, int shift) override;
  std::string DescribeState() const override;
  void FillLook(ControlLook& look) const override;

  std::vector<std::string> entries;
  int32_t list_index = -1;
  ui::Font font;

 private:
  void Select(int32_t index);  // fires Click on a change
};

class SimTabStrip : public SimControl<ui::TabStrip> {
 public:
  SimTabStrip(World* world, std::weak_ptr<SimForm> form, std::string name);
  void AddTab(std::string_view caption) override;
  int32_t TabCount() override;
  std::string TabCaption(int32_t index) override;
  int32_t SelectedTab() override;
  void SetSelectedTab(int32_t index) override;

  bool SetByUser(std::string_view value, std::string& error) override;
  bool ChooseByUser(std::string_view entry, std::string& error) override;
  std::string DescribeState() const override;
  void FillLook(ControlLook& look) const override;

  std::vector<std::string> tabs;
  int32_t selected = 0;  // 1-based; 0 while there are no tabs

 private:
  void Select(int32_t index);  // fires Click on a change
};

// Ticks while enabled with an interval, at the simulated time of SimUi.
class SimTimer : public SimControl<ui::Timer> {
 public:
  SimTimer(World* world, std::weak_ptr<SimForm> form, std::string name);
  int32_t Interval() override;
  void SetInterval(int32_t milliseconds) override;
  Subscription OnTimer(ui::Handler h) override;
  std::string DescribeState() const override;

  // Starts the interval anew from the present simulated time, or stops the
  // timer when it is disabled or its interval is 0.
  void Rearm();
  int32_t interval = 0;
  int64_t due = -1;  // the simulated time of the next tick, ms; -1: stopped
  Event<> timer;

 protected:
  void EnabledChanged() override { Rearm(); }
};

// A menu, or an entry of one (a menu whose container is a menu).
class SimMenu : public SimControl<ui::Menu> {
 public:
  SimMenu(World* world, std::weak_ptr<SimForm> form, std::string name);
  std::string Caption() override;
  void SetCaption(std::string_view caption) override;
  bool Checked() override;
  void SetChecked(bool checked) override;
  std::string DescribeState() const override;
  void FillLook(ControlLook& look) const override;

  std::string caption;
  bool checked = false;
};

// A month calendar's value as the user gives it: a date (m/d/yyyy), or
// nullopt for "none" or "". False with `error` set for anything else.
bool ParseCalendarValue(std::string_view text, std::optional<Date>& value,
                        std::string& error);

// Where an entry is in `texts` (from 0), given by its text (ignoring case)
// or as "#N", its number as the control counts them (from `first_index`);
// nullopt with `error` set when there is none.
std::optional<int32_t> FindEntry(const std::vector<std::string>& texts,
                                 std::string_view entry, int32_t first_index,
                                 std::string& error);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_CONTROLS_H_
