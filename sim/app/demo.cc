#include "sim/app/demo.h"

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
say "-- The main road: the user selects a mail; Pinlet's toolbar offers Add Note --"
select Inbox "Lunch on Thursday?"
expect "Pinlet ToolBar: \"Add Note\""
say ""
# -- The note window tour: a block of its own; it needs Outlook running and
# -- leaves no note window open.
say "-- Add Note opens a new sticky note, ready for typing --"
click "Add Note"
expect "clicked Pinlet ToolBar/Add Note"
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
form frmComments close
say ""
say "-- A note is stored as an item of the notes folder, linked to its item by EntryID --"
show item Notes/Pinlet 1
expect "ZPNTitle = Lunch on Thursday?"
say ""
say "-- Selected again, the item offers View Note; the note is as it was left --"
select Inbox 1
select Inbox "Lunch on Thursday?"
expect "Pinlet ToolBar: \"View Note\""
click "View Note"
show note
expect "font \"Verdana\" 10 bold"
say ""
say "-- Filter lists the items that carry a note; pressed again, the folder's view is back --"
click Filter
show items Inbox
expect "* 2. [IPM.Note] Lunch on Thursday?"
click Filter
show selection
expect "view \"Messages\""
say ""
say "-- An option takes effect: items that get a note are now flagged, purple --"
answer form frmOptions choose TabStrip1 "Item Related" ; set chkMarkWithFlag 1 ; choose cboFlags "Purple Flag" ; click cmdOK
options
expect "FlagIndex: (absent) -> \"1\""
select Inbox "Holiday rota"
click "Add Note"
note type "Mine: 3 to 14 August"
form frmComments close
show item Inbox "Holiday rota"
expect "FlagRequest: Item with note"
select Inbox "Lunch on Thursday?"
click "View Note"
say ""
say "-- Delete note asks first; nothing of the note is left, not even in Deleted Items --"
answer yes "Are you sure you want to delete the note"
note hover Text
note click imgNoteDelete
show items "Deleted Items"
expect "0 items"
show selection
expect "Pinlet ToolBar: \"Add Note\""
# -- End of the note window tour.
# -- Printing: a block of its own; it leaves no note window open.
say ""
say "-- Print: the note and its mail become an HTML page for the shell's print verb --"
registry set "Software\Zarvo\Pinlet\Note" PrintItem 1
note open Inbox "Board slides"
note hover Text
note type "New charts <by Friday>"
note click imgTextPrint
show printed
expect "From: Mia Chen On Behalf Of Dana Whitfield"
expect "New charts &lt;by Friday&gt;"
say ""
say "-- The page holds mail content: it is deleted when the note window closes --"
note key Ctrl+F4
show printed
expect "the page is gone"
# -- End of printing.
say ""
# -- Attachments and reminders: a block of its own; it leaves no note window open.
say "-- A note carries files: one is attached from My Documents and listed --"
file write "C:\Documents and Settings\User\My Documents\agenda.txt" "1. Budget"
note open Inbox "Board slides"
note attach "C:\Documents and Settings\User\My Documents\agenda.txt"
note attachments
expect "1. agenda.txt: 9 bytes"
say ""
say "-- A reminder on a mail's note becomes Outlook's own reminder on the mail --"
note reminder 12/9/2026 "9:30 AM"
show reminder Inbox "Board slides"
expect "ReminderSet True"
show note
expect "reminder: 12/9/2026 9:30 AM (indicator"
form frmComments close
# -- End of attachments and reminders.
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
