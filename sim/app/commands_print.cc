// Commands for what the note window printed: the last page handed to the
// shell's "print" verb, shown as its path and HTML, and opened in a browser
// of this machine when one is installed. Printing itself is a click of the
// note window's print button (note click imgTextPrint).
#include <ostream>

#include "sim/app/driver.h"
#include "sim/app/open_page.h"
#include "platform/display_text.h"
#include "platform/file_names.h"

namespace pinlet::app {
namespace {

// The last ShellExecute with the verb "print", or nullptr.
const sim::SimShell::ExecuteRecord* LastPrint(Driver& d) {
  const auto& calls = d.world().shell.executed();
  for (auto it = calls.rbegin(); it != calls.rend(); ++it)
    if (it->verb == "print") return &*it;
  return nullptr;
}

int ShowPrinted(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (!args.empty()) return 2;
  const sim::SimShell::ExecuteRecord* call = LastPrint(d);
  if (!call) {
    out << "(nothing was printed)\n";
    return 0;
  }
  out << "printed \"" << Printable(call->file) << "\" -> " << call->result
      << (call->result > 32 ? "" : " (not printed)") << "\n";
  // Looking is the machine's own work, not a call of the add-in's.
  std::optional<std::string> page = d.world().files.Peek(call->file);
  if (!page) {
    out << "  the page is gone: it is deleted when its note window closes\n";
    return 0;
  }
  out << "  " << page->size() << " bytes of HTML:\n  " << PrintableLines(*page, "  ")
      << "\n";
  return 0;
}

int OpenPrinted(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string& error) {
  if (!args.empty()) return 2;
  const sim::SimShell::ExecuteRecord* call = LastPrint(d);
  std::optional<std::string> page;
  if (call) page = d.world().files.Peek(call->file);
  if (!page) {
    error = call ? "the printed page is gone (its note window closed)"
                 : "nothing was printed (note click imgTextPrint)";
    return 2;
  }
  // The page lives on the simulated machine; a copy on this one is opened.
  std::string name =
      SafeFileName(call->file.substr(call->file.find_last_of('\\') + 1), "page.htm");
  return OpenPageCopy(name, *page, out, error);
}

}  // namespace

void AddPrintCommands(std::map<std::string, Command>& c) {
  c["show printed"] = {"show printed",
                       "the last page the note window handed to the shell to print: "
                       "its path and its HTML",
                       ShowPrinted};
  c["open printed"] = {"open printed",
                       "open a copy of the last printed page in this machine's browser, "
                       "or say where the copy is when none is installed",
                       OpenPrinted};
}

}  // namespace pinlet::app
