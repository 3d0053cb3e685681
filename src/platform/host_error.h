// The host's error model made explicit.
//
// Every call into the host (Outlook's object model, Office command bars, the
// MAPI helper libraries, Windows services) reports failure by throwing a
// HostError carrying the host's error number, its description and its source.
// The add-in never lets one escape to the host: procedures run their steps
// through one of the two regimes below, or through the guarded regime of
// addin/error_report.h, which also logs.
#ifndef PINLET_PLATFORM_HOST_ERROR_H_
#define PINLET_PLATFORM_HOST_ERROR_H_

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

namespace pinlet {

class HostError : public std::exception {
 public:
  HostError(int32_t number, std::string description, std::string source = "");

  int32_t number() const { return number_; }
  const std::string& description() const { return description_; }
  const std::string& source() const { return source_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  int32_t number_;
  std::string description_;
  std::string source_;
};

// Error numbers the add-in and the simulated host use.
namespace errors {
constexpr int32_t kNotSupported = 438;  // property or method the object lacks
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kObjectRequired = 424;      // member called on Nothing
constexpr int32_t kObjectNotSet = 91;         // object variable not set
constexpr int32_t kCannotCreateObject = 429;  // ActiveX component can't create object
constexpr int32_t kFileNotFound = 53;
constexpr int32_t kPathNotFound = 76;
constexpr int32_t kInvalidArgument = 5;            // invalid procedure call or argument
constexpr int32_t kNotFound = -2147221233;         // MAPI_E_NOT_FOUND, a failed lookup
constexpr int32_t kOperationFailed = -2147467259;  // E_FAIL
// The common dialog control's "Cancel was selected", raised by the control
// (and the add-in's wrapper) when CancelError is set and the user cancels.
constexpr int32_t kCancelSelected = 32755;
// VBScript's RegExp: "Syntax error in regular expression" (raised with the
// HRESULT 0x800A1399, which the caller sees as 5017).
constexpr int32_t kRegExpSyntax = 5017;
constexpr int32_t kOutOfStack = 28;  // VB's "Out of stack space"
}  // namespace errors

// Shorthands for the host's common failures.
HostError NotSupportedError(const std::string& member);
HostError NotFoundError(const std::string& what);
HostError ObjectRequiredError();

// The object behind `object`, raising the host's error 91 when it is Nothing,
// as a member call on Nothing does in the host.
template <typename T>
T& Must(const std::shared_ptr<T>& object) {
  if (!object)
    throw HostError(errors::kObjectNotSet,
                    "Object variable or With block variable not set");
  return *object;
}

// Runs one step with errors ignored: a HostError from `step` is swallowed and
// the caller goes on with its next step. Returns true when the step completed.
template <typename F>
bool IgnoreError(F&& step) {
  try {
    std::forward<F>(step)();
    return true;
  } catch (const HostError&) {
    return false;
  }
}

// A lookup that may fail: returns what `lookup` returns, or a default value
// (nullptr for host objects) when it raises a HostError, which then means that
// the thing looked for is absent.
template <typename F>
auto TryGet(F&& lookup) -> std::decay_t<decltype(lookup())> {
  try {
    return std::forward<F>(lookup)();
  } catch (const HostError&) {
    return {};
  }
}

}  // namespace pinlet

#endif  // PINLET_PLATFORM_HOST_ERROR_H_
