// Internal to the picture unit: how base art is written down and turned into pixels.
//
// Each base picture is a Sketch: equal-length rows of characters, top row first,
// read through a small palette of its art file. Art files check their sketches
// at compile time, so a stray character or a short row never reaches run time.
#ifndef PINLET_ADDIN_PICTURE_ART_H_
#define PINLET_ADDIN_PICTURE_ART_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/picture.h"

namespace pinlet::art {

// A colour in the host's order from its red, green and blue parts.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return b << 16 | g << 8 | r;
}

// Near-white for the white parts of command faces, whose pure white is transparent.
constexpr uint32_t kFaceWhite = 0xFEFEFE;

// One palette entry: the character that stands for a colour in a sketch's rows.
struct Ink {
  char key;
  uint32_t color;
};

// The palette of the note-window buttons, drawn on magenta, their
// transparent colour.
inline constexpr Ink kButtonInks[] = {
    {'.', kMagenta},            // background, transparent
    {'w', Rgb(255, 255, 255)},  // paper white
    {'k', Rgb(0, 0, 0)},        // outline
    {'d', Rgb(64, 64, 64)},     // dark grey
    {'S', Rgb(128, 128, 128)},  // grey
    {'s', Rgb(192, 192, 192)},  // silver
    {'r', Rgb(225, 40, 40)},    // red
    {'R', Rgb(140, 0, 0)},      // dark red
    {'g', Rgb(40, 180, 40)},    // green
    {'G', Rgb(0, 110, 0)},      // dark green
    {'b', Rgb(60, 110, 220)},   // blue
    {'B', Rgb(20, 50, 140)},    // dark blue
    {'c', Rgb(150, 190, 240)},  // light blue
    {'p', Rgb(240, 140, 160)},  // eraser pink
    {'y', Rgb(255, 240, 120)},  // light gold
    {'o', Rgb(240, 180, 30)},   // gold
    {'O', Rgb(170, 110, 0)},    // dark gold
    {'f', Rgb(255, 215, 90)},   // folder yellow
    {'F', Rgb(215, 160, 40)},   // folder shade
    {'n', Rgb(200, 150, 90)},   // cork, board brown
    {'N', Rgb(140, 90, 40)},    // dark cork
};

struct Sketch {
  std::string_view name;
  std::span<const Ink> palette;
  std::span<const std::string_view> rows;
};

constexpr const Ink* FindInk(std::span<const Ink> palette, char key) {
  for (const Ink& ink : palette) {
    if (ink.key == key) return &ink;
  }
  return nullptr;
}

// Whether the palette has the key. The compile-time check asks this rather
// than comparing FindInk's pointer with null: GCC with the address sanitizer
// does not take such a comparison as a constant expression.
constexpr bool HasInk(std::span<const Ink> palette, char key) {
  for (const Ink& ink : palette) {
    if (ink.key == key) return true;
  }
  return false;
}

// True when the sketch has rows, all as long as the first, and every character
// is in its palette.
constexpr bool IsWellFormed(const Sketch& sketch) {
  if (sketch.rows.empty() || sketch.rows.front().empty()) return false;
  for (std::string_view row : sketch.rows) {
    if (row.size() != sketch.rows.front().size()) return false;
    for (char c : row) {
      if (!HasInk(sketch.palette, c)) return false;
    }
  }
  return true;
}

constexpr bool AllWellFormed(std::span<const Sketch> sketches) {
  for (const Sketch& sketch : sketches) {
    if (!IsWellFormed(sketch)) return false;
  }
  return true;
}

// The sketch families, one per art file.
std::span<const Sketch> FaceSketches();  // command faces and the product mark
std::span<const Sketch> EditSketches();  // note buttons that change the text
std::span<const Sketch> NoteSketches();  // the other note buttons

// The pixels of a well-formed sketch, declared with the given colour depth.
Picture Render(const Sketch& sketch, int bits_per_pixel);

}  // namespace pinlet::art

#endif  // PINLET_ADDIN_PICTURE_ART_H_
