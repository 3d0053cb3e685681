// The host's error model made explicit.
//
// A call into the host whose contract raises (Outlook's object model, Office
// command bars, the MAPI helper libraries) reports failure by throwing a
// HostError carrying the host's error number, its description and its source.
// Windows services answer failure instead (see each interface).
//
// HostError::number is the number the add-in's code sees, as Err.Number
// shows it: a VB runtime number (91, 438, ...) when the runtime raised it,
// otherwise the HRESULT of the failed call (MAPI_E_NOT_FOUND, E_FAIL, ...),
// as a signed 32-bit value. A COM backend maps a failed IDispatch::Invoke to
// it as the runtime does: EXCEPINFO's scode when it is set, else its wCode as
// 0x800A0000 + wCode, else the HRESULT that Invoke returned; and, as the
// runtime does, an HRESULT of the runtime's own range (0x800A0000 + n) and
// the standard ones it knows (E_INVALIDARG 5, E_OUTOFMEMORY 7,
// DISP_E_TYPEMISMATCH 13, E_NOINTERFACE 430, ...) become their runtime
// number n.
//
// The add-in catches HostError only, and only through the helpers below and
// the guarded regime of addin/error_report.h, which also logs. Anything else
// that escapes an entry point of the add-in is a defect of ours, which the
// host's side of the platform stops and records.
#ifndef PINLET_PLATFORM_HOST_ERROR_H_
#define PINLET_PLATFORM_HOST_ERROR_H_

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
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

// Error numbers the add-in and the simulated host use; no other code names a
// number raw.
namespace errors {
// VB runtime errors.
constexpr int32_t kInvalidArgument = 5;  // invalid procedure call or argument
constexpr int32_t kOverflow = 6;
constexpr int32_t kSubscriptOutOfRange = 9;
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kOutOfStack = 28;  // "Out of stack space"
constexpr int32_t kFileNotFound = 53;
constexpr int32_t kFileAlreadyExists = 58;
constexpr int32_t kPermissionDenied = 70;
constexpr int32_t kPathNotFound = 76;
constexpr int32_t kObjectNotSet = 91;         // object variable not set
constexpr int32_t kObjectRequired = 424;      // member called on Nothing
constexpr int32_t kCannotCreateObject = 429;  // ActiveX component can't create object
constexpr int32_t kNotSupported = 438;        // property or method the object lacks
// VB runtime errors of forms and controls.
constexpr int32_t kObjectUnloaded = 364;        // member of an unloaded form
constexpr int32_t kInvalidPropertyValue = 380;  // a value the property refuses
constexpr int32_t kInvalidArrayIndex = 381;     // invalid property array index
constexpr int32_t kPropertyReadOnly = 383;      // the property cannot be set so
constexpr int32_t kFormAlreadyDisplayed = 400;  // can't show a visible form modally
constexpr int32_t kControlNotFound = 730;       // no control of that name
constexpr int32_t kIndexOutOfBounds = 35600;    // a common control's collection index
// VBScript's RegExp: "Syntax error in regular expression" (raised with the
// HRESULT 0x800A1399, which the caller sees as 5017).
constexpr int32_t kRegExpSyntax = 5017;
// The common dialog control's "Cancel was selected", raised by the control
// (and the add-in's wrapper) when CancelError is set and the user cancels.
constexpr int32_t kCancelSelected = 32755;
// The first error number a class of the add-in's own raises
// (vbObjectError + 513); the registry class raises it for an empty key name.
constexpr int32_t kRegistryKeyName = -2147220991;  // 0x80040201
// HRESULTs of failed calls.
constexpr int32_t kOperationFailed = -2147467259;  // E_FAIL 0x80004005
constexpr int32_t kNotFound = -2147221233;         // MAPI_E_NOT_FOUND 0x8004010F
constexpr int32_t kObjectDeleted = -2147221238;    // MAPI_E_OBJECT_DELETED 0x8004010A
constexpr int32_t kNotInitialized = -2147219963;   // MAPI_E_NOT_INITIALIZED 0x80040605
// Outlook's failures of files: ERROR_FILE_NOT_FOUND 0x80070002, raised for
// an attachment added from a missing file, and ERROR_PATH_NOT_FOUND
// 0x80070003, for an attachment saved into a missing folder.
constexpr int32_t kHostFileNotFound = -2147024894;
constexpr int32_t kHostPathNotFound = -2147024893;
// What Office's command bars raise for a bar or a control looked up by a
// name, caption or index they do not have (CommandBars("x"), Controls("x")):
// E_INVALIDARG without exception information, which the VB runtime reports
// as Err.Number 5, "Invalid procedure call or argument"; a COM backend maps
// that HRESULT to 5 the same way.
constexpr int32_t kCommandBarItemNotFound = kInvalidArgument;
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

// The same for a borrowed object (a service of the Platform).
template <typename T>
T& Must(T* object) {
  if (!object)
    throw HostError(errors::kObjectNotSet,
                    "Object variable or With block variable not set");
  return *object;
}

// Runs `step`; returns the HostError that ended it, or nullopt when it
// completed. The one place where the add-in's helpers catch.
template <typename F>
std::optional<HostError> Attempt(F&& step) {
  try {
    std::forward<F>(step)();
    return std::nullopt;
  } catch (const HostError& error) {
    return error;
  }
}

// Runs one step with errors ignored: a HostError from `step` is swallowed and
// the caller goes on with its next step. Returns true when the step completed.
// The same helper serves a procedure whose first failure silently ends it.
template <typename F>
bool IgnoreError(F&& step) {
  return !Attempt(std::forward<F>(step));
}

// A lookup that may fail: returns what `lookup` returns, or a default value
// (nullptr for host objects) when it raises a HostError, which then means that
// the thing looked for is absent.
template <typename F>
auto TryGet(F&& lookup) -> std::decay_t<decltype(lookup())> {
  std::decay_t<decltype(lookup())> result{};
  Attempt([&] { result = std::forward<F>(lookup)(); });
  return result;
}

// A step the user's work depends on, done once more when it raises: true
// when either run completed. A second failure is swallowed.
template <typename F>
bool TryTwice(F&& step) {
  return IgnoreError(step) || IgnoreError(step);
}

// A reading done once more when it raises; what the second reading raises
// goes to the caller.
template <typename F>
auto ReadTwice(F&& read) -> std::decay_t<decltype(read())> {
  std::optional<std::decay_t<decltype(read())>> value;
  if (IgnoreError([&] { value = read(); })) return std::move(*value);
  return read();
}

}  // namespace pinlet

#endif  // PINLET_PLATFORM_HOST_ERROR_H_
