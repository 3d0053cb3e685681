// What the user sees come out of an action: the message boxes shown (with
// the answers they got), the modal forms shown (with what was done on them),
// the support library's help pages and about box, and the defects the host
// had to stop. Marked before a command acts, printed after it.
#ifndef PINLET_SIM_APP_EFFECTS_H_
#define PINLET_SIM_APP_EFFECTS_H_

#include <cstddef>
#include <iosfwd>

#include "sim/machine/world.h"

namespace pinlet::app {

class Effects {
 public:
  // Marks what the world has recorded so far.
  explicit Effects(sim::World& world);
  // Prints what was recorded since, one line each ("DEFECT: ..." last).
  void Print(std::ostream& out) const;

 private:
  sim::World& world_;
  size_t messages_, modal_forms_, support_calls_, defects_;
};

// Prints the defects recorded after the first `before`, one "DEFECT:" line each.
void ReportDefects(sim::World& world, size_t before, std::ostream& out);
// One modal form as `show forms` gives it, with its snapshots below it.
void PrintModalForm(const sim::SimUi::ModalRecord& shown, std::ostream& out);

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_EFFECTS_H_
