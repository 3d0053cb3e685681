#include "platform/win32/win32_clipboard.h"

#include <cstdlib>
#include <cstring>

#include "platform/wide_text.h"

namespace pinlet {
namespace {

// Whether a format's data is a handle of another kind than a global memory
// block, which has no bytes to give or take.
bool HoldsOtherHandle(uint32_t format) {
  switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:  // a block, but around a metafile handle
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return true;
  }
  return (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) ||
         (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
}

// A new movable global block holding `bytes`; nullptr when none can be had.
HGLOBAL GlobalBlock(std::string_view bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block || bytes.empty()) return block;
  void* at = GlobalLock(block);
  if (!at) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(at, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

// The bytes of a global block; nullopt when it cannot be read.
std::optional<std::string> BlockBytes(HANDLE block) {
  SIZE_T size = GlobalSize(block);
  if (size == 0) return std::string();
  const void* at = GlobalLock(block);
  if (!at) return std::nullopt;
  std::string bytes(static_cast<const char*>(at), size);
  GlobalUnlock(block);
  return bytes;
}

// A text block up to its first terminating zero (unit), included.
void CutAtTerminator(uint32_t format, std::string& block) {
  if (format == CF_UNICODETEXT) {
    for (size_t i = 0; i + 1 < block.size(); i += 2) {
      if (block[i] == '\0' && block[i + 1] == '\0') {
        block.resize(i + 2);
        return;
      }
    }
  } else if (format == CF_TEXT || format == CF_OEMTEXT) {
    size_t zero = block.find('\0');
    if (zero != std::string::npos) block.resize(zero + 1);
  }
}

// The bytes of a row of `width` pixels of `bit_count` bits, padded to 4.
uint64_t RowBytes(int64_t width, int bit_count) {
  return static_cast<uint64_t>((width * bit_count + 31) / 32) * 4;
}

// The device-dependent bitmap, of the screen's format, that a packed DIB
// describes; nullptr when the block is no DIB the system can read.
HBITMAP BitmapFromDib(const std::string& dib) {
  BITMAPINFOHEADER header;
  if (dib.size() < sizeof header) return nullptr;
  std::memcpy(&header, dib.data(), sizeof header);
  if (header.biSize < sizeof header || header.biSize > dib.size() ||
      header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1 ||
      header.biBitCount == 0 || header.biBitCount > 32)
    return nullptr;
  uint64_t colours = header.biClrUsed;
  if (colours == 0 && header.biBitCount <= 8) colours = uint64_t{1} << header.biBitCount;
  if (colours > 256) return nullptr;
  uint64_t masks =
      header.biSize == sizeof header && header.biCompression == BI_BITFIELDS ? 12 : 0;
  uint64_t bits_at = header.biSize + masks + colours * 4;
  uint64_t bits_size =
      header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS
          ? RowBytes(header.biWidth, header.biBitCount) * std::llabs(header.biHeight)
          : header.biSizeImage;
  if (bits_at + bits_size > dib.size()) return nullptr;
  HDC screen = GetDC(nullptr);
  if (!screen) return nullptr;
  HBITMAP bitmap =
      CreateDIBitmap(screen, &header, CBM_INIT, dib.data() + bits_at,
                     reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// A bitmap as a packed DIB: 32 bits per pixel when it has 32, else 24,
// uncompressed and bottom-up; nullopt when it cannot be read.
std::optional<std::string> DibFromBitmap(HBITMAP bitmap) {
  BITMAP described;
  if (!GetObjectW(bitmap, sizeof described, &described) || described.bmWidth <= 0 ||
      described.bmHeight <= 0)
    return std::nullopt;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = described.bmWidth;
  header.biHeight = described.bmHeight;
  header.biPlanes = 1;
  header.biBitCount = described.bmBitsPixel == 32 ? 32 : 24;
  header.biCompression = BI_RGB;
  uint64_t bits_size = RowBytes(header.biWidth, header.biBitCount) * header.biHeight;
  header.biSizeImage = static_cast<DWORD>(bits_size);
  std::string dib(sizeof header + bits_size, '\0');
  // GetDIBits may write the colour masks after the header it is given.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD masks[3];
  } info = {header, {}};
  HDC screen = GetDC(nullptr);
  if (!screen) return std::nullopt;
  int rows = GetDIBits(screen, bitmap, 0, described.bmHeight, dib.data() + sizeof header,
                       reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != described.bmHeight) return std::nullopt;
  std::memcpy(dib.data(), &header, sizeof header);
  return dib;
}

}  // namespace

Win32Clipboard::~Win32Clipboard() {
  if (opened_here()) CloseClipboard();
  if (window_) DestroyWindow(window_);
}

HWND Win32Clipboard::Window() {
  // A window of the system's STATIC class: its window procedure is the
  // system's, so no code of this module is left behind in a window class
  // when the module is unloaded.
  if (!window_)
    window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              nullptr, nullptr);
  return window_;
}

bool Win32Clipboard::opened_here() const {
  return window_ && GetOpenClipboardWindow() == window_;
}

bool Win32Clipboard::Open() {
  HWND window = Window();
  return window && OpenClipboard(window);
}

bool Win32Clipboard::Close() { return opened_here() && CloseClipboard(); }

bool Win32Clipboard::Empty() { return opened_here() && EmptyClipboard(); }

std::vector<uint32_t> Win32Clipboard::EnumFormats() {
  std::vector<uint32_t> formats;
  if (!opened_here()) return formats;
  for (UINT format = EnumClipboardFormats(0); format != 0;
       format = EnumClipboardFormats(format))
    formats.push_back(format);
  return formats;
}

bool Win32Clipboard::IsFormatAvailable(uint32_t format) {
  return IsClipboardFormatAvailable(format);
}

std::optional<std::string> Win32Clipboard::GetData(uint32_t format) {
  if (!opened_here() || (HoldsOtherHandle(format) && format != CF_BITMAP))
    return std::nullopt;
  HANDLE data = GetClipboardData(format);
  if (!data) return std::nullopt;
  if (format == CF_BITMAP) return DibFromBitmap(static_cast<HBITMAP>(data));
  std::optional<std::string> bytes = BlockBytes(data);
  if (bytes) CutAtTerminator(format, *bytes);
  return bytes;
}

bool Win32Clipboard::SetData(uint32_t format, std::string bytes) {
  if (!opened_here() || format == 0) return false;
  if (format == CF_BITMAP) {
    HBITMAP bitmap = BitmapFromDib(bytes);
    if (!bitmap) return false;
    if (SetClipboardData(CF_BITMAP, bitmap)) return true;
    DeleteObject(bitmap);
    return false;
  }
  if (HoldsOtherHandle(format)) return false;
  HGLOBAL block = GlobalBlock(bytes);
  if (!block) return false;
  if (SetClipboardData(format, block)) return true;
  GlobalFree(block);
  return false;
}

uint32_t Win32Clipboard::RegisterFormat(std::string_view name) {
  if (name.empty()) return 0;
  return RegisterClipboardFormatW(Wide(name).c_str());
}

}  // namespace pinlet
