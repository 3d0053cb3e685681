// A picture as the add-in hands it to the host: a small bitmap with real pixels.
//
// Command-bar faces, their masks and the note window's button images are all
// Pictures. Pixels are 24-bit colours in the host's order, red in the low byte
// (0x00BBGGRR), stored row by row from the top-left corner. An empty Picture
// (no pixels) stands for "no picture".
#ifndef PINLET_PLATFORM_PICTURE_H_
#define PINLET_PLATFORM_PICTURE_H_

#include <cstdint>
#include <vector>

namespace pinlet {

struct Picture {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 24;       // as the resource declares it (24 or 32)
  std::vector<uint32_t> pixels;  // width * height colours, 0x00BBGGRR

  bool empty() const { return pixels.empty(); }
  // The colour at (x, y). Requires 0 <= x < width and 0 <= y < height.
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kMagenta = 0xFF00FF;

}  // namespace pinlet

#endif  // PINLET_PLATFORM_PICTURE_H_
