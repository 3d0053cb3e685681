// The options dialog's window as designed: its controls, their captions and
// their places in twips. The texts the string table gives are set when the
// dialog loads.
#include "options/frm_options.h"
#include "platform/host_error.h"

namespace pinlet {
namespace {

template <typename T>
std::shared_ptr<T> Add(ui::Form& form, std::string_view name, std::string_view container,
                       int32_t left, int32_t top, int32_t width, int32_t height) {
  std::shared_ptr<T> control = form.Add<T>(name, container);
  if (!control) throw InvalidArgumentError("Controls.Add");
  control->Move(left, top, width, height);
  return control;
}

template <typename T>
std::shared_ptr<T> Captioned(ui::Form& form, std::string_view name,
                             std::string_view container, std::string_view caption,
                             int32_t left, int32_t top, int32_t width, int32_t height) {
  std::shared_ptr<T> control = Add<T>(form, name, container, left, top, width, height);
  control->SetCaption(caption);
  return control;
}

}  // namespace

void frmOptions::Build() {
  ui::Form& f = *form_;
  f.Move(3000, 2000, 6480, 6060);
  TabStrip1 = Add<ui::TabStrip>(f, "TabStrip1", "", 120, 120, 6120, 4935);
  TabStrip1->AddTab("General");
  TabStrip1->AddTab("Item Related");
  PicTab[0] = Add<ui::PictureBox>(f, "PicTab(0)", "", 240, 480, 5880, 4455);
  PicTab[1] = Add<ui::PictureBox>(f, "PicTab(1)", "", 240, 480, 5880, 4455);
  cmdOK = Captioned<ui::CommandButton>(f, "cmdOK", "", "OK", 2640, 5160, 1095, 375);
  cmdCancel =
      Captioned<ui::CommandButton>(f, "cmdCancel", "", "Cancel", 3840, 5160, 1095, 375);
  cmdHelp = Captioned<ui::CommandButton>(f, "cmdHelp", "", "Help", 5040, 5160, 1095, 375);

  // The "General" tab.
  fraProgram = Captioned<ui::Frame>(f, "fraProgram", "PicTab(0)",
                                    "Pinlet General Settings", 0, 0, 5880, 4455);
  lblNotes = Captioned<ui::Label>(f, "lblNotes", "fraProgram",
                                  "Note Display Options:", 120, 240, 3000, 255);
  chkOnTop = Captioned<ui::CheckBox>(f, "chkOnTop", "fraProgram", "Note Always On Top",
                                     240, 480, 4200, 255);
  chkOneWindow =
      Captioned<ui::CheckBox>(f, "chkOneWindow", "fraProgram",
                              "Open all notes in the same window", 240, 720, 4200, 255);
  lblPrint = Captioned<ui::Label>(f, "lblPrint", "fraProgram",
                                  "Note Printing Options:", 120, 1080, 3000, 255);
  chkPrint1 =
      Captioned<ui::CheckBox>(f, "chkPrint1", "fraProgram",
                              "Print Mail together with note", 240, 1320, 4200, 255);
  chkPrint2 =
      Captioned<ui::CheckBox>(f, "chkPrint2", "fraProgram",
                              "Insert the time note was printed", 240, 1560, 4200, 255);
  lblNoteFont = Captioned<ui::Label>(f, "lblNoteFont", "fraProgram",
                                     "Default Note Appearance:", 120, 1920, 3000, 255);
  fraSample =
      Captioned<ui::Frame>(f, "fraSample", "fraProgram", "Sample", 240, 2160, 3255, 1095);
  txtFont = Add<ui::TextBox>(f, "txtFont", "fraSample", 120, 240, 3015, 735);
  txtFont->SetLocked(true);
  txtFont->SetText("Note Text Font");
  cboColors = Add<ui::ComboBox>(f, "cboColors", "fraProgram", 3720, 2280, 1575, 315);
  cboColors->SetStyle(ui::ComboBox::kDropDownList);
  cmdColor = Captioned<ui::CommandButton>(f, "cmdColor", "fraProgram", "...", 5400, 2280,
                                          375, 315);
  cmdFont = Captioned<ui::CommandButton>(f, "cmdFont", "fraProgram", "Font...", 3720,
                                         2760, 1215, 375);

  // The "Item Related" tab.
  fraItemRelated = Captioned<ui::Frame>(f, "fraItemRelated", "PicTab(1)",
                                        "Pinlet Item Related Setings", 0, 0, 5880, 4455);
  chkOpen = Captioned<ui::CheckBox>(f, "chkOpen", "fraItemRelated",
                                    "Open a Note with an Item", 120, 240, 5640, 255);
  lblOpen = Add<ui::Label>(f, "lblOpen", "fraItemRelated", 360, 480, 5400, 375);
  chkInsert = Captioned<ui::CheckBox>(f, "chkInsert", "fraItemRelated",
                                      "Insert Note to Reply (to All)/Forward letter", 120,
                                      960, 5640, 255);
  lblInsert = Add<ui::Label>(f, "lblInsert", "fraItemRelated", 360, 1200, 5400, 495);
  lblOther = Captioned<ui::Label>(f, "lblOther", "fraItemRelated", "Other Settings:", 120,
                                  1800, 3000, 255);
  chkWarningOnNoteInsertion = Captioned<ui::CheckBox>(
      f, "chkWarningOnNoteInsertion", "fraItemRelated",
      "Show warning message during automatic insertion of the note into mail body.", 240,
      2040, 5520, 375);
  chkWarningOnReminder = Captioned<ui::CheckBox>(
      f, "chkWarningOnReminder", "fraItemRelated",
      "Show warning message while adding reminder", 240, 2460, 5520, 255);
  lblFlagSettings = Captioned<ui::Label>(f, "lblFlagSettings", "fraItemRelated",
                                         "Flag Settings:", 120, 2880, 3000, 255);
  chkMarkWithFlag = Captioned<ui::CheckBox>(f, "chkMarkWithFlag", "fraItemRelated",
                                            "Mark items with notes with this flag:", 240,
                                            3120, 3000, 255);
  cboFlags = Add<ui::ComboBox>(f, "cboFlags", "fraItemRelated", 3300, 3060, 1935, 330);
  chkOverwrite =
      Captioned<ui::CheckBox>(f, "chkOverwrite", "fraItemRelated",
                              "Overwrite previous flag.", 240, 3480, 3000, 255);
}

void frmOptions::Subscribe() {
  auto bind = [this](void (frmOptions::*handler)()) {
    return [this, handler] { (this->*handler)(); };
  };
  events_.push_back(TabStrip1->OnClick(bind(&frmOptions::TabStrip1_Click)));
  events_.push_back(chkInsert->OnClick(bind(&frmOptions::chkInsert_Click)));
  events_.push_back(chkMarkWithFlag->OnClick(bind(&frmOptions::chkMarkWithFlag_Click)));
  events_.push_back(cboColors->OnChange(bind(&frmOptions::cboColors_Change)));
  events_.push_back(cboColors->OnKeyUp([this](int&, int&) { cboColors_KeyUp(); }));
  // Typing into the flag list does nothing: every character is discarded.
  events_.push_back(cboFlags->OnKeyPress([](int& key_ascii) { key_ascii = 0; }));
  events_.push_back(cmdColor->OnClick(bind(&frmOptions::cmdColor_Click)));
  events_.push_back(cmdFont->OnClick(bind(&frmOptions::cmdFont_Click)));
  events_.push_back(cmdOK->OnClick(bind(&frmOptions::cmdOK_Click)));
  events_.push_back(cmdCancel->OnClick(bind(&frmOptions::cmdCancel_Click)));
  events_.push_back(cmdHelp->OnClick(bind(&frmOptions::cmdHelp_Click)));
}

}  // namespace pinlet
