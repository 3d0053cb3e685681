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
// Forms and controls.
constexpr int32_t kObjectUnloaded = 364;        // member of an unloaded form
constexpr int32_t kInvalidPropertyValue = 380;  // a value the property refuses
constexpr int32_t kInvalidArrayIndex = 381;     // invalid property array index
constexpr int32_t kPropertyReadOnly = 383;      // the property cannot be set so
constexpr int32_t kFormAlreadyDisplayed = 400;  // can't show a visible form modally
constexpr int32_t kControlNotFound = 730;       // no control of that name
constexpr int32_t kIndexOutOfBounds = 35600;    // a common control's collection index
}  // namespace errors

// Shorthands for the host's common failures.
HostError NotSupportedError(const std::string& member);
HostError NotFoundError(const std::string& what);
HostError ObjectRequiredError();
HostError InvalidArgumentError(const std::string& member);       // 5
HostError InvalidPropertyValueError(const std::string& member);  // 380
HostError IndexOutOfBoundsError(const std::string& member);      // 35600

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
