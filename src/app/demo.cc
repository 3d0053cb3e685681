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
show registry "Software\Zarvo\Pinlet\folders"
say ""
say "-- Start-up complete: the support library is loaded --"
show addin
expect "support library: loaded"
say ""
say "-- Settings are read when needed; text that is not a number reads as off --"
registry set "Software\Zarvo\Pinlet\Note" NotesInOneWindow "yes please"
registry get "Software\Zarvo\Pinlet\Note" NotesInOneWindow
say ""
say "-- Outlook shuts down: note windows close last-opened first, then Pinlet unloads --"
stop
expect "host closed"
expect not "ERROR"
say ""
say "== Demo complete =="
)";
  return kScript;
}

}  // namespace pinlet::app
