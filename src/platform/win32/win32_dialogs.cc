#include "platform/win32/win32_dialogs.h"

#include <windows.h>
// After windows.h, which it expects.
#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <vector>

#include "platform/wide_text.h"
#include "platform/win32/twips.h"

namespace pinlet {
namespace {

// Room for the chosen path: far more than MAX_PATH, as a path the system
// gives back may be longer than the classic limit.
constexpr size_t kFileBufferSize = 32 * MAX_PATH;

HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(window));
}

// The wide text, or nullptr for an empty one (the system's "use your own").
const wchar_t* OrNull(const std::wstring& text) {
  return text.empty() ? nullptr : text.c_str();
}

bool Failed(uint32_t& extended_error) {
  extended_error = CommDlgExtendedError();
  return false;
}

LOGFONTW ToLogFont(const Font& font) {
  LOGFONTW logfont{};
  // A negative height asks for the character height, which is the point
  // size; a point is 20 twips.
  logfont.lfHeight = -TwipsToPixelsY(static_cast<int32_t>(std::lround(font.size * 20)));
  logfont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  logfont.lfItalic = font.italic;
  logfont.lfUnderline = font.underline;
  logfont.lfStrikeOut = font.strikeout;
  logfont.lfCharSet = DEFAULT_CHARSET;
  std::wstring name = Wide(font.name).substr(0, LF_FACESIZE - 1);
  std::wcsncpy(logfont.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  return logfont;
}

}  // namespace

std::wstring FilterList(std::string_view filter) {
  if (filter.empty()) return L"";
  std::wstring list = Wide(filter);
  std::replace(list.begin(), list.end(), L'|', L'\0');
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

bool Win32Dialogs::ShowColor(ColorDialog& dialog) {
  COLORREF custom[16];
  std::copy(dialog.custom_colors.begin(), dialog.custom_colors.end(), custom);
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = ToHwnd(dialog.owner);
  choose.rgbResult = dialog.color;
  choose.lpCustColors = custom;
  choose.Flags = dialog.flags;
  bool chosen = ChooseColorW(&choose);
  // The custom colours as the user left them, chosen or not.
  std::copy(custom, custom + 16, dialog.custom_colors.begin());
  if (!chosen) return Failed(dialog.extended_error);
  dialog.color = choose.rgbResult;
  dialog.extended_error = cderr::kNone;
  return true;
}

bool Win32Dialogs::ShowFont(FontDialog& dialog) {
  if ((dialog.flags & cf_font::kLimitSize) && dialog.min_size > dialog.max_size) {
    dialog.extended_error = cderr::kMaxLessThanMin;
    return false;
  }
  LOGFONTW logfont = ToLogFont(dialog.font);
  CHOOSEFONTW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = ToHwnd(dialog.owner);
  choose.lpLogFont = &logfont;
  choose.Flags = dialog.flags | CF_INITTOLOGFONTSTRUCT;
  choose.rgbColors = dialog.font.color;
  choose.nSizeMin = dialog.min_size;
  choose.nSizeMax = dialog.max_size;
  if (!ChooseFontW(&choose)) return Failed(dialog.extended_error);
  Font& font = dialog.font;
  font.name = Narrow(logfont.lfFaceName);
  font.size = choose.iPointSize / 10.0;
  font.bold = logfont.lfWeight >= FW_BOLD;
  font.italic = logfont.lfItalic != 0;
  font.underline = logfont.lfUnderline != 0;
  font.strikeout = logfont.lfStrikeOut != 0;
  if (dialog.flags & cf_font::kEffects) font.color = choose.rgbColors;
  dialog.extended_error = cderr::kNone;
  return true;
}

bool Win32Dialogs::ShowOpen(FileDialog& dialog) { return ShowFile(dialog, false); }

bool Win32Dialogs::ShowSave(FileDialog& dialog) { return ShowFile(dialog, true); }

bool Win32Dialogs::ShowFile(FileDialog& dialog, bool save) {
  std::wstring filter = FilterList(dialog.filter);
  std::wstring folder = Wide(dialog.initial_folder);
  std::wstring extension = Wide(dialog.default_extension);
  std::wstring title = Wide(dialog.title);
  std::vector<wchar_t> file(kFileBufferSize, L'\0');
  std::wstring start = Wide(dialog.file_name).substr(0, kFileBufferSize - 1);
  std::copy(start.begin(), start.end(), file.begin());

  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = ToHwnd(dialog.owner);
  open.lpstrFilter = OrNull(filter);
  open.nFilterIndex = dialog.filter_index;
  open.lpstrFile = file.data();
  open.nMaxFile = static_cast<DWORD>(file.size());
  open.lpstrInitialDir = OrNull(folder);
  open.lpstrTitle = OrNull(title);
  open.Flags = dialog.flags;
  open.lpstrDefExt = OrNull(extension);
  if (!(save ? GetSaveFileNameW(&open) : GetOpenFileNameW(&open)))
    return Failed(dialog.extended_error);
  dialog.file_name = Narrow(file.data());
  dialog.filter_index = static_cast<int>(open.nFilterIndex);
  dialog.extended_error = cderr::kNone;
  return true;
}

}  // namespace pinlet
