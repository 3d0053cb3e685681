#include "platform/clipboard.h"

#include "platform/text.h"

namespace pinlet {

std::string TextBlock(std::string_view utf8) {
  std::string block = Utf8ToCp1252(utf8);
  block += '\0';
  return block;
}

std::string UnicodeTextBlock(std::string_view utf8) {
  std::string block;
  for (char16_t unit : Utf8ToUtf16(utf8)) {
    block += static_cast<char>(unit & 0xFF);
    block += static_cast<char>(unit >> 8);
  }
  block.append(2, '\0');
  return block;
}

std::string TextFromBlock(std::string_view block) {
  return Cp1252ToUtf8(block.substr(0, block.find('\0')));
}

std::string TextFromUnicodeBlock(std::string_view block) {
  std::u16string units;
  for (size_t i = 0; i + 1 < block.size(); i += 2) {
    char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(block[i]) |
                                          static_cast<unsigned char>(block[i + 1]) << 8);
    if (unit == 0) break;
    units += unit;
  }
  return Utf16ToUtf8(units);
}

}  // namespace pinlet
