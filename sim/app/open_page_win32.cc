// Opening a page's copy on Windows: a folder of its own under the user's
// temporary folder (CreateDirectory fails rather than reuse one), and the
// shell's "open" verb, which starts the browser registered for the page.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <fstream>
#include <ostream>

#include "sim/app/open_page.h"
#include "platform/text.h"
#include "platform/wide_text.h"

namespace pinlet::app {
namespace {

std::wstring Wide(std::string_view utf8) {
  std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(const std::wstring& wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace

int OpenPageCopy(const std::string& name, std::string_view content, std::ostream& out,
                 std::string& error) {
  wchar_t temp[MAX_PATH + 1] = {};
  if (GetTempPathW(MAX_PATH, temp) == 0) {
    error = "cannot find the temporary folder for a copy of the page";
    return 2;
  }
  std::wstring folder;
  for (unsigned n = 0; n < 100 && folder.empty(); ++n) {
    wchar_t candidate[MAX_PATH + 32];
    wsprintfW(candidate, L"%spinlet-print-%08X", temp,
              GetTickCount() ^ (n * 2654435761u));
    if (CreateDirectoryW(candidate, nullptr)) folder = candidate;
  }
  if (folder.empty()) {
    error = "cannot make a folder for a copy of the page in the temporary folder";
    return 2;
  }
  std::wstring copy = folder + L"\\" + Wide(name);
  {
    std::ofstream file(copy.c_str(), std::ios::binary);
    file << content;
    file.close();
    if (!file) {
      error = "cannot write a copy of the page to " + Narrow(copy);
      return 2;
    }
  }
  HINSTANCE result =
      ShellExecuteW(nullptr, L"open", copy.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(result) <= 32) {
    out << "no browser opens it; the page is at " << Narrow(copy) << "\n";
    return 0;
  }
  out << "opened " << Narrow(copy) << "\n";
  return 0;
}

}  // namespace pinlet::app
