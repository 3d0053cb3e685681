// The note of what the DLL is about to show: a message box with its style,
// or a common dialog with the whole description it was given. It is kept in
// the process environment ("PINLET_UI_SHOWN") from just before the system
// is asked until the call returns, so that a test host in the same process
// (sim/comhost) can answer the real box or dialog as its simulated machine
// answers the same call linked in: the window the system shows does not
// tell a box's style exactly, nor a dialog's flags, limits or starting
// choice. Nothing of it crosses as C++: the note is text.
#ifndef PINLET_COMSERVER_SHOWN_SURFACE_H_
#define PINLET_COMSERVER_SHOWN_SURFACE_H_

#include <optional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace pinlet::comserver {

struct ShownSurface {
  enum class Kind { kMessageBox, kColor, kFont, kOpen, kSave };
  Kind kind = Kind::kMessageBox;
  int style = 0;      // a message box's (mb::k...)
  ColorDialog color;  // the description the dialog of `kind` was given
  FontDialog font;
  FileDialog file;
};

// The note as text, one "name=value" a line; and back. Decode answers
// nullopt for a text that is no note.
std::string EncodeShown(const ShownSurface& surface);
std::optional<ShownSurface> DecodeShown(std::string_view text);

// Notes `surface` as about to be shown, replacing any earlier note.
void NoteShown(const ShownSurface& surface);
// Removes the note, if any.
void ClearShown();
// The note, removed as it is taken; nullopt when there is none.
std::optional<ShownSurface> TakeShown();

}  // namespace pinlet::comserver

#endif  // PINLET_COMSERVER_SHOWN_SURFACE_H_
