// The guided tour with one picture per step (pinlet demo --pictures DIR).
#ifndef PINLET_SIM_APP_TOUR_H_
#define PINLET_SIM_APP_TOUR_H_

#include <iosfwd>
#include <string>

#include "sim/app/driver.h"

namespace pinlet::app {

// Runs the tour's script on `driver` as `pinlet demo` does, and writes one
// picture per step into `folder` (made when missing): a step starts at a
// `say "-- ... --"` line and ends where the next starts or the script ends;
// its picture is the screen as the step's last `show` command saw it (the
// tour looks where it shows), or at the step's end when it shows nothing,
// with the dialog shown last during the step (as it looked when last seen)
// on top. Pictures are named after
// the step's number and title ("03-a-note-is-stored.png"); `out` hears each
// one written. Returns the script's status, or 2 when the folder cannot be
// made or a picture cannot be written.
int RunTourWithPictures(Driver& driver, const std::string& script,
                        const std::string& folder, std::ostream& out, std::ostream& err);

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_TOUR_H_
