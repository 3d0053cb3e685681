#include "platform/dib.h"

#include <cassert>
#include <vector>

namespace pinlet {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr int64_t kMaxSide = 30000;

size_t Stride(int64_t width, int bits) {
  return static_cast<size_t>((width * bits + 31) / 32 * 4);
}

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((v >> shift) & 0xFF));
}
uint32_t Get32(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t Get16(std::string_view b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) |
                               static_cast<uint8_t>(b[at + 1]) << 8);
}

std::string Header(const Picture& picture, int bits, uint32_t colours) {
  std::string out;
  Put32(out, kDibHeaderSize);
  Put32(out, static_cast<uint32_t>(picture.width));
  Put32(out, static_cast<uint32_t>(picture.height));  // positive: bottom-up
  Put16(out, 1);
  Put16(out, static_cast<uint16_t>(bits));
  Put32(out, kBiRgb);
  Put32(out, static_cast<uint32_t>(Stride(picture.width, bits) * picture.height));
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, colours);
  Put32(out, 0);
  return out;
}

uint32_t FromBgr(uint8_t b, uint8_t g, uint8_t r) {
  return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
         static_cast<uint32_t>(b) << 16;
}

}  // namespace

std::string DibFromPicture(const Picture& picture) {
  assert(!picture.empty());
  int bits = picture.bits_per_pixel == 32 ? 32 : 24;
  std::string out = Header(picture, bits, 0);
  size_t stride = Stride(picture.width, bits);
  for (int y = picture.height - 1; y >= 0; --y) {
    size_t row_start = out.size();
    for (int x = 0; x < picture.width; ++x) {
      uint32_t c = picture.At(x, y);
      out.push_back(static_cast<char>((c >> 16) & 0xFF));
      out.push_back(static_cast<char>((c >> 8) & 0xFF));
      out.push_back(static_cast<char>(c & 0xFF));
      if (bits == 32) out.push_back('\0');
    }
    out.resize(row_start + stride, '\0');
  }
  return out;
}

std::string MaskDibFromPicture(const Picture& picture, uint32_t transparent) {
  assert(!picture.empty());
  std::string out = Header(picture, 1, 0);
  Put32(out, 0x00000000);  // entry 0: black, opaque
  Put32(out, 0x00FFFFFF);  // entry 1: white, transparent
  size_t stride = Stride(picture.width, 1);
  for (int y = picture.height - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < picture.width; ++x)
      if (picture.At(x, y) == transparent)
        row[x / 8] |= static_cast<char>(0x80 >> (x % 8));
    out += row;
  }
  return out;
}

std::optional<Picture> PictureFromDib(std::string_view block) {
  if (block.size() < kDibHeaderSize) return std::nullopt;
  uint32_t header_size = Get32(block, 0);
  int64_t width = static_cast<int32_t>(Get32(block, 4));
  int64_t height = static_cast<int32_t>(Get32(block, 8));
  uint16_t planes = Get16(block, 12);
  int bits = Get16(block, 14);
  uint32_t compression = Get32(block, 16);
  uint32_t colours_used = Get32(block, 32);
  bool top_down = height < 0;
  if (top_down) height = -height;
  if (header_size < kDibHeaderSize || header_size > block.size() || planes != 1 ||
      width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return std::nullopt;
  size_t offset = header_size;
  if (compression == kBiBitfields && bits == 32) {
    if (header_size == kDibHeaderSize) {
      if (block.size() < offset + 12) return std::nullopt;
      if (Get32(block, offset) != 0x00FF0000 || Get32(block, offset + 4) != 0x0000FF00 ||
          Get32(block, offset + 8) != 0x000000FF)
        return std::nullopt;
      offset += 12;
    }
  } else if (compression != kBiRgb) {
    return std::nullopt;
  }
  std::vector<uint32_t> table;
  if (bits <= 8) {
    uint32_t entries = colours_used ? colours_used : (1u << bits);
    if (entries > (1u << bits) || block.size() < offset + entries * 4)
      return std::nullopt;
    for (uint32_t i = 0; i < entries; ++i, offset += 4)
      table.push_back(FromBgr(static_cast<uint8_t>(block[offset]),
                              static_cast<uint8_t>(block[offset + 1]),
                              static_cast<uint8_t>(block[offset + 2])));
  }
  size_t stride = Stride(width, bits);
  if ((block.size() - offset) / stride < static_cast<size_t>(height)) return std::nullopt;

  Picture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.bits_per_pixel = bits == 32 ? 32 : 24;
  picture.pixels.resize(static_cast<size_t>(width * height));
  for (int64_t row = 0; row < height; ++row) {
    std::string_view bytes = block.substr(offset + row * stride, stride);
    int64_t y = top_down ? row : height - 1 - row;
    for (int64_t x = 0; x < width; ++x) {
      uint32_t colour;
      if (bits >= 24) {
        size_t at = static_cast<size_t>(x * (bits / 8));
        colour =
            FromBgr(static_cast<uint8_t>(bytes[at]), static_cast<uint8_t>(bytes[at + 1]),
                    static_cast<uint8_t>(bytes[at + 2]));
      } else {
        int64_t bit = x * bits;
        uint8_t byte = static_cast<uint8_t>(bytes[static_cast<size_t>(bit / 8)]);
        uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= table.size()) return std::nullopt;
        colour = table[index];
      }
      picture.pixels[static_cast<size_t>(y * width + x)] = colour;
    }
  }
  return picture;
}

}  // namespace pinlet
