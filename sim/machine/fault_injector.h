// Makes chosen host calls fail, so that both error regimes of the add-in are
// tested against real failures, and keeps the log of the calls made.
//
// Every public member of the simulated host that the add-in calls passes
// Check (or Fails, for members whose contract makes failure an answer)
// exactly once, with the member's host name ("Items.Item",
// "UserProperties.Add", "CommandBarControls.Add", "RegQueryValueEx") and the
// EntryID of the item or folder it acts on, if any. The simulated host's own
// work never passes here: it uses the node level, or runs under a Pause.
//
// Calls are numbered from 1 for the whole run; `fail call N` and `show
// calls` use that numbering, and so does the sweep that fails each call of a
// scenario in turn.
#ifndef PINLET_SIM_MACHINE_FAULT_INJECTOR_H_
#define PINLET_SIM_MACHINE_FAULT_INJECTOR_H_

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_error.h"

namespace pinlet::sim {

// Whether the host has a member of that name (the names Check accepts).
bool IsHostMember(std::string_view member);
// Every host member name, sorted.
const std::vector<std::string_view>& HostMembers();
// Whether Outlook (and Office) of major version `version` (10 for 2002, 11
// for 2003) has the member: most members are in every version, a few came
// later (MailItem.FlagIcon with 11, NameSpace.CurrentProfileName with 12,
// the items' RTFBody with 14). Requires IsHostMember(member).
bool MemberInVersion(std::string_view member, int version);

class FaultInjector {
 public:
  struct Call {
    std::string_view member;  // points into the host member table
    std::string target;       // EntryID of the item or folder acted on, or ""
  };
  struct Failure {
    int64_t call;  // its number in the run
    std::string member;
    std::string target;
    int32_t number;
  };

  // The run's n-th call (counted from the first call of the run, 1-based)
  // raises error `number`. Requires n > call_count(). Calls told to fail
  // add up: each one named fails.
  void FailCall(int64_t n, int32_t number = errors::kOperationFailed);
  // Calls of `member` raise error `number`: the nth one from now (nth >= 1),
  // or every one until Clear (nth == 0). Requires IsHostMember(member).
  void FailMember(std::string_view member, int32_t number = errors::kOperationFailed,
                  int64_t nth = 0);
  // No call fails any more; the log and the counters stay.
  void Clear();

  // The major version of the Office the host runs as (11, Outlook 2003, by
  // default). A call of a member that version lacks is counted like any
  // other and raises error 438, as Outlook's late binding does; Fails
  // raises it too, since a missing member is no answer.
  void set_host_version(int version) { host_version_ = version; }
  int host_version() const { return host_version_; }

  // Counts one call of `member` on `target` and raises the simulated failure
  // when told to.
  void Check(std::string_view member, std::string_view target = "");
  // The same for a member whose contract answers failure (false, nullopt):
  // counts the call and returns true when this call is to fail.
  bool Fails(std::string_view member, std::string_view target = "");

  // Whether calls are logged (for show calls and the sweep). Off by default,
  // so that long runs and benchmarks keep no log.
  void set_logging(bool on) { logging_ = on; }
  const std::vector<Call>& calls() const { return log_; }
  int64_t call_count() const { return calls_; }
  int64_t failures_raised() const { return static_cast<int64_t>(failures_.size()); }
  const std::vector<Failure>& failures() const { return failures_; }

  // Where a call of a name the host does not have is reported: such a call is
  // a defect of the simulation itself. Without a sink it is ignored.
  void set_defect_sink(std::function<void(std::string)> sink) {
    defect_sink_ = std::move(sink);
  }

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
  bool paused() const { return paused_ > 0; }

 private:
  struct MemberRule {
    int32_t number;
    int64_t remaining;  // calls to let pass before the failing one; -1: every call
  };
  // The number to raise for this call, or 0 when it passes.
  int32_t Count(std::string_view member, std::string_view target);

  int64_t calls_ = 0;
  std::map<int64_t, int32_t> failing_calls_;  // call number -> error to raise
  std::map<std::string, MemberRule, std::less<>> member_rules_;
  std::vector<Call> log_;
  std::vector<Failure> failures_;
  bool logging_ = false;
  int paused_ = 0;
  int host_version_ = 11;
  std::function<void(std::string)> defect_sink_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_FAULT_INJECTOR_H_
