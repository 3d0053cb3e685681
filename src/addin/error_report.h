// The common error reporter and the guarded regime "the first failure ends
// the procedure".
//
// A guarded procedure runs its body with a Proc carrying its tag (module,
// class or window name, "(", "Sub " or "Function ", the procedure name, ")",
// for example "basMainProc(Function NotesFolder)") and the number of the line
// it is at. On a HostError the reporter appends ", " and the line number when
// that is not zero, logs description, number and tag through the support
// library (level 3, flag 1) only while the support library object exists, and
// the procedure returns its default result. Only HostError is handled: any
// other exception is a defect of ours and goes on to the host boundary, which
// records it. A procedure whose first failure silently ends it, without a
// report, runs its body through IgnoreError (platform/host_error.h).
//
// A procedure whose steps go on past errors, yet report each failure with
// the procedure's tag, runs every step through ReportedSteps. A lookup whose
// failure means that the thing looked for is absent is no such step: it goes
// through TryGet and is never reported.
#ifndef PINLET_ADDIN_ERROR_REPORT_H_
#define PINLET_ADDIN_ERROR_REPORT_H_

#include <cstdint>
#include <optional>
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

// Runs `body(proc)`; a HostError ends it, is reported with the procedure's
// tag and line, and `default_result` is returned. Anything else is not caught:
// it is a defect of ours, which the host boundary records.
template <typename T, typename Body>
T RunGuarded(AddinContext& context, std::string_view tag, T default_result, Body&& body) {
  Proc proc{tag};
  T result = default_result;
  if (auto error = Attempt([&] { result = std::forward<Body>(body)(proc); })) {
    ReportError(context, tag, proc.line, error->number(), error->description());
    return default_result;
  }
  return result;
}

// The same for procedures without a result; returns true when the body
// completed.
template <typename Body>
bool RunGuardedSub(AddinContext& context, std::string_view tag, Body&& body) {
  return RunGuarded(context, tag, false, [&](Proc& proc) {
    std::forward<Body>(body)(proc);
    return true;
  });
}

// The regime "each failing step is reported and skipped": the procedure goes
// on with its next step.
class ReportedSteps {
 public:
  ReportedSteps(AddinContext& context, std::string_view tag)
      : context_(context), tag_(tag) {}

  // Runs `step`; a HostError is reported with the tag and swallowed. True
  // when the step completed.
  template <typename Step>
  bool operator()(Step&& step) {
    std::optional<HostError> error = Attempt(std::forward<Step>(step));
    if (!error) return true;
    ReportError(context_, tag_, 0, error->number(), error->description());
    return false;
  }

 private:
  AddinContext& context_;
  std::string_view tag_;
};

// Shows a message box titled with the product name; returns the answer, or
// `fallback` when the box cannot be shown.
int ShowMessage(AddinContext& context, std::string_view text, int style,
                int fallback = 0);

}  // namespace pinlet

#endif  // PINLET_ADDIN_ERROR_REPORT_H_
