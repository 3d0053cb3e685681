// The kinds of control a form can hold (see ui.h for what every control
// offers and how failures are raised).
//
// Each kind names itself by its TypeName, which Form::Add<T> passes to
// Form::AddControl. Lists count their entries from 0 (ListIndex -1 is no
// entry); tabs count from 1, as the host's collections do.
#ifndef PINLET_PLATFORM_UI_CONTROLS_H_
#define PINLET_PLATFORM_UI_CONTROLS_H_

#include <optional>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "platform/picture.h"
#include "platform/ui.h"

namespace pinlet::ui {

// A text box, as the system's edit control behaves: one level of undo that
// toggles (a second Undo redoes), the clipboard for cut, copy and paste, and
// Change after every edit that alters the text, whether the user typed or
// the code set Text, SelText or replaced the selection.
class TextBox : public Control {
 public:
  static constexpr std::string_view kTypeName = "TextBox";
  static constexpr ControlTraits kTraits = kFocusable;

  virtual WindowHandle hWnd() = 0;
  // Setting Text puts the caret at the start and empties the undo buffer.
  virtual std::string Text() = 0;
  virtual void SetText(std::string_view text) = 0;
  // The selection; SelStart past the end is the end, a length past the end
  // is what is left. Negative values raise 380.
  virtual int32_t SelStart() = 0;
  virtual void SetSelStart(int32_t start) = 0;
  virtual int32_t SelLength() = 0;
  virtual void SetSelLength(int32_t length) = 0;
  virtual std::string SelText() = 0;
  // Replaces the selection, undoably, and leaves the caret after it.
  virtual void SetSelText(std::string_view text) = 0;
  // A locked box refuses the user's edits, cut, paste and undo; the code's
  // Text, SelText and ReplaceSel still change it, and copying still works.
  virtual bool Locked() = 0;
  virtual void SetLocked(bool locked) = 0;
  // A single-line box takes no line breaks from the keyboard and pastes only
  // the first line of the clipboard's text.
  virtual bool MultiLine() = 0;
  virtual void SetMultiLine(bool multi_line) = 0;
  virtual Font GetFont() = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual uint32_t ForeColor() = 0;
  virtual void SetForeColor(uint32_t colour) = 0;
  virtual Subscription OnChange(Handler handler) = 0;

  // The edit messages, sent to the box's window. They answer as SendMessage
  // does instead of raising: a message that fails or cannot act (nothing
  // selected, a locked box, a clipboard another window holds open) does
  // nothing and answers false.
  // WM_CUT: the selection to the clipboard, then removed (undoably); nothing
  // is removed when the clipboard refused it.
  virtual bool Cut() = 0;
  // WM_COPY: the selection to the clipboard as CF_UNICODETEXT.
  virtual bool Copy() = 0;
  // WM_PASTE: the clipboard's CF_UNICODETEXT (else CF_TEXT) replaces the
  // selection, undoably.
  virtual bool Paste() = 0;
  // EM_CANUNDO: whether there is an edit to undo (or to redo).
  virtual bool CanUndo() = 0;
  // EM_UNDO: undoes the last undoable edit; the next EM_UNDO redoes it.
  virtual bool Undo() = 0;
  // EM_REPLACESEL: `text` replaces the selection. Without `can_undo` the
  // undo buffer is emptied, so the replacement cannot be undone.
  virtual bool ReplaceSel(std::string_view text, bool can_undo) = 0;
};

class Label : public Control {
 public:
  static constexpr std::string_view kTypeName = "Label";
  static constexpr ControlTraits kTraits = kStatic;
  virtual std::string Caption() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual uint32_t ForeColor() = 0;
  virtual void SetForeColor(uint32_t colour) = 0;
  virtual Font GetFont() = 0;
  virtual void SetFont(const Font& font) = 0;
};

// A captioned frame that holds other controls.
class Frame : public Control {
 public:
  static constexpr std::string_view kTypeName = "Frame";
  static constexpr ControlTraits kTraits = kStatic;
  virtual std::string Caption() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
};

class CommandButton : public Control {
 public:
  static constexpr std::string_view kTypeName = "CommandButton";
  static constexpr ControlTraits kTraits = kFocusable;
  virtual std::string Caption() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
};

// Value 0 clear, 1 checked, 2 grey. A change of Value fires Click, also when
// the code sets it; other values raise 380.
class CheckBox : public Control {
 public:
  static constexpr std::string_view kTypeName = "CheckBox";
  static constexpr ControlTraits kTraits = kFocusable;
  virtual std::string Caption() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual int Value() = 0;
  virtual void SetValue(int value) = 0;
};

// A combo box; each entry may carry a picture key (the image combo's row
// picture). Style 0 lets the user type any text, style 2 only choose an
// entry. A change of ListIndex fires Click, and a change of Text then fires
// Change; setting Text selects the entry of that text (ignoring case), or
// none.
class ComboBox : public Control {
 public:
  static constexpr std::string_view kTypeName = "ComboBox";
  static constexpr ControlTraits kTraits = kFocusable;
  static constexpr int kDropDownCombo = 0;
  static constexpr int kDropDownList = 2;

  virtual void AddItem(std::string_view text, std::string_view picture_key) = 0;
  virtual void Clear() = 0;
  virtual int32_t ListCount() = 0;
  // The entry's text; "" for an index outside the list.
  virtual std::string List(int32_t index) = 0;
  // The entry's picture key; an index outside the list raises 35600.
  virtual std::string ItemPicture(int32_t index) = 0;
  // -1 or an entry; anything else raises 380.
  virtual int32_t ListIndex() = 0;
  virtual void SetListIndex(int32_t index) = 0;
  // With style 2, a text that is no entry raises 383.
  virtual std::string Text() = 0;
  virtual void SetText(std::string_view text) = 0;
  virtual int Style() = 0;
  virtual void SetStyle(int style) = 0;
  virtual Font GetFont() = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual Subscription OnChange(Handler handler) = 0;
};

// A list box with one selected entry at most. A change of ListIndex fires
// Click, also when the code sets it; removing the selected entry leaves none
// selected.
class ListBox : public Control {
 public:
  static constexpr std::string_view kTypeName = "ListBox";
  static constexpr ControlTraits kTraits = kFocusable;
  // Adds at `index` (-1: at the end); an index past the end raises 5.
  virtual void AddItem(std::string_view text, int32_t index) = 0;
  // An index outside the list raises 5.
  virtual void RemoveItem(int32_t index) = 0;
  virtual void Clear() = 0;
  virtual int32_t ListCount() = 0;
  virtual std::string List(int32_t index) = 0;  // "" outside the list
  virtual int32_t ListIndex() = 0;
  virtual void SetListIndex(int32_t index) = 0;  // -1 or an entry, else 380
  // Whether the entry is the selected one; selecting one deselects the
  // other. An index outside the list raises 381.
  virtual bool Selected(int32_t index) = 0;
  virtual void SetSelected(int32_t index, bool selected) = 0;
  virtual Font GetFont() = 0;
  virtual void SetFont(const Font& font) = 0;
};

// A tab strip; the first tab added is selected. Selecting another tab, by
// the user or the code, fires Click.
class TabStrip : public Control {
 public:
  static constexpr std::string_view kTypeName = "TabStrip";
  // No BackColor.
  static constexpr ControlTraits kTraits = {true, true, false, true, true};
  virtual void AddTab(std::string_view caption) = 0;
  virtual int32_t TabCount() = 0;
  // The tab's caption (1-based); outside the tabs raises 35600.
  virtual std::string TabCaption(int32_t index) = 0;
  // The selected tab (1-based; 0 while there are none); setting one outside
  // the tabs raises 35600.
  virtual int32_t SelectedTab() = 0;
  virtual void SetSelectedTab(int32_t index) = 0;
};

// A picture box: a surface that holds other controls and measures text in
// its font.
class PictureBox : public Control {
 public:
  static constexpr std::string_view kTypeName = "PictureBox";
  static constexpr ControlTraits kTraits = kStatic;
  virtual Font GetFont() = 0;
  virtual void SetFont(const Font& font) = 0;
  // TextWidth: the widest line of `text`; TextHeight: its lines' height.
  virtual int32_t TextWidth(std::string_view text) = 0;
  virtual int32_t TextHeight(std::string_view text) = 0;
  // The height `text` needs when its lines are wrapped at word breaks to
  // `width`, as DrawText with DT_CALCRECT | DT_WORDBREAK measures it.
  virtual int32_t WrappedTextHeight(std::string_view text, int32_t width) = 0;
};

// An image, used as a picture button: it shows a named picture.
class Image : public Control {
 public:
  static constexpr std::string_view kTypeName = "Image";
  // No BackColor.
  static constexpr ControlTraits kTraits = {true, true, false, true, false};
  // The key of the picture shown; "" for none.
  virtual std::string PictureKey() = 0;
  virtual void SetPicture(std::string_view key, const Picture& picture) = 0;
};

// A month calendar. Its value is a date, or none when the user left it
// without a valid date.
class Calendar : public Control {
 public:
  static constexpr std::string_view kTypeName = "Calendar";
  static constexpr ControlTraits kTraits = kFocusable;
  virtual std::optional<Date> Value() = 0;
  virtual void SetValue(Date date) = 0;
};

// A timer ticks every Interval milliseconds while Enabled (Control::Enabled)
// and Interval is above 0; setting either starts the interval anew.
class Timer : public Control {
 public:
  static constexpr std::string_view kTypeName = "Timer";
  // Only its own members.
  static constexpr ControlTraits kTraits = {false, false, false, false, false};
  virtual int32_t Interval() = 0;
  virtual void SetInterval(int32_t milliseconds) = 0;  // 0 to 65535, else 380
  virtual Subscription OnTimer(Handler handler) = 0;
};

// A menu: created with the form as container it is a menu of its own (shown
// by Form::PopupMenu); created inside a menu it is one of its entries, whose
// Click fires when the user chooses it.
class Menu : public Control {
 public:
  static constexpr std::string_view kTypeName = "Menu";
  // Visible, no more.
  static constexpr ControlTraits kTraits = {false, true, false, false, false};
  virtual std::string Caption() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual bool Checked() = 0;
  virtual void SetChecked(bool checked) = 0;
};

}  // namespace pinlet::ui

#endif  // PINLET_PLATFORM_UI_CONTROLS_H_
