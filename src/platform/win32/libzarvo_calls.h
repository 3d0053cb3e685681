// The maker's support library as its LibZarvo.dll exports it: four calls,
// stdcall, under their undecorated names on every target. Texts are
// single-byte strings in the system code page (CP_ACP), ending in a zero.
// Results carry no meaning for the add-in.
//
// Both sides of the library include this, so it sits below both: the
// add-in's loader (win32_support_library.h) takes the calls' types from it,
// and the stand-in LibZarvo.dll (libzarvo/stand_in.h) defines them.
#ifndef PINLET_PLATFORM_WIN32_LIBZARVO_CALLS_H_
#define PINLET_PLATFORM_WIN32_LIBZARVO_CALLS_H_

#include <windows.h>
// IDispatch, which needs windows.h first.
#include <oaidl.h>

#include <cstdint>

extern "C" {

// The callback the add-in gives at initialisation; the library may call it
// at any time while it is loaded. It answers 0.
typedef int32_t(WINAPI* LibZarvoQuickStart)();

// Initialises the library for the module `handle`, of `kind`, inside the
// application `app` (may be null), at the add-in's `version`.
int32_t WINAPI LibZarvoInit(int32_t handle, int32_t kind, IDispatch* app, int32_t version,
                            LibZarvoQuickStart quick_start);
// Logs an error: its description, number, tag (where it happened), level
// and a flag.
int32_t WINAPI LibZarvoLogMsg(int32_t handle, const char* description, int32_t number,
                              const char* tag, int32_t level, int32_t flag);
// Shows the about box.
int32_t WINAPI LibZarvoShowAbout(int32_t handle);
// Shows the help page `page`.
int32_t WINAPI LibZarvoShowContextHelp(int32_t handle, const char* page);

}  // extern "C"

#endif  // PINLET_PLATFORM_WIN32_LIBZARVO_CALLS_H_
