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
// - both also append a line "DATE<tab>RECORD" to the log, the record as
//   platform/support_calls.h forms it ("ShowAbout", "ShowContextHelp PAGE").
// While the folder is unknown (before LibZarvoInit, or without "MyDir"),
// nothing is logged. Texts arrive in the system code page and are written
// as UTF-8. Every call answers 0; each runs behind the firewall
// (platform/win32/call_boundary.h), so a defect of the library's own
// answers its HRESULT rather than crossing as an exception. The library
// exports these four calls and nothing else.
#ifndef PINLET_LIBZARVO_STAND_IN_H_
#define PINLET_LIBZARVO_STAND_IN_H_

#include <windows.h>

#include <cstdint>

#include "platform/win32/libzarvo_calls.h"

#endif  // PINLET_LIBZARVO_STAND_IN_H_
