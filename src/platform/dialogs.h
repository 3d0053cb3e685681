// The system's common dialogs: colour, font, and the file Open and Save As
// dialogs, as the add-in shows them through its colour-dialog wrapper and the
// common dialog control of its windows.
//
// Each dialog is modal and answered by the user (in the simulated host, by a
// scripted responder). A call takes a description of the dialog and fills in
// the user's choice. It returns true when the user chose, false when the
// user cancelled or the dialog could not be shown; `extended_error` then
// tells the two apart as CommDlgExtendedError does (0 for a cancel). Cancel
// is an answer, never a raised error: the common dialog control's "Cancel
// was selected" (errors::kCancelSelected) is for the caller to raise when
// its CancelError is set. No member raises.
//
// Members carry the common dialog control's method names (ShowColor, ...);
// the Windows calls behind them are named in each comment.
#ifndef PINLET_PLATFORM_DIALOGS_H_
#define PINLET_PLATFORM_DIALOGS_H_

#include <array>
#include <cstdint>
#include <string>

#include "platform/windows.h"

namespace pinlet {

// Flags of the colour dialog (CHOOSECOLOR), with the system's values.
namespace cc {
constexpr uint32_t kRgbInit = 0x1;  // start with the given colour
constexpr uint32_t kFullOpen = 0x2;
constexpr uint32_t kPreventFullOpen = 0x4;
constexpr uint32_t kEnableHook = 0x10;
constexpr uint32_t kEnableTemplate = 0x20;
constexpr uint32_t kSolidColor = 0x80;
constexpr uint32_t kAnyColor = 0x100;
}  // namespace cc

// Flags of the font dialog (CHOOSEFONT), with the system's values.
namespace cf_font {
constexpr uint32_t kScreenFonts = 0x1;
constexpr uint32_t kPrinterFonts = 0x2;
constexpr uint32_t kEffects = 0x100;  // underline, strikeout and colour offered
constexpr uint32_t kLimitSize = 0x2000;
constexpr uint32_t kForceFontExist = 0x10000;
}  // namespace cf_font

// Flags of the file dialogs (OPENFILENAME), with the system's values.
namespace ofn {
constexpr uint32_t kReadOnly = 0x1;
constexpr uint32_t kOverwritePrompt = 0x2;
constexpr uint32_t kHideReadOnly = 0x4;
constexpr uint32_t kNoChangeDir = 0x8;
constexpr uint32_t kPathMustExist = 0x800;
constexpr uint32_t kFileMustExist = 0x1000;
constexpr uint32_t kNoReadOnlyReturn = 0x8000;
constexpr uint32_t kExplorer = 0x80000;
}  // namespace ofn

// CommDlgExtendedError values.
namespace cderr {
constexpr uint32_t kNone = 0;                 // the user cancelled
constexpr uint32_t kDialogFailure = 0xFFFF;   // the dialog could not be created
constexpr uint32_t kNoFonts = 0x2001;         // CFERR_NOFONTS
constexpr uint32_t kMaxLessThanMin = 0x2002;  // CFERR_MAXLESSTHANMIN
}  // namespace cderr

// ChooseColor.
struct ColorDialog {
  WindowHandle owner = 0;
  uint32_t flags = cc::kRgbInit;
  uint32_t color = 0;  // in: the initial colour (with kRgbInit); out: the choice
  // In: the dialog's sixteen custom colours. Out: as the user left them,
  // whether or not a colour was chosen.
  std::array<uint32_t, 16> custom_colors{};
  uint32_t extended_error = 0;  // out
};

struct Font {
  std::string name;
  double size = 8;  // points, in tenths as the dialog keeps them
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  uint32_t color = 0;  // text colour (offered with cf_font::kEffects)

  bool operator==(const Font&) const = default;
};

// ChooseFont.
struct FontDialog {
  WindowHandle owner = 0;
  uint32_t flags = cf_font::kScreenFonts;
  // With cf_font::kLimitSize only sizes from min_size to max_size points
  // can be chosen.
  int min_size = 0;
  int max_size = 0;
  Font font;                    // in: the font the dialog starts with; out: the choice
  uint32_t extended_error = 0;  // out
};

// GetOpenFileName / GetSaveFileName.
struct FileDialog {
  WindowHandle owner = 0;
  // Pairs of description and patterns, as the common dialog control takes
  // them: "Text Files(*.txt)|*.txt|All Files(*.*)|*.*".
  std::string filter;
  int filter_index = 1;  // in and out, from 1
  std::string initial_folder;
  // In: a name or path to start with. Out: the full path chosen.
  std::string file_name;
  std::string default_extension;  // appended to a name typed without one
  uint32_t flags = 0;
  std::string title;            // "" for the system's "Open" or "Save As"
  uint32_t extended_error = 0;  // out
};

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // ChooseColor: true with `color` (and `custom_colors`) set when chosen.
  virtual bool ShowColor(ColorDialog& dialog) = 0;
  // ChooseFont: true with `font` set when chosen; when cancelled `font`
  // stays as given. With kLimitSize a min_size above max_size fails
  // (cderr::kMaxLessThanMin).
  virtual bool ShowFont(FontDialog& dialog) = 0;
  // GetOpenFileName: true with `file_name` set to the chosen file's path.
  virtual bool ShowOpen(FileDialog& dialog) = 0;
  // GetSaveFileName: true with `file_name` set to the path to write.
  virtual bool ShowSave(FileDialog& dialog) = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_DIALOGS_H_
