#include "platform/win32ui/window_support.h"

#include <commctrl.h>

#include <cmath>

#include "platform/wide_text.h"
#include "platform/win32/twips.h"

namespace pinlet::win32ui {

GdiFont::GdiFont(const ui::Font& font) {
  LOGFONTW description = {};
  // A point is 20 twips.
  description.lfHeight =
      -TwipsToPixelsY(static_cast<int32_t>(std::lround(font.size * 20.0)));
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikethrough;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  std::wstring face = Wide(font.name);
  face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
  face.copy(description.lfFaceName, face.size());
  handle_ = CreateFontIndirectW(&description);
}

GdiFont::~GdiFont() {
  if (handle_) DeleteObject(handle_);
}

GdiFont& GdiFont::operator=(GdiFont&& other) noexcept {
  if (this != &other) {
    if (handle_) DeleteObject(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

SolidBrush::~SolidBrush() {
  if (handle_) DeleteObject(handle_);
}

HBRUSH SolidBrush::Of(uint32_t colour) {
  if (handle_ && colour_ == colour) return handle_;
  if (handle_) DeleteObject(handle_);
  handle_ = CreateSolidBrush(colour);
  colour_ = colour;
  return handle_;
}

std::wstring WindowTextOf(HWND window) {
  if (!window) return L"";
  int length = GetWindowTextLengthW(window);
  if (length <= 0) return L"";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

const wchar_t* OurWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  HINSTANCE module = ThisModule();
  if (GetClassInfoExW(module, name, &existing)) return name;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = procedure;
  wc.hInstance = module;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
  return name;
}

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES | ICC_USEREX_CLASSES | ICC_DATE_CLASSES |
                     ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)done;
}

int MouseButtons(WPARAM wparam) {
  int button = 0;
  if (wparam & MK_LBUTTON) button |= ui::mouse::kLeft;
  if (wparam & MK_RBUTTON) button |= ui::mouse::kRight;
  if (wparam & MK_MBUTTON) button |= ui::mouse::kMiddle;
  return button;
}

int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ui::shift::kShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ui::shift::kCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ui::shift::kAlt;
  return shift;
}

}  // namespace pinlet::win32ui
