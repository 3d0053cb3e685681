#include "sim/render/image.h"

#include <cairo.h>

#include <algorithm>
#include <utility>

namespace pinlet::render {
namespace {

uint32_t* Row(cairo_surface_t* surface, int y) {
  unsigned char* data = cairo_image_surface_get_data(surface);
  return reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) *
                                                cairo_image_surface_get_stride(surface));
}

}  // namespace

Image::Image(int width, int height, uint32_t colour)
    : width_(std::max(1, width)), height_(std::max(1, height)) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
  // cairo keeps a pixel as 0x00RRGGBB in a native 32-bit word.
  uint32_t native = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
  cairo_surface_flush(surface_);
  for (int y = 0; y < height_; ++y) {
    uint32_t* row = Row(surface_, y);
    for (int x = 0; x < width_; ++x) row[x] = native;
  }
  cairo_surface_mark_dirty(surface_);
}

Image::~Image() {
  if (surface_) cairo_surface_destroy(surface_);
}

Image::Image(Image&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = std::exchange(other.surface_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

uint32_t Image::Pixel(int x, int y) const {
  cairo_surface_flush(surface_);
  uint32_t native = Row(surface_, y)[x];
  return (native >> 16 & 0xFF) | (native & 0xFF00) | (native & 0xFF) << 16;
}

bool Image::WritePng(const std::string& path, std::string& error) const {
  if (!surface_) {
    error = "there is no picture to write";
    return false;
  }
  cairo_status_t status = cairo_surface_write_to_png(surface_, path.c_str());
  if (status == CAIRO_STATUS_SUCCESS) return true;
  error = "cannot write " + path + ": " + cairo_status_to_string(status);
  return false;
}

std::optional<Image> Image::ReadPng(const std::string& path, std::string& error) {
  cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
  cairo_status_t status = cairo_surface_status(read);
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(read);
    error = "cannot read " + path + ": " + cairo_status_to_string(status);
    return std::nullopt;
  }
  // Whatever format the file had, the picture keeps 24-bit pixels.
  Image image(cairo_image_surface_get_width(read), cairo_image_surface_get_height(read));
  cairo_t* cr = cairo_create(image.surface_);
  cairo_set_source_surface(cr, read, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(read);
  return image;
}

}  // namespace pinlet::render
