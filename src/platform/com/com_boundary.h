// The one firewall of the COM layer: every entry point that a COM caller
// reaches (an exported function, a served object's Invoke, an event sink, a
// class factory, the add-in's callbacks) runs its body through it.
//
// A HostError that the body raises is an answer the caller is meant to get:
// it crosses as DISP_E_EXCEPTION (or the thread's error object) with the
// host's number. Anything else is a defect of ours: it is recorded through
// the module's defect recorder and crosses as E_UNEXPECTED marked with
// kDefectSource, so that the caller can record it too. Nothing ever crosses
// the boundary as a C++ exception.
#ifndef PINLET_PLATFORM_COM_COM_BOUNDARY_H_
#define PINLET_PLATFORM_COM_COM_BOUNDARY_H_

#include <objbase.h>
#include <oleauto.h>

#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "platform/com/com_error.h"
#include "platform/host_error.h"

namespace pinlet::com {

// Sets what this module does with its own defects (the DLL writes them to its
// log, the test host records them in its world). Without a recorder they are
// only reported to the caller.
void SetDefectRecorder(std::function<void(const std::string&)> recorder);
// Records one defect through the recorder, if any.
void RecordDefect(std::string_view what);

// How a failure reaches the caller of an entry point.
enum class Report {
  kInvoke,     // through EXCEPINFO (the `info` given, which may be null)
  kErrorInfo,  // through the thread's error object, for a vtable call
  kNone,       // only the HRESULT (a caller that cannot take more)
};

namespace boundary {
// How AtComBoundary answers what its body raised (com_boundary.cc).
HRESULT AnswerHostError(What entry, const HostError& error, Report report,
                        EXCEPINFO* info, const IID& iid, bool host_errors_are_defects);
HRESULT AnswerDefect(What entry, const char* what, Report report, EXCEPINFO* info,
                     const IID& iid);
}  // namespace boundary

// Runs `body` at the boundary named `entry`. Returns S_OK when it completed,
// otherwise the HRESULT of the failure, reported as `report` says;
// `host_errors_are_defects` makes a HostError a defect too (an event sink
// must have handled every failure itself).
template <typename Body>
HRESULT AtComBoundary(What entry, Body&& body, Report report = Report::kNone,
                      EXCEPINFO* info = nullptr, const IID& iid = IID_NULL,
                      bool host_errors_are_defects = false) {
  // The one place in the COM layer that catches everything: nothing may
  // cross into a caller that knows nothing of C++ exceptions.
  try {
    std::forward<Body>(body)();
    return S_OK;
  } catch (const HostError& error) {
    return boundary::AnswerHostError(entry, error, report, info, iid,
                                     host_errors_are_defects);
  } catch (const std::exception& error) {
    return boundary::AnswerDefect(entry, error.what(), report, info, iid);
  } catch (...) {
    return boundary::AnswerDefect(entry, "an exception of unknown type", report, info,
                                  iid);
  }
}

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_BOUNDARY_H_
