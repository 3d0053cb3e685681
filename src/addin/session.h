// The session the notes live in, as the rest of the add-in reaches it.
//
// The connection takes Outlook's MAPI namespace once. When that failed, the
// add-in is still loaded, but no note can be found, made or stored; the
// namespace is asked for again the next time it is needed, and while it
// cannot be had the user is told so before anything is typed into a note.
#ifndef PINLET_ADDIN_SESSION_H_
#define PINLET_ADDIN_SESSION_H_

#include "addin/context.h"

namespace pinlet {

// The session's namespace: the one the connection took or, when it has
// none, taken now with Application.GetNameSpace("MAPI") and kept (Outlook
// hands out the one namespace of its session every time). nullptr when it
// cannot be had; nothing is raised or reported.
ol::NameSpacePtr ReachNameSpace(AddinContext& ctx);

// The text of the message box that tells the user the notes cannot be
// reached now.
extern const char* const kNotesUnreachable;

// Tells the user, in a message box titled with the product name, that the
// notes cannot be reached now, so no note is shown or added.
void TellNotesUnreachable(AddinContext& ctx);

}  // namespace pinlet

#endif  // PINLET_ADDIN_SESSION_H_
