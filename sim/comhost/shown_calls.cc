#include "sim/comhost/shown_calls.h"

#include <cstdlib>
#include <utility>

#include "platform/wide_text.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/window_support.h"

namespace pinlet::comhost {
namespace {

// The live watcher, for the redirected calls to reach the originals; the
// call whose window is up.
const RedirectedImports* g_watched = nullptr;
std::optional<ShownSurface> g_shown;

std::string Text(LPCWSTR text) { return text ? Narrow(text) : std::string(); }

// The original of a watched call.
template <typename Function>
Function Original(const char* name) {
  return reinterpret_cast<Function>(g_watched->original(name));
}

// Holds `shown` as the call whose window is up, for the life of the call.
class Showing {
 public:
  explicit Showing(ShownSurface shown) { g_shown = std::move(shown); }
  ~Showing() { g_shown.reset(); }
  Showing(const Showing&) = delete;
  Showing& operator=(const Showing&) = delete;
};

int WINAPI WatchedMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  ShownSurface shown;
  shown.style = static_cast<int>(type);
  Showing showing(std::move(shown));
  return Original<decltype(&MessageBoxW)>("MessageBoxW")(owner, text, caption, type);
}

BOOL WINAPI WatchedChooseColor(LPCHOOSECOLORW choose) {
  Showing showing(ShownColor(*choose));
  return Original<decltype(&ChooseColorW)>("ChooseColorW")(choose);
}

BOOL WINAPI WatchedChooseFont(LPCHOOSEFONTW choose) {
  Showing showing(ShownFont(*choose));
  return Original<decltype(&ChooseFontW)>("ChooseFontW")(choose);
}

BOOL WINAPI WatchedOpen(LPOPENFILENAMEW open) {
  Showing showing(ShownFile(*open, false));
  return Original<decltype(&GetOpenFileNameW)>("GetOpenFileNameW")(open);
}

BOOL WINAPI WatchedSave(LPOPENFILENAMEW open) {
  Showing showing(ShownFile(*open, true));
  return Original<decltype(&GetSaveFileNameW)>("GetSaveFileNameW")(open);
}

const Redirect kWatched[] = {
    {"user32.dll", "MessageBoxW", reinterpret_cast<void*>(&WatchedMessageBox)},
    {"comdlg32.dll", "ChooseColorW", reinterpret_cast<void*>(&WatchedChooseColor)},
    {"comdlg32.dll", "ChooseFontW", reinterpret_cast<void*>(&WatchedChooseFont)},
    {"comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void*>(&WatchedOpen)},
    {"comdlg32.dll", "GetSaveFileNameW", reinterpret_cast<void*>(&WatchedSave)},
};

// The filter as pairs joined by "|", from the list of NUL-terminated
// strings that ends in an empty one.
std::string FilterText(LPCWSTR list) {
  std::string filter;
  for (LPCWSTR part = list; part && *part; part += std::wcslen(part) + 1)
    filter += (filter.empty() ? "" : "|") + Narrow(part);
  return filter;
}

}  // namespace

ShownSurface ShownColor(const CHOOSECOLORW& choose) {
  ShownSurface shown;
  shown.kind = ShownSurface::Kind::kColor;
  ColorDialog& d = shown.color;
  d.owner = win32ui::HandleOf(choose.hwndOwner);
  d.flags = choose.Flags;
  d.color = choose.rgbResult;
  if (choose.lpCustColors)
    std::copy(choose.lpCustColors, choose.lpCustColors + 16, d.custom_colors.begin());
  return shown;
}

ShownSurface ShownFont(const CHOOSEFONTW& choose) {
  ShownSurface shown;
  shown.kind = ShownSurface::Kind::kFont;
  FontDialog& d = shown.font;
  d.owner = win32ui::HandleOf(choose.hwndOwner);
  // The add-in always starts the dialog from its font; the flag is the
  // system's, not part of the add-in's description.
  d.flags = choose.Flags & ~static_cast<DWORD>(CF_INITTOLOGFONTSTRUCT);
  d.min_size = choose.nSizeMin;
  d.max_size = choose.nSizeMax;
  d.font.color = choose.rgbColors;
  if (const LOGFONTW* logfont = choose.lpLogFont) {
    d.font.name = Narrow(logfont->lfFaceName);
    d.font.size = PixelsToTwipsY(std::abs(logfont->lfHeight)) / 20.0;
    d.font.bold = logfont->lfWeight >= FW_BOLD;
    d.font.italic = logfont->lfItalic != 0;
    d.font.underline = logfont->lfUnderline != 0;
    d.font.strikeout = logfont->lfStrikeOut != 0;
  }
  return shown;
}

ShownSurface ShownFile(const OPENFILENAMEW& open, bool save) {
  ShownSurface shown;
  shown.kind = save ? ShownSurface::Kind::kSave : ShownSurface::Kind::kOpen;
  FileDialog& d = shown.file;
  d.owner = win32ui::HandleOf(open.hwndOwner);
  d.filter = FilterText(open.lpstrFilter);
  d.filter_index = static_cast<int>(open.nFilterIndex);
  d.initial_folder = Text(open.lpstrInitialDir);
  d.file_name = Text(open.lpstrFile);
  d.default_extension = Text(open.lpstrDefExt);
  d.flags = open.Flags;
  d.title = Text(open.lpstrTitle);
  return shown;
}

ShownCalls::ShownCalls(HMODULE module) : watched_(module, kWatched) {
  g_watched = &watched_;
  if (!watched_.missing().empty())
    error_ = "the add-in's calls of " + watched_.missing() + " cannot be watched";
}

ShownCalls::~ShownCalls() {
  g_watched = nullptr;
  g_shown.reset();
}

std::optional<ShownSurface> ShownCalls::Take() {
  return std::exchange(g_shown, std::nullopt);
}

}  // namespace pinlet::comhost
