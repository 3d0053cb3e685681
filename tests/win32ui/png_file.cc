#include "png_file.h"

#include <zlib.h>

#include <fstream>

namespace pinlet::testing {
namespace {

void AppendBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<char>(value >> shift));
}

// A chunk: its data's length, its type, the data, and the CRC of the type
// and the data.
void AppendChunk(std::string& out, const char (&type)[5], const std::string& data) {
  AppendBigEndian(out, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(body.data()),
              static_cast<uInt>(body.size()));
  AppendBigEndian(out, static_cast<uint32_t>(crc));
}

}  // namespace

std::string EncodePng(const Image& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height)
    return "";
  std::string header;
  AppendBigEndian(header, static_cast<uint32_t>(image.width));
  AppendBigEndian(header, static_cast<uint32_t>(image.height));
  header +=
      std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filters, none

  std::string raw;
  raw.reserve(static_cast<size_t>(image.height) * (1 + 3 * image.width));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back('\0');  // the row's filter: None
    for (int x = 0; x < image.width; ++x) {
      uint32_t colour = image.pixels[static_cast<size_t>(y) * image.width + x];
      raw.push_back(static_cast<char>(colour & 0xFF));
      raw.push_back(static_cast<char>(colour >> 8 & 0xFF));
      raw.push_back(static_cast<char>(colour >> 16 & 0xFF));
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string compressed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
    return "";
  compressed.resize(size);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", compressed);
  AppendChunk(png, "IEND", "");
  return png;
}

bool WritePng(const std::string& path, const Image& image) {
  std::string png = EncodePng(image);
  if (png.empty()) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace pinlet::testing
