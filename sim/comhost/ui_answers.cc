#include "sim/comhost/ui_answers.h"

// The common dialogs' control IDs, as the system's headers publish them;
// after windows.h, which they expect.
#include <colordlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/host_error.h"
#include "sim/machine/world.h"

namespace pinlet::comhost {
namespace {

// The static control holding a message box's icon: Windows XP's, Wine's.
constexpr int kIconIds[] = {20, 0x440};

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

}  // namespace

int MessageBoxStyle(HWND box) {
  std::vector<int> buttons = dialog::MessageBoxButtons(box);
  static const std::pair<std::vector<int>, int> kSets[] = {
      {{IDOK, IDCANCEL}, mb::kOkCancel},
      {{IDABORT, IDRETRY, IDIGNORE}, mb::kAbortRetryIgnore},
      {{IDYES, IDNO, IDCANCEL}, mb::kYesNoCancel},
      {{IDYES, IDNO}, mb::kYesNo},
      {{IDRETRY, IDCANCEL}, mb::kRetryCancel}};
  int style = mb::kOkOnly;
  for (const auto& [set, set_style] : kSets)
    if (set == buttons) style = set_style;
  auto default_at = std::find(buttons.begin(), buttons.end(), dialog::DefaultButton(box));
  if (default_at - buttons.begin() == 1) style |= mb::kDefaultButton2;
  if (default_at - buttons.begin() == 2) style |= mb::kDefaultButton3;
  static const std::pair<const wchar_t*, int> kIcons[] = {
      {IDI_HAND, mb::kCritical},
      {IDI_QUESTION, mb::kQuestion},
      {IDI_EXCLAMATION, mb::kExclamation},
      {IDI_ASTERISK, mb::kInformation}};
  for (int id : kIconIds) {
    HWND icon_control = GetDlgItem(box, id);
    if (!icon_control) continue;
    auto icon = reinterpret_cast<HICON>(SendMessageW(icon_control, STM_GETICON, 0, 0));
    for (const auto& [name, icon_style] : kIcons)
      if (icon && icon == LoadIconW(nullptr, name)) style |= icon_style;
  }
  return style;
}

UiAnswers::UiAnswers(sim::World& world)
    : world_(world), answerer_([this](HWND window) { return Answer(window); }) {}

std::string UiAnswers::TakeTrouble() {
  const auto& cancelled = answerer_.cancelled();
  for (; cancelled_seen_ < cancelled.size(); ++cancelled_seen_)
    if (trouble_.empty()) trouble_ = "cancelled " + cancelled[cancelled_seen_];
  return std::exchange(trouble_, "");
}

bool UiAnswers::Trouble(std::string what) {
  if (trouble_.empty()) trouble_ = std::move(what);
  return false;
}

bool UiAnswers::Answer(HWND window) {
  std::optional<ShownSurface> shown = ShownCalls::Take();
  if (!shown) {
    if (!dialog::IsMessageBox(window)) return false;
    if (file_dialogs_.count(GetWindow(window, GW_OWNER))) return AnswerOwnBox(window);
    // A box the machine shows itself, not the add-in.
    int answer = world_.message_boxes.Ask(dialog::MessageBoxText(window),
                                          dialog::Text(window), MessageBoxStyle(window));
    return dialog::Press(window, answer);
  }
  try {
    switch (shown->kind) {
      case ShownSurface::Kind::kMessageBox:
        return AnswerBox(window, shown->style);
      case ShownSurface::Kind::kColor:
        return AnswerColor(window, shown->color);
      case ShownSurface::Kind::kFont:
        return AnswerFont(window, shown->font);
      case ShownSurface::Kind::kOpen:
      case ShownSurface::Kind::kSave:
        return AnswerFile(window, shown->file, shown->kind == ShownSurface::Kind::kSave);
    }
  } catch (const HostError& error) {
    // The fault injector failed the call, which the system's box or dialog
    // cannot do.
    return Trouble("the fault injector failed a call the real one cannot fail (" +
                   error.description() + ")");
  }
  return false;
}

bool UiAnswers::AnswerBox(HWND box, int style) {
  int answer =
      world_.message_boxes.Show(dialog::MessageBoxText(box), dialog::Text(box), style);
  return dialog::Press(box, answer);
}

bool UiAnswers::AnswerOwnBox(HWND box) {
  // The simulated file dialog chose its file only if the user replaced it;
  // any other box the real one shows means it refused the file.
  std::vector<int> buttons = dialog::MessageBoxButtons(box);
  if (std::count(buttons.begin(), buttons.end(), IDYES)) return dialog::Press(box, IDYES);
  return Trouble("the file dialog refused the file the simulated one chose: \"" +
                 dialog::MessageBoxText(box) + "\"");
}

namespace {

// Types a colour into the dialog's red, green and blue boxes, which make it
// the dialog's current colour.
void TypeColour(HWND dialog, uint32_t colour) {
  dialog::SetItemText(dialog, COLOR_RED, std::to_string(colour & 0xFF));
  dialog::SetItemText(dialog, COLOR_GREEN, std::to_string((colour >> 8) & 0xFF));
  dialog::SetItemText(dialog, COLOR_BLUE, std::to_string((colour >> 16) & 0xFF));
}

// Defines the custom colours `wanted` in place of `offered` as the user
// does: a colour typed, then "Add to Custom Colors". Wine's dialog fills
// the boxes column by column from the first, whatever box is selected, so
// every box up to the last that changes is added in that order, those that
// stay with their own colour.
void DefineCustomColours(HWND dialog, const std::array<uint32_t, 16>& offered,
                         const std::array<uint32_t, 16>& wanted) {
  auto box = [](int n) { return (n % 2) * 8 + n / 2; };
  int last = -1;
  for (int n = 0; n < 16; ++n)
    if (offered[box(n)] != wanted[box(n)]) last = n;
  HWND add = GetDlgItem(dialog, COLOR_ADD);
  for (int n = 0; n <= last; ++n) {
    TypeColour(dialog, wanted[box(n)]);
    // Sent, not posted: the next colour is typed after this one is added.
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED),
                 reinterpret_cast<LPARAM>(add));
  }
}

}  // namespace

bool UiAnswers::AnswerColor(HWND dialog, ColorDialog given) {
  ColorDialog answered = given;
  bool chosen = world_.dialogs.ShowColor(answered);
  if (answered.extended_error == cderr::kDialogFailure)
    return Trouble("the fault injector failed the colour dialog, which showed");
  if (answered.custom_colors != given.custom_colors)
    DefineCustomColours(dialog, given.custom_colors, answered.custom_colors);
  if (!chosen) return dialog::Press(dialog, IDCANCEL);
  TypeColour(dialog, answered.color);
  return dialog::Press(dialog, IDOK);
}

bool UiAnswers::AnswerFont(HWND dialog, FontDialog given) {
  FontDialog answered = given;
  bool chosen = world_.dialogs.ShowFont(answered);
  if (answered.extended_error == cderr::kDialogFailure)
    return Trouble("the fault injector failed the font dialog, which showed");
  if (!chosen) return dialog::Press(dialog, IDCANCEL);
  const Font& font = answered.font;
  if (!dialog::ChooseComboText(dialog, cmb1, font.name))
    return Trouble("there is no font \"" + font.name + "\" on this machine");
  static const char* const kStyles[] = {"Regular", "Italic", "Bold", "Bold Italic"};
  const char* style = kStyles[font.bold * 2 + font.italic];
  if (!dialog::ChooseComboText(dialog, cmb2, style))
    return Trouble("the font \"" + font.name + "\" has no style " + style + " here");
  dialog::EnterComboText(dialog, cmb3, Number(font.size));
  if (given.flags & cf_font::kEffects) {
    dialog::SetCheck(dialog, chx2, font.underline);
    dialog::SetCheck(dialog, chx1, font.strikeout);
    if (!dialog::ChooseComboData(dialog, cmb4, font.color))
      return Trouble("the font dialog offers no colour " + Number(font.color));
  }
  return dialog::Press(dialog, IDOK);
}

bool UiAnswers::AnswerFile(HWND dialog, FileDialog given, bool save) {
  FileDialog answered = given;
  bool chosen =
      save ? world_.dialogs.ShowSave(answered) : world_.dialogs.ShowOpen(answered);
  if (answered.extended_error == cderr::kDialogFailure)
    return Trouble("the fault injector failed the file dialog, which showed");
  if (!chosen) return dialog::Press(dialog, IDCANCEL);
  file_dialogs_.insert(dialog);
  return dialog::SetFileName(dialog, answered.file_name) && dialog::Press(dialog, IDOK);
}

}  // namespace pinlet::comhost
