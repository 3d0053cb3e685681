// The Windows clipboard as the add-in uses it: numbered and registered
// formats, each holding one block of bytes as the system's global memory
// block would.
//
// Text formats hold what Windows keeps: CF_TEXT and CF_OEMTEXT single-byte
// text (Windows-1252) ending in one zero byte, CF_UNICODETEXT UTF-16LE ending
// in a zero unit. Like Windows, the clipboard offers the text formats it can
// synthesise from one another: after SetData(CF_TEXT) a GetData of
// CF_UNICODETEXT converts, and EnumFormats lists the synthesised formats
// after the ones that were set.
//
// Failures are answers, as the system's calls give them (false, nullopt, 0),
// never raised errors. Open fails while another window holds the clipboard
// open; the calls that need the clipboard open (Empty, EnumFormats, GetData,
// SetData) fail when this caller has not opened it.
#ifndef PINLET_PLATFORM_CLIPBOARD_H_
#define PINLET_PLATFORM_CLIPBOARD_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pinlet {

// Standard clipboard formats, with the system's numbers.
namespace cf {
constexpr uint32_t kText = 1;
constexpr uint32_t kBitmap = 2;
constexpr uint32_t kOemText = 7;
constexpr uint32_t kDib = 8;
constexpr uint32_t kUnicodeText = 13;
// Formats from RegisterFormat are numbered from here.
constexpr uint32_t kFirstRegistered = 0xC000;
}  // namespace cf

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // OpenClipboard with no owner window; false when it cannot be opened.
  virtual bool Open() = 0;
  // CloseClipboard; false when the clipboard was not open.
  virtual bool Close() = 0;
  // EmptyClipboard: removes every format; false when not opened by the caller.
  virtual bool Empty() = 0;
  // Every available format in the system's order (those set first, then
  // the synthesised ones); empty when not opened by the caller.
  virtual std::vector<uint32_t> EnumFormats() = 0;
  // IsClipboardFormatAvailable; needs no Open.
  virtual bool IsFormatAvailable(uint32_t format) = 0;
  // The bytes of a format (converted for a synthesised text format);
  // nullopt when the format is absent or the clipboard not opened.
  virtual std::optional<std::string> GetData(uint32_t format) = 0;
  // SetClipboardData: the block becomes the clipboard's; false when the
  // clipboard was not opened by the caller.
  virtual bool SetData(uint32_t format, std::string bytes) = 0;
  // RegisterClipboardFormat: the same number for the same name (compared
  // without regard to case); 0 on failure.
  virtual uint32_t RegisterFormat(std::string_view name) = 0;
};

// The text formats' blocks, as Windows lays them out.
std::string TextBlock(std::string_view utf8);         // CF_TEXT (Windows-1252)
std::string UnicodeTextBlock(std::string_view utf8);  // CF_UNICODETEXT
// UTF-8 of a CF_TEXT or CF_OEMTEXT block / of a CF_UNICODETEXT block, up to
// its terminating zero.
std::string TextFromBlock(std::string_view block);
std::string TextFromUnicodeBlock(std::string_view block);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_CLIPBOARD_H_
