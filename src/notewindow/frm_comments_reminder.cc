// The note's reminder as the window shows it. The reminder button's state
// follows the item's class (SetDefaultDisplayStyle) and the indicator the
// note's "ZPNReminder" (SetCustomDisplayStyle); setting a reminder, with its
// dialog and the item's own Outlook reminder, belongs to the reminder code.
#include "notewindow/frm_comments.h"

namespace pinlet {

// Run at load and for every note shown: the reminder code sets the button
// for the item here. Until it does, the button keeps its default state.
void frmComments::EnableReminder() {}

}  // namespace pinlet
