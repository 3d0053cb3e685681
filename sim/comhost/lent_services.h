// The simulated machine's shell, clock and timers, lent to the add-in's DLL
// in place of the real machine's (redirected_imports.h), so that a scenario run
// through COM sees what it sees linked in:
// - ShellExecuteW is the simulated shell's: the call is recorded (`show
//   shell`), answered as scripted or by whether the file exists, and failed
//   when the fault injector says so. No program of the real machine starts.
//   GetTempFileNameW is the simulated shell's too, so that the temporary
//   files are named as linked in (the files themselves are the machine's).
// - GetLocalTime is the simulated clock, and GetTickCount the simulated
//   milliseconds the timers keep.
// - SetTimer and KillTimer on a window are lent timers of the simulated
//   machine (SimUi::SetLentTimer). They tick as `tick` advances the time,
//   each tick a WM_TIMER sent to the window, and never on their own, so a
//   run does not depend on how fast the machine is. A timer whose window is
//   gone stops, as the system's does.
// The DLL's other calls, and the system's own timers and clock, are real.
// One LentServices lives in a process at a time.
#ifndef PINLET_SIM_COMHOST_LENT_SERVICES_H_
#define PINLET_SIM_COMHOST_LENT_SERVICES_H_

#include <windows.h>

#include <string>

#include "sim/comhost/redirected_imports.h"
#include "sim/machine/world.h"

namespace pinlet::comhost {

class LentServices {
 public:
  // Redirects `dll`'s imports to `world`, which must outlive this; the
  // module must stay loaded while this lives. error() names what could not
  // be redirected ("" when everything was).
  LentServices(HMODULE dll, sim::World& world);
  // Puts every redirected import back.
  ~LentServices();
  LentServices(const LentServices&) = delete;
  LentServices& operator=(const LentServices&) = delete;

  const std::string& error() const { return error_; }

 private:
  RedirectedImports lent_;
  std::string error_;
};

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_LENT_SERVICES_H_
