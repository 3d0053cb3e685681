// The services the add-in reaches the machine through in pinlet.dll.
//
// Windows services are the system's own (platform/win32/): the registry, the
// files, the clock, the shell and the clipboard. The support library is
// LibZarvo.dll from the DLL's own folder. The helper libraries (CDO,
// Redemption, VBScript's RegExp, the sharing product) are created by their
// ProgIDs over COM, and a running Outlook is found in the running object
// table. The user interface is the system's boxes and dialogs and the
// forms as real windows (ui_surfaces.h).
//
// One ComPlatform serves one add-in instance and lives as long as it does.
#ifndef PINLET_COMSERVER_COM_PLATFORM_H_
#define PINLET_COMSERVER_COM_PLATFORM_H_

#include <memory>
#include <string>

#include "platform/com/com_helpers.h"
#include "platform/platform.h"

namespace pinlet::com {

class ComPlatform {
 public:
  // `dll_folder` is where LibZarvo.dll is looked for. `outlook_session`
  // answers the MAPI session of the Outlook the add-in is connected to
  // (what Redemption's RDOSession attaches to).
  ComPlatform(std::string dll_folder, ComHostObjects::SessionSource outlook_session);
  ~ComPlatform();
  ComPlatform(const ComPlatform&) = delete;
  ComPlatform& operator=(const ComPlatform&) = delete;

  const Platform& platform() const { return platform_; }

 private:
  struct Services;
  std::unique_ptr<Services> services_;
  Platform platform_;
};

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_COM_PLATFORM_H_
