#include "platform/sim/fault_injector.h"

#include "platform/host_error.h"

namespace pinlet::sim {

void FaultInjector::FailNthCall(int64_t n) { fail_at_ = calls_ + n; }

void FaultInjector::FailMember(std::string member) {
  failing_members_.insert(std::move(member));
}

void FaultInjector::Clear() {
  fail_at_ = -1;
  failing_members_.clear();
}

void FaultInjector::Check(std::string_view member) {
  if (paused_ > 0) return;
  ++calls_;
  if (calls_ == fail_at_ || failing_members_.count(member) > 0) {
    ++failures_;
    throw HostError(errors::kOperationFailed,
                    "Simulated failure of " + std::string(member), std::string(member));
  }
}

}  // namespace pinlet::sim
