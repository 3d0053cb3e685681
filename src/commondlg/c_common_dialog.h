// The colour dialog wrapper of the note windows.
//
// GCommonDialog is the add-in's one holder of the colour dialog's sixteen
// custom colours, shared by every window for as long as the add-in is
// loaded, and the one caller of the system's ChooseColor. Before the first
// use the custom colours are the system colours COLOR_SCROLLBAR (0) to
// COLOR_BTNFACE (15). cCommonDialog is the per-window face of it: the
// dialog's flags in the common dialog control's convention, the colour
// given and chosen, and whether a cancel raises.
//
// The system's dialogs answer failure (dialogs.h); only ShowColor raises,
// and only for a cancel when CancelError is set.
#ifndef PINLET_COMMONDLG_C_COMMON_DIALOG_H_
#define PINLET_COMMONDLG_C_COMMON_DIALOG_H_

#include <array>
#include <cstdint>
#include <memory>

#include "platform/dialogs.h"
#include "platform/windows.h"

namespace pinlet {

// The flags of the common dialog control that the colour path reads.
namespace cdl {
constexpr uint32_t kFullOpen = 2;
constexpr uint32_t kPreventFullOpen = 4;
constexpr uint32_t kAnyColor = 256;
}  // namespace cdl

// The owner VBChooseColor takes for "no owner window".
constexpr WindowHandle kNoOwner = -1;

class GCommonDialog {
 public:
  // Both services are borrowed and must outlive this object.
  GCommonDialog(CommonDialogs& dialogs, WindowManager& windows)
      : dialogs_(dialogs), windows_(windows) {}

  // One custom colour; an index outside 0..15 is ignored.
  void SetCustomColor(int index, uint32_t colour);
  // The sixteen custom colours, filled from the system colours first if
  // nothing has used them yet.
  const std::array<uint32_t, 16>& CustomColors();

  // Shows the colour dialog starting at `colour` (in and out) with the
  // custom colours, owned by `owner` (kNoOwner: none). True with `colour`
  // set to the choice; false with `colour` set to -1 (0xFFFFFFFF) and the
  // dialog's extended error kept when the user cancelled or the dialog
  // could not be shown. The custom colours keep what the user left in them
  // either way.
  bool VBChooseColor(uint32_t& colour, bool any_colour, bool full_open,
                     bool prevent_full_open, WindowHandle owner);
  // CommDlgExtendedError of the last dialog that was not chosen: 0 for a
  // cancel, cderr::kDialogFailure when it could not be shown.
  uint32_t last_error() const { return last_error_; }

 private:
  void FillOnce();

  CommonDialogs& dialogs_;
  WindowManager& windows_;
  std::array<uint32_t, 16> custom_{};
  bool filled_ = false;
  uint32_t last_error_ = 0;
};

class cCommonDialog {
 public:
  // `shared` holds the custom colours; it must outlive this object.
  explicit cCommonDialog(GCommonDialog& shared) : shared_(shared) {}

  uint32_t Flags = 0;
  uint32_t Color = 0;
  bool CancelError = false;
  WindowHandle hWnd = kNoOwner;

  // Sets one custom colour of the shared table (outside 0..15: ignored).
  void CustomColor(int index, uint32_t colour) { shared_.SetCustomColor(index, colour); }
  // Shows the colour dialog from Color with the options of Flags. On a
  // choice Color is the chosen colour and ShowColor returns true. Otherwise
  // Color stays as it was and ShowColor returns false, unless CancelError
  // is set: then it raises errors::kCancelSelected with a source ending in
  // ".cCommonDialog".
  bool ShowColor();
  // CommDlgExtendedError of the last dialog that was not chosen.
  uint32_t ExtendedError() const { return shared_.last_error(); }

 private:
  GCommonDialog& shared_;
};

}  // namespace pinlet

#endif  // PINLET_COMMONDLG_C_COMMON_DIALOG_H_
