// A picture of the simulated screen or of one window: 24-bit pixels that
// cairo draws, writes as PNG and reads back.
//
// One pixel of the picture is one pixel of the simulated screen at 96 dots
// per inch, so a window of W twips is W / 15 pixels wide. Colours are
// 0x00BBGGRR, as everywhere in the host.
#ifndef PINLET_SIM_RENDER_IMAGE_H_
#define PINLET_SIM_RENDER_IMAGE_H_

#include <cstdint>
#include <optional>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace pinlet::render {

class Image {
 public:
  // An empty picture, 0 by 0.
  Image() = default;
  // A picture of that size (each at least 1), filled with `colour`.
  Image(int width, int height, uint32_t colour = 0);
  ~Image();
  Image(Image&& other) noexcept;
  Image& operator=(Image&& other) noexcept;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return surface_ == nullptr; }
  // The colour at (x, y); requires 0 <= x < width() and 0 <= y < height().
  uint32_t Pixel(int x, int y) const;

  // Writes the picture as a PNG file, replacing one that is there. False
  // with `error` set when it cannot be written (or the picture is empty).
  bool WritePng(const std::string& path, std::string& error) const;
  // Reads a PNG file; nullopt with `error` set when it cannot be read.
  static std::optional<Image> ReadPng(const std::string& path, std::string& error);

  // For the canvas that draws on it.
  cairo_surface_t* surface() const { return surface_; }

 private:
  cairo_surface_t* surface_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace pinlet::render

#endif  // PINLET_SIM_RENDER_IMAGE_H_
