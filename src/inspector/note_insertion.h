// Putting a note into a reply or forward.
//
// NoteIntoHTML places a note as a styled block right after the body tag of
// an HTML mail, so that it stands above the quoted message. The note's text
// is escaped for HTML, so a note holding "<" or "</body>" shows as text and
// never as markup; its font name and size pass an allow-list.
//
// The insertion builds a new mail in place of the reply or forward Outlook
// made: its addressees (To, Cc, Bcc) and subject, the note above the body,
// and the attachments of both the source mail and the note, passed through
// the add-in's "Temp\" folder under safe file names, one subfolder per
// attachment so that two of the same name never share a file.
#ifndef PINLET_INSPECTOR_NOTE_INSERTION_H_
#define PINLET_INSPECTOR_NOTE_INSERTION_H_

#include <string>
#include <string_view>

#include "addin/context.h"

namespace pinlet {

// `html` with the note block inserted right after its body start tag, found
// as a browser parses the HTML (inside no comment, script, style, title or
// attribute value); "" when the HTML has no body tag. Reads the note's text,
// font size, font name and text colour (a document note through CDO); a
// property that cannot be read counts as empty, and the block's style holds
// only the font and colour that are known and pass the allow-list of
// inspector/note_style.h. Reported as "basMainProc(Function NoteIntoHTML)",
// returning "".
std::string NoteIntoHTML(AddinContext& ctx, const ol::ItemPtr& note,
                         const std::string& html);

// Steps 1 to 7 of the insertion: a new unsaved mail in the Inbox with the
// source's addressees and subject, the note's text on top of the source's
// body (in the HTML when the source has a body tag, else in the plain
// text), and the attachments of the source and of the note. Raises when the
// mail cannot be made; every later step continues past errors.
ol::ItemPtr BuildNoteMail(AddinContext& ctx, const ol::ItemPtr& source,
                          const ol::ItemPtr& note);

// Shows the new mail (not modal) and takes any "Insert Note" button off its
// window. Raises when Display fails.
void ShowNoteMail(AddinContext& ctx, const ol::ItemPtr& mail);

// Copies every attachment of `from` to `to` through the folder `temp`
// (created for the copy when `from` has attachments, and removed after).
// Each attachment is saved under its safe file name in a subfolder of its
// own and is added only when it was saved. Errors ignored step by step.
void CopyAttachmentsThrough(AddinContext& ctx, const ol::ItemPtr& from,
                            const ol::ItemPtr& to, const std::string& temp);

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_NOTE_INSERTION_H_
