// pinlet.dll's answers to a host's probes of its forms (form_probe.h): the
// note windows of the add-in instances alive in the module, described as
// the add-in sees them. A host in the process (the test host) asks; Office
// never does, and then nothing of this runs.
#ifndef PINLET_COMSERVER_NOTE_WINDOW_PROBES_H_
#define PINLET_COMSERVER_NOTE_WINDOW_PROBES_H_

#include <memory>

#include "addin/connect.h"

namespace pinlet::com {

// Adds `addin` to the instances whose note windows answer probes, for as
// long as it lives; the first call installs the answers.
void AnswerProbesOfNoteWindows(const std::shared_ptr<Connect>& addin);

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_NOTE_WINDOW_PROBES_H_
