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
