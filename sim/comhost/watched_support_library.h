// The add-in DLL's calls of its support library (LibZarvo.dll), reported to
// the simulated machine as linked in. The DLL finds the library's four calls
// with GetProcAddress; that import of the DLL is redirected
// (redirected_imports.h), so that it gets the test host's four instead.
// Each records the call as the simulated library keeps it
// (SimSupportLibrary::TakeRecord: "Init 2 14", "LogMsg ...", "ShowAbout",
// "ShowContextHelp PAGE") and fails it when the fault injector says so,
// answering the failure's number; otherwise the library's own call runs,
// and its log, about box and help pages are the real ones.
//
// The library stays loaded from one run to the next (com_addin_loading.cc),
// so the user's folder that its last LibZarvoInit read stays with it: a run
// whose LibZarvoInit the injector fails logs there, where a freshly loaded
// library would not log at all.
//
// One WatchedSupportLibrary lives in a process at a time.
#ifndef PINLET_SIM_COMHOST_WATCHED_SUPPORT_LIBRARY_H_
#define PINLET_SIM_COMHOST_WATCHED_SUPPORT_LIBRARY_H_

#include <windows.h>

#include <string>

#include "sim/comhost/redirected_imports.h"
#include "sim/machine/world.h"

namespace pinlet::comhost {

class WatchedSupportLibrary {
 public:
  // Watches `dll`'s calls of `library`'s four calls. Both modules stay
  // loaded, and `world` lives, while this does. error() says what could
  // not be watched ("" when everything could).
  WatchedSupportLibrary(HMODULE dll, HMODULE library, sim::World& world);
  // Puts the DLL's GetProcAddress back.
  ~WatchedSupportLibrary();
  WatchedSupportLibrary(const WatchedSupportLibrary&) = delete;
  WatchedSupportLibrary& operator=(const WatchedSupportLibrary&) = delete;

  const std::string& error() const { return error_; }

 private:
  RedirectedImports watched_;
  std::string error_;
};

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_WATCHED_SUPPORT_LIBRARY_H_
