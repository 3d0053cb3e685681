// The user interface of the COM build: the system's message boxes, window
// manager and common dialogs (src/platform/win32), and the forms as real
// windows (src/platform/win32ui).
#ifndef PINLET_COMSERVER_UI_SURFACES_H_
#define PINLET_COMSERVER_UI_SURFACES_H_

#include <memory>

#include "platform/platform.h"

namespace pinlet::comserver {

// The surfaces, owned together; each pointer stays valid while it lives.
class UiSurfaces {
 public:
  UiSurfaces();
  ~UiSurfaces();
  UiSurfaces(const UiSurfaces&) = delete;
  UiSurfaces& operator=(const UiSurfaces&) = delete;

  // Fills the user-interface members of `platform` with the surfaces.
  void Fill(Platform& platform);

 private:
  struct Surfaces;
  std::unique_ptr<Surfaces> surfaces_;
};

}  // namespace pinlet::comserver

#endif  // PINLET_COMSERVER_UI_SURFACES_H_
