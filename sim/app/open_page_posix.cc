// Opening a page's copy on a POSIX machine: a private folder made with
// mkdtemp, and $BROWSER or the first usual browser on the PATH.
#include <spawn.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "sim/app/open_page.h"

extern char** environ;

namespace pinlet::app {
namespace {

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

}  // namespace

int OpenPageCopy(const std::string& name, std::string_view content, std::ostream& out,
                 std::string& error) {
  std::error_code ec;
  std::string pattern =
      (std::filesystem::temp_directory_path(ec) / "pinlet-print-XXXXXX");
  if (ec || !mkdtemp(pattern.data())) {
    error = "cannot make a folder for a copy of the page in the temporary folder";
    return 2;
  }
  std::filesystem::path copy = std::filesystem::path(pattern) / name;
  std::ofstream file(copy, std::ios::binary);
  file << content;
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

}  // namespace pinlet::app
