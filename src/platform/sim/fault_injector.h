// Makes chosen host calls fail, so that both error regimes of the add-in are
// tested against real failures.
//
// Every member of the simulated host calls Check with its name ("Folders.Item",
// "Item.Save", ...) before it does anything. A test can make the n-th call from
// now fail, or every call of a named member, and count the calls made.
#ifndef PINLET_PLATFORM_SIM_FAULT_INJECTOR_H_
#define PINLET_PLATFORM_SIM_FAULT_INJECTOR_H_

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace pinlet::sim {

class FaultInjector {
 public:
  // The n-th call counted from now (1 = the next one) raises a HostError.
  void FailNthCall(int64_t n);
  // Every call of `member` raises until Clear.
  void FailMember(std::string member);
  void Clear();

  // Counts one call of `member` and raises the simulated failure when told to.
  void Check(std::string_view member);

  int64_t call_count() const { return calls_; }
  int64_t failures_raised() const { return failures_; }

  // While a Pause lives, calls are neither counted nor failed: the simulated
  // host's own work is not a call of the add-in's.
  class Pause {
   public:
    explicit Pause(FaultInjector& faults) : faults_(faults) { ++faults_.paused_; }
    ~Pause() { --faults_.paused_; }
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

   private:
    FaultInjector& faults_;
  };

 private:
  int64_t calls_ = 0;
  int64_t fail_at_ = -1;
  int64_t failures_ = 0;
  std::set<std::string, std::less<>> failing_members_;
  int paused_ = 0;
};

}  // namespace pinlet::sim

#endif  // PINLET_PLATFORM_SIM_FAULT_INJECTOR_H_
