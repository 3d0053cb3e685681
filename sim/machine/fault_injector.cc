#include "sim/machine/fault_injector.h"

#include <algorithm>

namespace pinlet::sim {

void FaultInjector::FailCall(int64_t n, int32_t number) {
  failing_calls_[n] = number;
}

void FaultInjector::FailMember(std::string_view member, int32_t number, int64_t nth) {
  member_rules_[std::string(member)] = {number, nth > 0 ? nth - 1 : -1};
}

void FaultInjector::Clear() {
  failing_calls_.clear();
  member_rules_.clear();
}

int32_t FaultInjector::Count(std::string_view member, std::string_view target) {
  if (paused_ > 0) return 0;
  const auto& names = HostMembers();
  auto known = std::lower_bound(names.begin(), names.end(), member);
  if (known == names.end() || *known != member) {
    if (defect_sink_)
      defect_sink_("the simulated host called an unknown member '" + std::string(member) +
                   "'");
    return 0;
  }
  ++calls_;
  if (logging_) log_.push_back({*known, std::string(target)});
  int32_t number = 0;
  auto failing = failing_calls_.find(calls_);
  if (failing != failing_calls_.end()) {
    number = failing->second;
    failing_calls_.erase(failing);
  }
  auto rule = member_rules_.find(member);
  if (rule != member_rules_.end()) {
    if (rule->second.remaining < 0) {
      number = rule->second.number;
    } else if (rule->second.remaining-- == 0) {
      number = rule->second.number;
      member_rules_.erase(rule);
    }
  }
  if (number != 0)
    failures_.push_back({calls_, std::string(member), std::string(target), number});
  else if (!MemberInVersion(member, host_version_))
    number = errors::kNotSupported;
  return number;
}

void FaultInjector::Check(std::string_view member, std::string_view target) {
  if (int32_t number = Count(member, target)) {
    if (number == errors::kNotSupported && !MemberInVersion(member, host_version_))
      throw NotSupportedError(std::string(member));
    throw HostError(number, "Simulated failure of " + std::string(member),
                    std::string(member));
  }
}

bool FaultInjector::Fails(std::string_view member, std::string_view target) {
  int32_t number = Count(member, target);
  if (number == errors::kNotSupported && !MemberInVersion(member, host_version_))
    throw NotSupportedError(std::string(member));
  return number != 0;
}

}  // namespace pinlet::sim
