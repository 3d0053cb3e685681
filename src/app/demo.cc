#include "app/demo.h"

namespace pinlet::app {

const std::string& DemoScript() {
  static const std::string kScript = R"(# The guided tour of pinlet demo.
say "== Pinlet demo: a simulated Outlook 2003 with the sample mailbox =="
say ""
say "-- Outlook starts and loads Pinlet through its registered class Pinlet.Connect --"
start
expect "connector: Outlook"
say ""
say "-- At connection Pinlet finds or creates its notes folder and caches its identifiers --"
show folders
expect "[notes folder]"
show registry "Software\Zarvo\Pinlet\folders"
say ""
say "-- Start-up complete: the support library is loaded --"
show addin
expect "support library: loaded"
say ""
say "-- A note is stored as an item of the notes folder, linked to its item by EntryID --"
note add Inbox "Board slides"
expect "note added"
show item Notes/Pinlet 1
say ""
say "-- The item that carries the note is marked; the filter view lists such items --"
filter on Inbox
show items Inbox
expect "* 6. [IPM.Note] Board slides"
filter off Inbox
say ""
# -- The note window tour: a block of its own; it needs Outlook running and
# -- leaves no note window open.
say "-- The note window: Add Note opens a new sticky note, ready for typing --"
note open Inbox "Lunch on Thursday?"
expect "a new note"
note type "Book a table for four"
note key Enter
note click imgAddDate
show note
expect "state: edit"
say ""
say "-- Its colour and font come from the colour and font dialogs --"
answer colour 0xCCFFCC
note click imgTextColor
answer font Verdana 10 bold
note click imgTextFont
say ""
say "-- Kept on top; once the user is back in Outlook it folds to its view state --"
note click imgNoteOnTop
activate window "Inbox - Microsoft Outlook"
tick 1000
show note
expect "top-most"
expect "state: view"
say ""
say "-- Closed and opened again, the note is as it was left --"
form frmComments close
note open Inbox "Lunch on Thursday?"
expect "the item's note"
show note
expect "font \"Verdana\" 10 bold"
say ""
say "-- Delete note asks first; nothing of the note is left, not even in Deleted Items --"
answer yes "Are you sure you want to delete the note"
note hover Text
note click imgNoteDelete
show items "Deleted Items"
expect "0 items"
# -- End of the note window tour.
say ""
# -- Replies: a block of its own; it needs Outlook running and leaves no
# -- window open.
say "-- Replying to a mail with a note: the note stands at the top of the reply, its file attached --"
registry set "Software\Zarvo\Pinlet\Note" ReplyForward 1
registry set "Software\Zarvo\Pinlet\Note" WarningOnNoteInsertion 0
note open Inbox "Customer visit: Norvale Ltd"
note type "Ask about the second site"
form frmComments close
file write "C:\Documents and Settings\User\My Documents\visit.txt" "10:30 arrival"
note file Inbox "Customer visit: Norvale Ltd" "C:\Documents and Settings\User\My Documents\visit.txt"
select Inbox "Customer visit: Norvale Ltd"
reply
show inspector
expect "Ask about the second site"
expect "visit.txt"
close item
# -- End of the replies.
say ""
say "-- Outlook shuts down: note windows close last-opened first, then Pinlet unloads --"
stop
expect "host closed"
expect not "DEFECT"
say ""
say "== Demo complete =="
)";
  return kScript;
}

}  // namespace pinlet::app
