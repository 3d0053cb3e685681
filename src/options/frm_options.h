// frmOptions: the modal dialog in which the user sets the add-in's options.
//
// Two tabs: "General" (how notes are displayed and printed, and the default
// appearance of a new note) and "Item Related" (opening the note with its
// item, inserting it into replies and forwards, the warnings, and marking
// items with a flag). The dialog reads every value under "\Note" when it
// loads and writes all nineteen back, in a fixed order, when the user
// presses OK; Cancel and the close box write nothing. Help shows the
// dialog's help page through the support library.
//
// One dialog object serves the add-in instance; its window is built anew for
// every showing, and it keeps the custom background colour (the last one
// that matched none of the five fixed colours) from one showing to the next.
#ifndef PINLET_OPTIONS_FRM_OPTIONS_H_
#define PINLET_OPTIONS_FRM_OPTIONS_H_

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "addin/context.h"
#include "platform/ui_controls.h"

namespace pinlet {

// The background colours of cboColors, by list index; index 5 is "Custom".
constexpr std::array<uint32_t, 5> kBackgroundColours = {0xF0CAA6, 0xCCFFCC, 0xCCCCFF,
                                                        0xCCFFFF, 0xFFFFFF};
constexpr int kCustomColourIndex = 5;
// The Outlook flag icon number of each row of cboFlags (red, blue, yellow,
// green, orange, purple); the row of icon number n is 7 - n.
constexpr std::array<int, 6> kFlagIcons = {6, 5, 4, 3, 2, 1};
// The font sizes the font dialog offers, in points.
constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 80;

class frmOptions {
 public:
  explicit frmOptions(AddinContext& ctx) : ctx_(ctx) {}
  ~frmOptions();
  frmOptions(const frmOptions&) = delete;
  frmOptions& operator=(const frmOptions&) = delete;

  // Builds the window and runs its Form_Load, unless it is loaded already.
  // A window that cannot be built is unloaded again and the HostError raised
  // to the caller. Returns false when Form_Load failed (the error was shown).
  bool Load();
  // Loads the window, then shows it modally; returns once the user closed it.
  // A window whose Form_Load failed is not shown: its controls do not hold
  // the stored options, and OK would store what they hold instead.
  // Raises what Load raises.
  void Show();
  // The window while it is loaded (after Load, until Show returns).
  const ui::FormPtr& form() const { return form_; }

  uint32_t custom_colour() const { return custom_colour_; }

 private:
  // The window and its controls, with their design-time captions and places
  // (frm_options_layout.cc).
  void Build();
  void Subscribe();
  void Release();

  // Returns false when a step failed; the rest of the load was not done.
  bool Form_Load();
  void TabStrip1_Click();
  void chkInsert_Click();
  void chkMarkWithFlag_Click();
  void cboColors_Change();
  void cboColors_KeyUp();
  void cmdColor_Click();
  void cmdFont_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();
  // Selects the list entry of the sample's background (the custom colour,
  // remembered, for any other); continues past errors, reporting them.
  void ChangeCboColor();
  // Sets the sample's background from the list entry; continues past errors,
  // reporting them.
  void ChangeColorFromCbo();

  AddinContext& ctx_;
  ui::FormPtr form_;
  std::vector<Subscription> events_;
  bool loaded_ = false;
  uint32_t custom_colour_ = 0;

  std::shared_ptr<ui::TabStrip> TabStrip1;
  std::array<std::shared_ptr<ui::PictureBox>, 2> PicTab;
  std::shared_ptr<ui::CommandButton> cmdOK, cmdCancel, cmdHelp, cmdColor, cmdFont;
  std::shared_ptr<ui::Frame> fraProgram, fraSample, fraItemRelated;
  std::shared_ptr<ui::Label> lblNotes, lblPrint, lblNoteFont, lblOpen, lblInsert,
      lblOther, lblFlagSettings;
  std::shared_ptr<ui::CheckBox> chkOnTop, chkOneWindow, chkPrint1, chkPrint2, chkOpen,
      chkInsert, chkWarningOnNoteInsertion, chkWarningOnReminder, chkMarkWithFlag,
      chkOverwrite;
  std::shared_ptr<ui::TextBox> txtFont;
  std::shared_ptr<ui::ComboBox> cboColors, cboFlags;
};

// Shows the add-in instance's options dialog, made the first time.
void ShowOptionsDialog(AddinContext& ctx);

}  // namespace pinlet

#endif  // PINLET_OPTIONS_FRM_OPTIONS_H_
