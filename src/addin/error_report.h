// The common error reporter and the guarded regime "the first failure ends
// the procedure".
//
// A guarded procedure runs its body with a Proc carrying its tag (module,
// class or window name, "(", "Sub " or "Function ", the procedure name, ")",
// for example "basMainProc(Function NotesFolder)") and the number of the line
// it is at. On a HostError the reporter appends ", " and the line number when
// that is not zero, logs description, number and tag through the support
// library (level 3, flag 1) only while the support library object exists, and
// the procedure returns its default result. Nothing escapes to the host: an
// unexpected exception of our own is reported the same way.
#ifndef PINLET_ADDIN_ERROR_REPORT_H_
#define PINLET_ADDIN_ERROR_REPORT_H_

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "addin/context.h"
#include "platform/host_error.h"

namespace pinlet {

struct Proc {
  std::string_view tag;
  int line = 0;  // the line the body is at; 0 when it does not number its lines
};

// The tag with ", <line>" appended when `line` is not zero.
std::string TagWithLine(std::string_view tag, int line);

// Reports one failure of a procedure: logs it when the support library
// object exists, and otherwise forgets it.
void ReportError(AddinContext& context, std::string_view tag, int line, int32_t number,
                 std::string_view description);

// Runs `body(proc)`; on any failure reports it and returns `default_result`.
template <typename T, typename Body>
T RunGuarded(AddinContext& context, std::string_view tag, T default_result, Body&& body) {
  Proc proc{tag};
  try {
    return std::forward<Body>(body)(proc);
  } catch (const HostError& e) {
    ReportError(context, tag, proc.line, e.number(), e.description());
  } catch (const std::exception& e) {
    ReportError(context, tag, proc.line, -1, std::string("Internal error: ") + e.what());
  }
  return default_result;
}

// The same for procedures without a result.
template <typename Body>
void RunGuardedSub(AddinContext& context, std::string_view tag, Body&& body) {
  Proc proc{tag};
  try {
    std::forward<Body>(body)(proc);
  } catch (const HostError& e) {
    ReportError(context, tag, proc.line, e.number(), e.description());
  } catch (const std::exception& e) {
    ReportError(context, tag, proc.line, -1, std::string("Internal error: ") + e.what());
  }
}

// Shows a message box titled with the product name; returns the answer, or
// `fallback` when the box cannot be shown.
int ShowMessage(AddinContext& context, std::string_view text, int style,
                int fallback = 0);

}  // namespace pinlet

#endif  // PINLET_ADDIN_ERROR_REPORT_H_
