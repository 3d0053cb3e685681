// The failure sweep: a scenario run once per host call that it makes, with
// that one call failing, to show that the add-in copes with every failure.
//
// The scenario first runs clean, to count its host calls and to take the
// notes as it leaves them. Then each run fails one call (numbered as `show
// calls` numbers them), or in the pair sweep two consecutive calls N and
// N+1 together, and is checked for:
// - defects: an exception that reached the host, a dialog nobody answered;
// - lost data: a note's text, any of its properties, or its attachments that
//   differ from the clean run. A difference is not a loss when the failed
//   call was made on that very note (its item, properties or attachments):
//   a failure there may keep that change from being stored. Nor is it when
//   a failed call was a dialog or menu bringing the user's choice (a file
//   to attach, a colour, a font, a shortcut menu's entry), which then never
//   arrived. A note that the
//   failed call kept from being made at all is not lost either; a note that
//   existed before the run and is gone, or one that the clean run does not
//   have, always is.
// - lost mail content: a file of one of Outlook's replies or forwards that
//   no mail the user got holds (the answer itself, or a mail shown after it
//   that the add-in did not close unsaved), whatever call failed.
// The notes are those of the notes folder and those that followed their
// item into Deleted Items, wherever either kind lies at the end of a run.
// Runs are in-process and keep no files; expectations are not checked, and
// every line runs whatever the previous ones answered.
#ifndef PINLET_SIM_APP_SWEEP_H_
#define PINLET_SIM_APP_SWEEP_H_

#include <iosfwd>
#include <string>

#include "sim/app/driver.h"

namespace pinlet::app {

// Which calls each run of a sweep fails.
enum class SweepKind {
  kEachCall,  // call N, for every N
  kEachPair,  // calls N and N+1 together, for every N up to the last but one
};

// Runs the sweep of `script` (named `name` in messages) on the files of
// `options`, which are read and never written. Writes one line per problem
// and a summary to `out`. Returns 0 when every run was clean, 1 when data
// was lost, 3 when a run recorded a defect, 2 when the files cannot be read.
int RunFailureSweep(const std::string& script, const std::string& name,
                    DriverOptions options, std::ostream& out, std::ostream& err,
                    SweepKind kind = SweepKind::kEachCall);

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_SWEEP_H_
