// Commands for what the note window printed: the last page handed to the
// shell's "print" verb, shown as its path and HTML, and opened in a browser
// of this machine when one is installed. Printing itself is a click of the
// note window's print button (note click imgTextPrint).
#include <spawn.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "app/driver.h"
#include "app/printable.h"
#include "platform/file_names.h"

extern char** environ;

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

// A program of this machine that opens a web page: $BROWSER, else the
// first of the usual ones found on the PATH; "" when there is none.
std::string FindBrowser() {
  if (const char* browser = std::getenv("BROWSER"); browser && *browser) return browser;
  const char* path = std::getenv("PATH");
  if (!path) return "";
  static const char* const kBrowsers[] = {
      "xdg-open", "sensible-browser", "x-www-browser", "firefox",
      "chromium", "chromium-browser", "google-chrome"};
  for (const char* name : kBrowsers) {
    std::string dirs = path;
    size_t start = 0;
    while (start <= dirs.size()) {
      size_t end = dirs.find(':', start);
      if (end == std::string::npos) end = dirs.size();
      std::filesystem::path candidate =
          std::filesystem::path(dirs.substr(start, end - start)) / name;
      if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate.string();
      start = end + 1;
    }
  }
  return "";
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
  // It goes into a folder of its own, made for this copy, so that nothing
  // another user placed in the shared temporary folder is written through.
  std::string name =
      SafeFileName(call->file.substr(call->file.find_last_of('\\') + 1), "page.htm");
  std::error_code ec;
  std::string pattern =
      (std::filesystem::temp_directory_path(ec) / "pinlet-print-XXXXXX");
  if (ec || !mkdtemp(pattern.data())) {
    error = "cannot make a folder for a copy of the page in the temporary folder";
    return 2;
  }
  std::filesystem::path copy = std::filesystem::path(pattern) / name;
  std::ofstream file(copy, std::ios::binary);
  file << *page;
  file.close();
  if (!file) {
    error = "cannot write a copy of the page to " + copy.string();
    return 2;
  }
  std::string browser = FindBrowser();
  if (browser.empty()) {
    out << "no browser is installed; the page is at " << copy.string() << "\n";
    return 0;
  }
  std::string target = copy.string();
  char* argv[] = {browser.data(), target.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, browser.c_str(), nullptr, nullptr, argv, environ) != 0) {
    out << "cannot start " << browser << "; the page is at " << target << "\n";
    return 0;
  }
  out << "opened " << target << " with " << browser << "\n";
  return 0;
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
