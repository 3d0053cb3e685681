// Putting a note into a reply or forward.
//
// NoteIntoHTML places a note as a styled block right after the body tag of
// an HTML mail, so that it stands above the quoted message. The note's text
// is escaped for HTML, so a note holding "<" or "</body>" shows as text and
// never as markup; its font name and size pass an allow-list.
//
// The insertion builds a new mail in place of the reply or forward Outlook
// made: its addressees (To, Cc, Bcc) and subject, the note above the body,
// and the attachments of both the source mail and the note (see
// attachment_copy.h). The new mail replaces Outlook's only when it holds
// everything Outlook's held; otherwise Outlook's stays and the user is told
// that the note was not added.
#ifndef PINLET_INSPECTOR_NOTE_INSERTION_H_
#define PINLET_INSPECTOR_NOTE_INSERTION_H_

#include <string>
#include <string_view>

#include "addin/context.h"
#include "addin/error_report.h"

namespace pinlet {

// `html` with the note block inserted right after its body start tag, found
// as a browser parses the HTML (inside no comment, script, style, title or
// attribute value); "" when the HTML has no body tag. Reads the note's text,
// font size, font name and text colour (a document note through CDO); a
// property that cannot be read counts as empty, and the block's style holds
// only the font and colour that are known and pass the allow-list of
// rtf/note_style.h. Reported as "basMainProc(Function NoteIntoHTML)",
// returning "".
std::string NoteIntoHTML(AddinContext& ctx, const ol::ItemPtr& note,
                         const std::string& html);

// A mail built by BuildNoteMail.
struct NoteMail {
  ol::ItemPtr mail;
  // The note's text and every one of its files went in; false when some of
  // them could not be added.
  bool note_complete = false;
};

// A new unsaved mail in the Inbox with everything of the source (its To, Cc,
// Bcc, subject, body and attachments) and the note's text on top of the
// body (in the HTML when the source has HTML, else in the plain text) with
// the note's files. Raises when any of the source's own content cannot be
// read or written: that mail is then dropped unsaved. Only the note's text
// and files may be missing, which `note_complete` tells.
//
// The source's addressees are read through the helper library, which sees
// the stored message only: a source the user may have typed into is saved
// first.
NoteMail BuildNoteMail(AddinContext& ctx, const ol::ItemPtr& source,
                       const ol::ItemPtr& note);

// Shows the new mail (not modal) and takes any "Insert Note" button off its
// window. Raises when Display fails.
void ShowNoteMail(AddinContext& ctx, const ol::ItemPtr& mail);

// Builds the mail that takes `source`'s place with the note in it and shows
// it. True when it shows: the caller then drops `source`; the user is told
// when part of the note is missing from it. False when it could not be
// built or shown: the failure is reported with `proc`'s tag and line, and
// the user is told that the note was not added, `source` staying as Outlook
// made it.
bool ReplaceWithNoteMail(AddinContext& ctx, const Proc& proc, const ol::ItemPtr& source,
                         const ol::ItemPtr& note);

// The texts of those two messages.
extern const char* const kNoteNotAddedMessage;
extern const char* const kNotePartlyAddedMessage;

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_NOTE_INSERTION_H_
