// The user interface of the COM build: the system's message boxes, window
// manager and common dialogs (src/platform/win32), and the forms as real
// windows (src/platform/win32ui).
//
// Each message box and common dialog is noted before it is shown
// (shown_surface.h) with what it was given, so that such a test host can
// answer the real one as its simulated machine would.
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
