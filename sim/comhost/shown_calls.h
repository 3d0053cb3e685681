// The add-in DLL's calls of the system's message box and common dialogs,
// watched at its import table (redirected_imports.h). While the system
// shows the box or dialog, the test host holds what the call carried: a
// box's style, a dialog's flags, limits and starting choice, which the
// window on the screen does not tell exactly. UiAnswers (ui_answers.h)
// takes it to answer the real window as the simulated machine answers the
// same call linked in. The DLL is asked nothing: this is read from the
// call's own arguments, as the system receives them.
//
// One ShownCalls lives in a process at a time.
#ifndef PINLET_SIM_COMHOST_SHOWN_CALLS_H_
#define PINLET_SIM_COMHOST_SHOWN_CALLS_H_

#include <windows.h>
// The common dialogs' structures, after windows.h, which they expect.
#include <commdlg.h>

#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "sim/comhost/redirected_imports.h"

namespace pinlet::comhost {

// One call, as the add-in's own description of it (platform/dialogs.h).
struct ShownSurface {
  enum class Kind { kMessageBox, kColor, kFont, kOpen, kSave };
  Kind kind = Kind::kMessageBox;
  int style = 0;      // a message box's (mb::k...)
  ColorDialog color;  // the description the dialog of `kind` was given
  FontDialog font;
  FileDialog file;
};

// The description a dialog call carries, read back from the structure the
// system is given. A font arrives as a height in whole pixels: its size is
// that height at the screen's resolution, in points (8 points at 96 dots
// an inch are 11 pixels, which read back as 8.25).
ShownSurface ShownColor(const CHOOSECOLORW& choose);
ShownSurface ShownFont(const CHOOSEFONTW& choose);
ShownSurface ShownFile(const OPENFILENAMEW& open, bool save);

class ShownCalls {
 public:
  // Watches `module`'s calls of MessageBoxW, ChooseColorW, ChooseFontW,
  // GetOpenFileNameW and GetSaveFileNameW; the module must stay loaded
  // while this lives. error() names what could not be watched ("" when
  // everything could).
  explicit ShownCalls(HMODULE module);
  // Puts the calls back.
  ~ShownCalls();
  ShownCalls(const ShownCalls&) = delete;
  ShownCalls& operator=(const ShownCalls&) = delete;

  const std::string& error() const { return error_; }

  // The watched call whose window is up, removed as it is taken; nullopt
  // when none is, or it was taken already.
  static std::optional<ShownSurface> Take();

 private:
  RedirectedImports watched_;
  std::string error_;
};

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_SHOWN_CALLS_H_
