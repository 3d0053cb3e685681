// LibZarvo.dll as Pinlet ships it: the support library's four calls, doing
// what the simulated host's library does (SimSupportLibrary in
// sim/machine/sim_support_library.h), on the real machine:
// - LibZarvoInit learns the user's folder from the registry, the text value
//   "MyDir" of HKEY_CURRENT_USER\Software\Zarvo\Pinlet that the installer
//   writes, and calls the quick-start callback;
// - LibZarvoLogMsg appends the log line of platform/support_calls.h to
//   LibZarvo.log in that folder;
// - LibZarvoShowAbout shows the about box (about_box.h), modal to the
//   window active on the calling thread, and returns when the user closes
//   it;
// - LibZarvoShowContextHelp opens the page's file in the help folder of the
//   install folder ("InstDir", or the library's own folder without one)
//   with the shell's "open" verb, or, when there is no such file (or the
//   name is not a plain file name), shows a message box naming the page
//   and where it was looked for (platform/support_library_texts.h);
// - both also append a line "DATE<tab>RECORD" (the call's record, below) to
//   the log.
// While the folder is unknown (before LibZarvoInit, or without "MyDir"),
// nothing is logged. Texts arrive in the system code page and are written
// as UTF-8. Every call answers 0 unless the recorder fails it; each runs
// behind the firewall (platform/win32/call_boundary.h), so a defect of the
// library's own answers its HRESULT rather than crossing as an exception.
//
// Its one call of its own, LibZarvoStandInSetRecorder, lets a test host in
// the same process see every call and fail any of them (its fault
// injector). The recorder receives the call's record, in UTF-8, as the
// simulated library's calls() holds it: "Init 2 14", "LogMsg MODULE TAG |
// DESCRIPTION | NUMBER | LEVEL FLAG", "ShowAbout", "ShowContextHelp PAGE".
// It is called before the call does anything; a nonzero answer fails the
// call, which then does nothing more (no folder read, no callback, no log
// line, no window) and returns that answer.
#ifndef PINLET_LIBZARVO_STAND_IN_H_
#define PINLET_LIBZARVO_STAND_IN_H_

#include <windows.h>

#include <cstdint>

#include "platform/win32/libzarvo_calls.h"

extern "C" {

// Receives one record and the context given with it; nonzero fails the call.
// `record` is valid only during the call.
typedef int32_t(WINAPI* LibZarvoStandInRecorder)(void* context, const char* record);

// Sets the recorder and its context, replacing any earlier one; a null
// recorder removes it. It also forgets the user's folder, as a fresh load of
// the library would, so that a host that keeps the library loaded from one
// run to the next starts each run with the library as loaded. Answers 0.
int32_t WINAPI LibZarvoStandInSetRecorder(LibZarvoStandInRecorder recorder,
                                          void* context);

}  // extern "C"

#endif  // PINLET_LIBZARVO_STAND_IN_H_
