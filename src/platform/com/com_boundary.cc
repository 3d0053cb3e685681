#include "platform/com/com_boundary.h"

#include <exception>

#include "platform/com/com_error.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

std::function<void(const std::string&)>& Recorder() {
  static std::function<void(const std::string&)> recorder;
  return recorder;
}

HRESULT ReportDefect(const std::string& what, Report report, EXCEPINFO* info,
                     const IID& iid) {
  RecordDefect(what);
  switch (report) {
    case Report::kInvoke:
      return DefectThroughInvoke(what, info);
    case Report::kErrorInfo:
      return DefectThroughErrorInfo(what, iid);
    case Report::kNone:
      break;
  }
  return E_UNEXPECTED;
}

}  // namespace

void SetDefectRecorder(std::function<void(const std::string&)> recorder) {
  Recorder() = std::move(recorder);
}

void RecordDefect(std::string_view what) {
  if (Recorder()) Recorder()(std::string(what));
}

HRESULT AtComBoundary(std::string_view entry, const std::function<void()>& body,
                      Report report, EXCEPINFO* info, const IID& iid,
                      bool host_errors_are_defects) {
  // The one place in the COM layer that catches everything: nothing may
  // cross into a caller that knows nothing of C++ exceptions.
  try {
    body();
    return S_OK;
  } catch (const HostError& error) {
    if (host_errors_are_defects)
      return ReportDefect(std::string(entry) + ": unhandled host error " +
                              std::to_string(error.number()) + " (" +
                              error.description() + ")",
                          report, info, iid);
    switch (report) {
      case Report::kInvoke:
        return RaiseThroughInvoke(error, info);
      case Report::kErrorInfo:
        return RaiseThroughErrorInfo(error, iid);
      case Report::kNone:
        break;
    }
    return HResultOfHostNumber(error.number());
  } catch (const std::exception& error) {
    return ReportDefect(std::string(entry) + ": " + error.what(), report, info, iid);
  } catch (...) {
    return ReportDefect(std::string(entry) + ": an exception of unknown type", report,
                        info, iid);
  }
}

}  // namespace pinlet::com
