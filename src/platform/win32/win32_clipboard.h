// The clipboard of platform/clipboard.h through the system's calls
// (OpenClipboard, EmptyClipboard, EnumClipboardFormats, GetClipboardData,
// SetClipboardData, IsClipboardFormatAvailable, RegisterClipboardFormatW).
//
// Blocks cross as the system's global memory blocks (GlobalAlloc with
// GMEM_MOVEABLE, read through GlobalLock and GlobalSize), their bytes kept
// exactly; the system owns a block once SetClipboardData took it (an empty
// block is the system's to take or refuse: Wine refuses it). A text
// format's block is read up to its first terminating zero (unit), so a text
// the system synthesised carries no padding the system may give it. The
// system's own synthesis and order of formats are the answers (on Wine and
// Windows that includes CF_LOCALE after a text format is set).
//
// CF_BITMAP is a GDI bitmap in Windows, not bytes. SetData(CF_BITMAP, a
// packed DIB) makes a device-dependent bitmap of the screen's format from it
// (CreateDIBitmap) and hands that to the clipboard; GetData(CF_BITMAP) gives
// the clipboard's bitmap back as a packed DIB (GetDIBits): 32 bits per pixel
// when the bitmap has 32, else 24, uncompressed and bottom-up. A block that
// is no DIB is refused. The other formats whose data is a handle rather than
// a memory block (metafiles, palettes, the display and private ranges) have
// no bytes: GetData answers nullopt and SetData refuses them.
//
// SetClipboardData needs the clipboard owned by a window (the documented rule
// for an OpenClipboard(NULL) followed by EmptyClipboard), so each object opens
// the clipboard with a hidden message-only window of its own, made on first
// use on the calling thread. "Opened by the caller" means opened by that
// window: two objects in one thread hold the clipboard apart, as two
// programs would. All calls must come from the thread of the first one.
#ifndef PINLET_PLATFORM_WIN32_WIN32_CLIPBOARD_H_
#define PINLET_PLATFORM_WIN32_WIN32_CLIPBOARD_H_

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"

namespace pinlet {

class Win32Clipboard : public Clipboard {
 public:
  Win32Clipboard() = default;
  // Closes the clipboard if this object holds it open, and destroys the
  // window.
  ~Win32Clipboard() override;
  Win32Clipboard(const Win32Clipboard&) = delete;
  Win32Clipboard& operator=(const Win32Clipboard&) = delete;

  bool Open() override;
  bool Close() override;
  bool Empty() override;
  std::vector<uint32_t> EnumFormats() override;
  bool IsFormatAvailable(uint32_t format) override;
  std::optional<std::string> GetData(uint32_t format) override;
  bool SetData(uint32_t format, std::string bytes) override;
  uint32_t RegisterFormat(std::string_view name) override;

  // True while this object's window holds the clipboard open.
  bool opened_here() const;

 private:
  // The owner window, made on first use; nullptr when it cannot be made.
  HWND Window();

  HWND window_ = nullptr;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_CLIPBOARD_H_
