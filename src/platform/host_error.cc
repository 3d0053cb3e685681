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

HostError InvalidArgumentError(const std::string& member) {
  return HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                   member);
}

HostError InvalidPropertyValueError(const std::string& member) {
  return HostError(errors::kInvalidPropertyValue, "Invalid property value", member);
}

HostError IndexOutOfBoundsError(const std::string& member) {
  return HostError(errors::kIndexOutOfBounds, "Index out of bounds", member);
}

}  // namespace pinlet
