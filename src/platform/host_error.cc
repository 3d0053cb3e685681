#include "platform/host_error.h"

namespace pinlet {

HostError::HostError(int32_t number, std::string description, std::string source)
    : number_(number), description_(std::move(description)), source_(std::move(source)) {}

HostError NotSupportedError(const std::string& member) {
  return HostError(errors::kNotSupported,
                   "Object doesn't support this property or method", member);
}

HostError NotFoundError(const std::string& what) {
  return HostError(errors::kNotFound,
                   "The operation failed. An object could not be found.", what);
}

HostError ObjectRequiredError() {
  return HostError(errors::kObjectRequired, "Object required");
}

}  // namespace pinlet
