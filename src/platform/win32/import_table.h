// A loaded module's import address table: where the module's calls of
// another DLL's functions go. The test host redirects a few of the add-in
// DLL's imports to its own functions, so that the DLL runs on the simulated
// machine's time and shell while everything else it calls is the system's.
// Only that module's own calls change; the system's DLLs, and the host's
// own calls, still reach the real functions.
#ifndef PINLET_PLATFORM_WIN32_IMPORT_TABLE_H_
#define PINLET_PLATFORM_WIN32_IMPORT_TABLE_H_

#include <windows.h>

namespace pinlet {

// Makes `module`'s calls of `function`, imported by name from `library`
// (compared without regard to case, "USER32.dll"), go to `replacement`.
// Returns what the entry held before, to put back with another call;
// nullptr when the module does not import the function by name, or its
// table cannot be written (nothing changes then).
void* ReplaceImport(HMODULE module, const char* library, const char* function,
                    void* replacement);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_IMPORT_TABLE_H_
