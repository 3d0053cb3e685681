// The COM server DLL as a module: its handle and file, and what keeps it
// loaded.
//
// COM unloads an in-process server when DllCanUnloadNow says so; the DLL
// says so only while none of its objects lives (the class factories, the
// add-in objects, and every object it serves to its callers, connection
// sinks included) and no caller holds a lock (IClassFactory::LockServer).
// The counters are changed with interlocked operations, as COM may ask from
// any thread.
#ifndef PINLET_COMSERVER_MODULE_H_
#define PINLET_COMSERVER_MODULE_H_

#include <objbase.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/com/com_boundary.h"

namespace pinlet::com {

// Records the DLL's own handle; called once, as the DLL loads.
void SetThisModule(HMODULE module);
// The DLL's handle (null before it is set).
HMODULE ThisModule();
// The DLL's full path, as the loader found it. Raises a HostError when the
// path cannot be read.
std::wstring ThisModulePath();

// One object of ours begins or ends.
void ObjectCreated();
void ObjectDestroyed();
// A caller locks the server in memory, or releases its lock.
void LockModule();
void UnlockModule();
// Whether nothing of ours is in use (see above).
bool ModuleCanUnload();
// The number of objects of ours alive, served objects and sinks included
// (for tests and diagnostics).
long LiveObjects();

// Runs an entry point whose body answers an HRESULT of its own (S_FALSE,
// CLASS_E_CLASSNOTAVAILABLE, ...) through the COM firewall: the body's answer
// when it completes, the firewall's when it raises.
// The arguments after `body` are AtComBoundary's.
HRESULT AnswerAtBoundary(std::string_view entry, const std::function<HRESULT()>& body,
                         Report report = Report::kNone, EXCEPINFO* info = nullptr,
                         const IID& iid = IID_NULL);

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_MODULE_H_
