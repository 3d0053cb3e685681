// The note window as text, the same on every machine that shows it: its
// state, place, colours and font, text, buttons, footer, reminder and
// attachments. The pinlet command prints it for a note window of the
// simulated machine's; the add-in writes it for a real one when the host it
// runs in asks (a test host driving the real windows).
#ifndef PINLET_NOTEWINDOW_NOTE_WINDOW_REPORT_H_
#define PINLET_NOTEWINDOW_NOTE_WINDOW_REPORT_H_

#include <functional>
#include <string>
#include <string_view>

#include "notewindow/frm_comments.h"
#include "platform/ui_controls.h"

namespace pinlet {

// What the machine knows of the window that the form does not: its handle,
// its place in the z-order and activation, and whether a control shows.
struct NoteWindowPlace {
  WindowHandle handle = 0;
  bool visible = false;
  bool active = false;
  bool top_most = false;
  // Whether the control of that design name is shown (it and its
  // containers visible) and usable (shown, and it and its containers
  // enabled).
  std::function<bool(std::string_view name)> shown;
  std::function<bool(std::string_view name)> usable;
};

// The note window `form` as text, several lines each ending in "\n".
// `window` is the add-in's window over the form; nullptr when it cannot be
// looked into, and its lines are left out. The caller keeps the form's
// members from counting as the add-in's calls.
std::string DescribeNoteWindow(ui::Form& form, const frmComments* window,
                               const NoteWindowPlace& place);

// How a note window opened: ", a new note" or ", the item's note".
std::string NoteWindowKind(const frmComments& window);

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_NOTE_WINDOW_REPORT_H_
