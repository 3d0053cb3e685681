// The pictures the pinlet command draws of the simulated screen: the
// renderer it shares, given the add-in's pictures and its note marking,
// and the tour that writes one picture per step.
#ifndef PINLET_APP_PICTURES_H_
#define PINLET_APP_PICTURES_H_

#include <iosfwd>
#include <string>

#include "app/driver.h"
#include "render/renderer.h"

namespace pinlet::app {

// Whether the item is marked as carrying a note ("ZPNHasNote" is "TRUE").
bool HasNote(const sim::ItemNode& item);

// The renderer of every picture the command draws, made on first use (its
// fonts take a moment to load) and kept for the process.
const render::Renderer& ScreenRenderer();

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

#endif  // PINLET_APP_PICTURES_H_
