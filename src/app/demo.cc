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
# -- Attachments and reminders: a block of its own; it leaves no note window open.
say "-- A note carries files: one is attached from My Documents, a program is refused --"
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
expect "reminder: 12/9/2026 9:30 AM (indicator shown)"
form frmComments close
# -- End of attachments and reminders.
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
