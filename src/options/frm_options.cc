#include "options/frm_options.h"

#include <cstdio>

#include "addin/error_report.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "store/note_windows.h"

namespace pinlet {
namespace {

constexpr const char* kColourNames[] = {"Blue",   "Green", "Pink",
                                        "Yellow", "White", "Custom"};
constexpr const char* kFlagNames[] = {"Red Flag",   "Blue Flag",   "Yellow Flag",
                                      "Green Flag", "Orange Flag", "Purple Flag"};
constexpr const char* kFlagPictures[] = {"FLAG_RED",   "FLAG_BLUE",   "FLAG_YELLOW",
                                         "FLAG_GREEN", "FLAG_ORANGE", "FLAG_PURPLE"};
constexpr const char* kHelpPage = "Accessing_Pinlet_Options.htm";

bool Checked(Registry& registry, const char* name) {
  return ReadCheck(registry, kNoteKey, name);
}

std::string BooleanText(bool value) { return value ? "True" : "False"; }

// A font size as the host writes a Single: up to seven significant digits.
std::string SizeText(double size) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", size);
  return text;
}

}  // namespace

frmOptions::~frmOptions() { Release(); }

void frmOptions::Release() {
  events_.clear();
  form_.reset();
}

bool frmOptions::Load() {
  if (form_) return loaded_;
  form_ = ctx_.platform.forms->CreateForm("frmOptions");
  if (auto error = Attempt([&] {
        Build();
        Subscribe();
      })) {
    IgnoreError([&] { form_->Unload(); });
    Release();
    throw *error;
  }
  loaded_ = Form_Load();
  return loaded_;
}

void frmOptions::Show() {
  if (!Load()) {
    IgnoreError([&] { form_->Unload(); });
    Release();
    return;
  }
  // The form returns unloaded (OK, Cancel, the close box) or hidden; either
  // way this showing is over, and the next one loads the window anew.
  auto shown = Attempt([&] { form_->Show(ui::kModal); });
  IgnoreError([&] { form_->Unload(); });
  Release();
  if (shown) throw *shown;
}

bool frmOptions::Form_Load() {
  return RunGuardedSub(ctx_, "frmOptions(Sub Form_Load)", [&](Proc& proc) {
    Registry& registry = ctx_.registry();
    proc.line = 10;
    TabStrip1_Click();
    cboColors->Clear();
    for (const char* name : kColourNames) cboColors->AddItem(name, "");
    const std::string title =
        LoadResString(res::kProductName) + " " + LoadResString(res::kOptions);
    form_->SetCaption(title);
    proc.line = 20;
    chkPrint1->SetValue(Checked(registry, "PrintItem"));
    chkPrint2->SetValue(Checked(registry, "PrintDate"));
    chkOnTop->SetValue(Checked(registry, "NoteOnTop"));
    chkOneWindow->SetValue(Checked(registry, "NotesInOneWindow"));
    chkOpen->SetValue(Checked(registry, "ItemOpen"));
    chkInsert->SetValue(Checked(registry, "ReplyForward"));
    proc.line = 30;
    if (chkInsert->Value() == 1) {
      chkWarningOnNoteInsertion->SetEnabled(true);
      chkWarningOnNoteInsertion->SetValue(Checked(registry, "WarningOnNoteInsertion"));
    } else {
      chkWarningOnNoteInsertion->SetValue(0);
      chkWarningOnNoteInsertion->SetEnabled(false);
    }
    chkWarningOnReminder->SetValue(Checked(registry, "WarningOnReminder"));
    chkMarkWithFlag->SetValue(Checked(registry, "MarkWithFlag"));
    proc.line = 40;
    bool marking = chkMarkWithFlag->Value() == 1;
    chkOverwrite->SetValue(marking && Checked(registry, "OverwriteFlag"));
    cboFlags->SetEnabled(marking);
    chkOverwrite->SetEnabled(marking);
    proc.line = 50;
    txtFont->SetBackColor(ReadNoteBackColor(registry));
    ChangeCboColor();
    txtFont->SetText(LoadResString(res::kNoteTextFont));
    // A font the sample cannot take keeps the sample's own; a missing name
    // or size is not stored yet and shows the sample's.
    IgnoreError([&] {
      ui::Font font = txtFont->GetFont();
      std::string name = ReadText(registry, kNoteKey, "FontName");
      if (!name.empty()) font.name = name;
      font.bold =
          ToBool(ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "FontBold"));
      font.italic =
          ToBool(ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "FontItalic"));
      double size =
          ToDouble(ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "FontSize"));
      if (size > 0) font.size = size;
      font.underline =
          ToBool(ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "FontUnderline"));
      font.strikethrough =
          ToBool(ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "FontStrikethru"));
      txtFont->SetFont(font);
    });
    txtFont->SetForeColor(
        static_cast<uint32_t>(ReadNumber(registry, kNoteKey, "ForeColor")));
    proc.line = 60;
    cboFlags->Clear();
    for (size_t row = 0; row < kFlagIcons.size(); ++row)
      cboFlags->AddItem(kFlagNames[row], kFlagPictures[row]);
    cboFlags->SetListIndex(0);
    int32_t icon = ReadNumber(registry, kNoteKey, "FlagIndex");
    if (icon >= 1 && icon <= 6) cboFlags->SetListIndex(6 - icon);
    proc.line = 70;
    form_->SetCaption(title);
    cmdOK->SetCaption(LoadResString(res::kOk));
    cmdCancel->SetCaption(LoadResString(res::kCancel));
    cmdHelp->SetCaption(LoadResString(res::kHelp));
    cmdFont->SetCaption(LoadResString(res::kFontButton));
    fraProgram->SetCaption(LoadResString(res::kGeneralSettings));
    lblNoteFont->SetCaption(LoadResString(res::kDefaultAppearance) + ":");
    lblOpen->SetCaption(LoadResString(res::kOpenNoteHint));
    lblInsert->SetCaption(LoadResString(res::kInsertNoteHint));
    chkOpen->SetCaption(LoadResString(res::kOpenNoteOption));
    chkInsert->SetCaption(LoadResString(res::kInsertNoteOption));
    txtFont->SetText(LoadResString(res::kNoteTextFont));
    SetTopMost(ctx_, form_->hWnd(), true);
  });
}

void frmOptions::TabStrip1_Click() {
  RunGuardedSub(ctx_, "frmOptions(Sub TabStrip1_Click)", [&](Proc&) {
    int32_t selected = TabStrip1->SelectedTab();
    for (size_t i = 0; i < PicTab.size(); ++i)
      PicTab[i]->SetVisible(static_cast<int32_t>(i) == selected - 1);
  });
}

void frmOptions::chkInsert_Click() {
  RunGuardedSub(ctx_, "frmOptions(Sub chkInsert_Click)", [&](Proc&) {
    if (chkInsert->Value() == 1) {
      chkWarningOnNoteInsertion->SetEnabled(true);
      chkWarningOnNoteInsertion->SetValue(1);
    } else {
      chkWarningOnNoteInsertion->SetValue(0);
      chkWarningOnNoteInsertion->SetEnabled(false);
    }
  });
}

void frmOptions::chkMarkWithFlag_Click() {
  RunGuardedSub(ctx_, "frmOptions(Sub chkMarkWithFlag_Click)", [&](Proc&) {
    if (chkMarkWithFlag->Value() == 1) {
      cboFlags->SetEnabled(true);
      chkOverwrite->SetEnabled(true);
    } else {
      chkOverwrite->SetValue(0);
      cboFlags->SetEnabled(false);
      chkOverwrite->SetEnabled(false);
    }
  });
}

void frmOptions::ChangeCboColor() {
  ReportedSteps step(ctx_, "frmOptions(Sub ChangeCboColor)");
  uint32_t colour = 0;
  if (!step([&] { colour = txtFont->BackColor(); })) return;
  int32_t index = kCustomColourIndex;
  for (size_t i = 0; i < kBackgroundColours.size(); ++i)
    if (kBackgroundColours[i] == colour) index = static_cast<int32_t>(i);
  if (index == kCustomColourIndex) custom_colour_ = colour;
  step([&] { cboColors->SetListIndex(index); });
}

void frmOptions::ChangeColorFromCbo() {
  ReportedSteps step(ctx_, "frmOptions(Sub ChangeColorFromCbo)");
  int32_t index = -1;
  if (!step([&] { index = cboColors->ListIndex(); })) return;
  if (index < 0 || index > kCustomColourIndex) return;
  uint32_t colour = index == kCustomColourIndex
                        ? custom_colour_
                        : kBackgroundColours[static_cast<size_t>(index)];
  step([&] { txtFont->SetBackColor(colour); });
}

void frmOptions::cboColors_Change() {
  RunGuardedSub(ctx_, "frmOptions(Sub cboColors_Change)",
                [&](Proc&) { ChangeColorFromCbo(); });
}

void frmOptions::cboColors_KeyUp() {
  RunGuardedSub(ctx_, "frmOptions(Sub cboColors_KeyUp)",
                [&](Proc&) { ChangeColorFromCbo(); });
}

void frmOptions::cmdColor_Click() {
  RunGuardedSub(ctx_, "frmOptions(Sub cmdColor_Click)", [&](Proc&) {
    ColorDialog dialog;
    dialog.owner = form_->hWnd();
    dialog.flags = cc::kRgbInit | cc::kFullOpen;
    dialog.color = txtFont->BackColor();
    if (ctx_.platform.dialogs->ShowColor(dialog)) txtFont->SetBackColor(dialog.color);
    ChangeCboColor();
  });
}

void frmOptions::cmdFont_Click() {
  RunGuardedSub(ctx_, "frmOptions(Sub cmdFont_Click)", [&](Proc&) {
    FontDialog dialog;
    dialog.owner = form_->hWnd();
    dialog.flags = cf_font::kScreenFonts | cf_font::kEffects | cf_font::kLimitSize |
                   cf_font::kForceFontExist;
    dialog.min_size = kMinFontSize;
    dialog.max_size = kMaxFontSize;
    ui::Font shown = txtFont->GetFont();
    dialog.font = {shown.name,          shown.size,      shown.bold,
                   shown.italic,        shown.underline, shown.strikethrough,
                   txtFont->ForeColor()};
    // Cancelled, the dialog hands back what it was given.
    if (!ctx_.platform.dialogs->ShowFont(dialog)) return;
    const Font& chosen = dialog.font;
    txtFont->SetFont({chosen.name, chosen.size, chosen.bold, chosen.italic,
                      chosen.underline, chosen.strikeout});
    txtFont->SetForeColor(chosen.color);
  });
}

void frmOptions::cmdOK_Click() {
  RunGuardedSub(ctx_, "frmOptions(Sub cmdOK_Click)", [&](Proc& proc) {
    proc.line = 10;
    // Everything is read before anything is written: a dialog that fails
    // half way through stores nothing.
    std::vector<std::pair<const char*, std::string>> values;
    std::pair<const char*, ui::CheckBox*> checks[] = {
        {"PrintItem", chkPrint1.get()},
        {"PrintDate", chkPrint2.get()},
        {"NoteOnTop", chkOnTop.get()},
        {"NotesInOneWindow", chkOneWindow.get()},
        {"ItemOpen", chkOpen.get()},
        {"ReplyForward", chkInsert.get()},
        {"WarningOnNoteInsertion", chkWarningOnNoteInsertion.get()},
        {"WarningOnReminder", chkWarningOnReminder.get()},
        {"MarkWithFlag", chkMarkWithFlag.get()},
        {"OverwriteFlag", chkOverwrite.get()}};
    for (auto& [name, box] : checks)
      values.emplace_back(name, std::to_string(box->Value()));
    proc.line = 20;
    ui::Font font = txtFont->GetFont();
    values.emplace_back("BackColor",
                        std::to_string(static_cast<int32_t>(txtFont->BackColor())));
    values.emplace_back("FontName", font.name);
    values.emplace_back("FontBold", BooleanText(font.bold));
    values.emplace_back("FontItalic", BooleanText(font.italic));
    values.emplace_back("FontSize", SizeText(font.size));
    values.emplace_back("ForeColor",
                        std::to_string(static_cast<int32_t>(txtFont->ForeColor())));
    values.emplace_back("FontUnderline", BooleanText(font.underline));
    values.emplace_back("FontStrikethru", BooleanText(font.strikethrough));
    int32_t row = cboFlags->ListIndex();
    if (row >= 0 && row < static_cast<int32_t>(kFlagIcons.size()))
      values.emplace_back("FlagIndex",
                          std::to_string(kFlagIcons[static_cast<size_t>(row)]));
    proc.line = 30;
    for (auto& [name, text] : values) WriteText(ctx_.registry(), kNoteKey, name, text);
    proc.line = 40;
    form_->Unload();
  });
}

void frmOptions::cmdCancel_Click() {
  RunGuardedSub(ctx_, "frmOptions(Sub cmdCancel_Click)", [&](Proc&) { form_->Unload(); });
}

void frmOptions::cmdHelp_Click() {
  RunGuardedSub(ctx_, "frmOptions(Sub cmdHelp_Click)", [&](Proc&) {
    if (ctx_.support) ctx_.support->ShowContextHelp(kHelpPage);
  });
}

void ShowOptionsDialog(AddinContext& ctx) {
  if (!ctx.options_dialog) ctx.options_dialog = std::make_shared<frmOptions>(ctx);
  std::shared_ptr<frmOptions> dialog = ctx.options_dialog;
  dialog->Show();
}

}  // namespace pinlet
