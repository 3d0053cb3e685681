#include "platform/com/com_boundary.h"

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

namespace boundary {

HRESULT AnswerHostError(What entry, const HostError& error, Report report,
                        EXCEPINFO* info, const IID& iid, bool host_errors_are_defects) {
  if (host_errors_are_defects)
    return ReportDefect(entry.str() + ": unhandled host error " +
                            std::to_string(error.number()) + " (" + error.description() +
                            ")",
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
}

HRESULT AnswerDefect(What entry, const char* what, Report report, EXCEPINFO* info,
                     const IID& iid) {
  return ReportDefect(entry.str() + ": " + what, report, info, iid);
}

}  // namespace boundary

}  // namespace pinlet::com
