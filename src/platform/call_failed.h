// Windows service calls answer failure (false, 0, nothing) instead of
// raising. A procedure that ends at such a failure, and reports it like any
// other error of the host, turns the answer into a HostError here.
#ifndef PINLET_PLATFORM_CALL_FAILED_H_
#define PINLET_PLATFORM_CALL_FAILED_H_

#include <string>

#include "platform/host_error.h"

namespace pinlet {

// The error of the Windows call `call` that answered failure: E_FAIL, with
// the description "<call> failed".
inline HostError CallFailedError(const std::string& call) {
  return HostError(errors::kOperationFailed, call + " failed", call);
}

// `answer` of the Windows call `call` when it is a success (true, non-zero,
// not empty); a failure answer raises CallFailedError(call).
template <typename T>
T Succeeded(T answer, const std::string& call) {
  if (!answer) throw CallFailedError(call);
  return answer;
}

}  // namespace pinlet

#endif  // PINLET_PLATFORM_CALL_FAILED_H_
