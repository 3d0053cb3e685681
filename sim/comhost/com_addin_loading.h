// The test host's way of loading Pinlet: as the registered COM add-in,
// under Wine, beside the simulated Outlook served to it over IDispatch.
//
// The DLL uses the real machine for its Windows services (registry, files,
// temporary folder, special folders, user name, clipboard, the support
// library). The loading makes the simulated machine and the real one the
// same machine:
// - the simulated machine's files become the real drive C's (the folders
//   of its one user, "C:\Documents and Settings\User", are made there, with
//   the Windows shell's folders of this user pointed at them and the
//   temporary folder set to the user's);
// - the simulated machine's clipboard becomes the real one, which the
//   served Outlook reads when the DLL pastes a button face;
// - the registry branch HKEY_CURRENT_USER\Software\Zarvo is kept in step
//   between commands (registry_mirror.h);
// - the DLL's calls of its support library (LibZarvo.dll beside it) are
//   watched at its imports and reported to the simulated machine's, which
//   records each and may fail it as the fault injector says
//   (watched_support_library.h);
// - the DLL's ShellExecute, temporary file names, clock and timers are the
//   simulated machine's, lent through the DLL's imports (lent_services.h),
//   so that the simulated time drives its timers;
// - the helper libraries' ProgIDs reach the simulated machine's objects
//   (host_class_objects.h), and the served Outlook is the running one.
// Because it replaces that user's folders and settings, it runs only under
// Wine, in a prefix made for it: elsewhere Prepare refuses.
//
// The DLL's message boxes and common dialogs are the system's: its calls of
// them are watched at its imports (shown_calls.h), and each is answered from
// the simulated machine's queued answers, which records it as linked in
// (ui_answers.h). Its forms are real windows too, which the
// commands find and drive through the loading's form surface (real_forms.h).
// A command whose box, dialog or form could not be handled as the simulated
// machine handled it (AfterCommand), or that asked the surface for what it
// cannot do yet, is reported as needing it, so that a scenario is skipped
// there rather than passed in silence.
#ifndef PINLET_SIM_COMHOST_COM_ADDIN_LOADING_H_
#define PINLET_SIM_COMHOST_COM_ADDIN_LOADING_H_

#include <memory>
#include <string>
#include <vector>

#include "sim/app/driver.h"

namespace pinlet::comhost {

// Whether this process runs under Wine.
bool RunsUnderWine();

// The process-wide preparation a COM host needs (COM initialised for the
// thread); call once from main before the first loading.
void InitializeComHost();

std::shared_ptr<app::AddinLoading> MakeComAddinLoading();

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_COM_ADDIN_LOADING_H_
