// An image as a PNG file, for the pictures the tests take of real windows:
// 8-bit RGB (colour type 2), no interlace, every row filtered with None,
// the image data compressed with zlib's compress2 and each chunk's CRC
// from zlib's crc32.
#ifndef PINLET_TESTS_WIN32UI_PNG_FILE_H_
#define PINLET_TESTS_WIN32UI_PNG_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace pinlet::testing {

// Pixels as the system's colours (COLORREF, 0x00BBGGRR), row by row from
// the top; width * height of them.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// The PNG file's bytes; "" for an empty image, one whose pixels do not
// match its size, or when zlib fails.
std::string EncodePng(const Image& image);

// Writes EncodePng(image) to `path` (a path of this machine), replacing the
// file; false when the image cannot be encoded or the file written.
bool WritePng(const std::string& path, const Image& image);

}  // namespace pinlet::testing

#endif  // PINLET_TESTS_WIN32UI_PNG_FILE_H_
