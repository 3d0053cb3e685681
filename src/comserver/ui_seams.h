// The user interface of the COM build until the Windows surfaces are built:
// message boxes, the window manager, forms and the common dialogs.
//
// Each surface answers as the system does when it cannot show anything, as
// its interface states for a failure: a message box that cannot be shown
// answers 0, a common dialog fails with cderr::kDialogFailure, the window
// manager knows no window, and a form cannot be created (HostError 429, as a
// control that is not installed). So the add-in behaves as on a machine where
// none of it works, which its error handling is made for.
//
// Every use also marks what was needed in the process environment variable
// "PINLET_UI_SEAM" ("message box", "form frmComments", ...), so that a test
// host in the same process can tell a scenario that needed a user interface
// from one that did not (it skips the former instead of passing it).
#ifndef PINLET_COMSERVER_UI_SEAMS_H_
#define PINLET_COMSERVER_UI_SEAMS_H_

#include <memory>

#include "platform/platform.h"

namespace pinlet::comserver {

// The surfaces, owned together; each pointer stays valid while it lives.
class UiSeams {
 public:
  UiSeams();
  ~UiSeams();
  UiSeams(const UiSeams&) = delete;
  UiSeams& operator=(const UiSeams&) = delete;

  // Fills the user-interface members of `platform` with the surfaces.
  void Fill(Platform& platform);

 private:
  struct Surfaces;
  std::unique_ptr<Surfaces> surfaces_;
};

}  // namespace pinlet::comserver

#endif  // PINLET_COMSERVER_UI_SEAMS_H_
