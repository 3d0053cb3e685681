// The user interface of the COM build: the system's message boxes, window
// manager and common dialogs (src/platform/win32), and the forms as real
// windows (src/platform/win32ui).
//
// A host in the same process that cannot act on real forms sets the process
// environment variable "PINLET_FORMS" to "none" before the add-in connects. Then no form
// can be created (HostError 429, as a control that is not installed), as on a machine
// where forms do not work, which the add-in's error handling is made for; and each
// attempt is marked in the environment variable "PINLET_UI_SEAM" ("form
// frmComments"), so that the host can tell a scenario that needed a form from
// one that did not (it skips the former instead of passing it).
//
// Each message box and common dialog is noted before it is shown
// (shown_surface.h) with what it was given, so that such a test host can
// answer the real one as its simulated machine would.
#ifndef PINLET_COMSERVER_UI_SEAMS_H_
#define PINLET_COMSERVER_UI_SEAMS_H_

#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace pinlet::comserver {

// Marks in the process environment ("PINLET_UI_SEAM") that the add-in
// needed `what` ("a real window (form frmComments)"), which a host in the
// process may not be able to give as it gives the rest.
void MarkNeeded(std::string_view what);

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
