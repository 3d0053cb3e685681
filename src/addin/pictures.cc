#include "addin/pictures.h"

#include <cstdint>
#include <functional>
#include <map>
#include <new>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "addin/picture_art.h"

namespace pinlet {
namespace art {

Picture Render(const Sketch& sketch, int bits_per_pixel) {
  Picture picture;
  picture.width = static_cast<int>(sketch.rows.front().size());
  picture.height = static_cast<int>(sketch.rows.size());
  picture.bits_per_pixel = bits_per_pixel;
  picture.pixels.reserve(static_cast<size_t>(picture.width) * picture.height);
  for (std::string_view row : sketch.rows) {
    for (char key : row) {
      const Ink* ink = FindInk(sketch.palette, key);
      picture.pixels.push_back(ink != nullptr ? ink->color : kBlack);
    }
  }
  return picture;
}

}  // namespace art

namespace {

// The host's own highlight colours for a hovered and a pressed button.
constexpr uint32_t kHoverFrame = art::Rgb(49, 106, 197);
constexpr uint32_t kPressedFrame = art::Rgb(10, 36, 106);

enum class Look { kAsDrawn, kMask, kHover, kPressed, kDisabled };

struct Recipe {
  std::string name;
  std::string_view sketch;
  Look look;
  int bits_per_pixel;
};

uint32_t Channel(uint32_t color, int shift) { return (color >> shift) & 0xFF; }

// Moves each channel `percent` of the way toward `target`.
uint32_t Blend(uint32_t color, uint32_t target, uint32_t percent) {
  uint32_t result = 0;
  for (int shift : {0, 8, 16}) {
    uint32_t from = Channel(color, shift);
    uint32_t to = Channel(target, shift);
    uint32_t mixed = (from * (100 - percent) + to * percent + 50) / 100;
    result |= mixed << shift;
  }
  return result;
}

void Frame(Picture& picture, uint32_t color) {
  for (int x = 0; x < picture.width; ++x) {
    picture.pixels[x] = color;
    picture.pixels[static_cast<size_t>(picture.height - 1) * picture.width + x] = color;
  }
  for (int y = 0; y < picture.height; ++y) {
    picture.pixels[static_cast<size_t>(y) * picture.width] = color;
    picture.pixels[static_cast<size_t>(y) * picture.width + picture.width - 1] = color;
  }
}

// Black where the face is drawn, white where its white background shows through.
Picture MaskOf(const Picture& face) {
  Picture mask = face;
  for (uint32_t& color : mask.pixels) color = color == kWhite ? kWhite : kBlack;
  return mask;
}

// Lighter colours inside a highlight frame. Lifting every channel a quarter toward
// white keeps green above zero, so no drawn pixel turns into the magenta background.
Picture Hovered(Picture button) {
  for (uint32_t& color : button.pixels) {
    if (color != kMagenta) color = Blend(color, kWhite, 25);
  }
  Frame(button, kHoverFrame);
  return button;
}

// The art sunk one pixel down and right inside a dark frame.
Picture Pressed(const Picture& button) {
  Picture pressed = button;
  for (int y = 0; y < button.height; ++y) {
    for (int x = 0; x < button.width; ++x) {
      pressed.pixels[static_cast<size_t>(y) * button.width + x] =
          x > 0 && y > 0 ? button.At(x - 1, y - 1) : kMagenta;
    }
  }
  Frame(pressed, kPressedFrame);
  return pressed;
}

// Light greys by brightness, so the shapes stay readable but clearly inactive.
Picture Disabled(Picture button) {
  for (uint32_t& color : button.pixels) {
    if (color == kMagenta) continue;
    uint32_t luma =
        (Channel(color, 0) * 299 + Channel(color, 8) * 587 + Channel(color, 16) * 114) /
        1000;
    uint32_t grey = 128 + luma * 112 / 255;
    color = grey << 16 | grey << 8 | grey;
  }
  return button;
}

const art::Sketch* FindSketch(std::string_view name) {
  for (auto family : {art::FaceSketches, art::EditSketches, art::NoteSketches}) {
    for (const art::Sketch& sketch : family()) {
      if (sketch.name == name) return &sketch;
    }
  }
  return nullptr;
}

std::vector<Recipe> Recipes() {
  constexpr std::string_view kMaskedFaces[] = {"ADD", "EDIT", "FILTER", "OPTIONS",
                                               "SETTINGS"};
  // Faces, with their masks, declared 32 bits deep; every other picture is 24.
  constexpr std::string_view kDeepFaces[] = {"ADD", "OPTIONS", "SETTINGS"};
  constexpr std::string_view kButtons[] = {
      "BROWSE",   "CLEARALL", "CLOSE", "COLOR", "COPY", "COPYALL", "CUT",
      "DATE",     "DELETE",   "FONT",  "ONTOP", "OPEN", "PASTE",   "PRINT",
      "REMINDER", "REMOVE",   "SAVE",  "UNDO",  "VIEW"};
  constexpr std::string_view kDisableable[] = {"OPEN", "REMINDER", "REMOVE", "SAVE",
                                               "UNDO"};
  constexpr std::string_view kAsDrawn[] = {"INSERT", "LOGO", "LOGO_ABOUT", "MAIN",
                                           "CUT_OLD"};
  auto contains = [](std::span<const std::string_view> list, std::string_view name) {
    for (std::string_view entry : list) {
      if (entry == name) return true;
    }
    return false;
  };

  std::vector<Recipe> recipes;
  for (std::string_view face : kMaskedFaces) {
    int bits = contains(kDeepFaces, face) ? 32 : 24;
    recipes.push_back({std::string(face), face, Look::kAsDrawn, bits});
    recipes.push_back({std::string(face) + "_MASK", face, Look::kMask, bits});
  }
  for (std::string_view button : kButtons) {
    std::string name(button);
    recipes.push_back({name, button, Look::kAsDrawn, 24});
    recipes.push_back({name + "_OVER", button, Look::kHover, 24});
    recipes.push_back({name + "_DOWN", button, Look::kPressed, 24});
    if (contains(kDisableable, button)) {
      recipes.push_back({name + "_DISABLED", button, Look::kDisabled, 24});
    }
  }
  // The always-on-top button while it is switched on.
  recipes.push_back({"ONTOP_TURNED_OVER", "ONTOP_TURNED", Look::kHover, 24});
  recipes.push_back({"ONTOP_TURNED_DOWN", "ONTOP_TURNED", Look::kPressed, 24});
  for (std::string_view other : kAsDrawn) {
    recipes.push_back({std::string(other), other, Look::kAsDrawn, 24});
  }
  return recipes;
}

Picture Make(const Recipe& recipe) {
  const art::Sketch* sketch = FindSketch(recipe.sketch);
  if (sketch == nullptr) return {};
  Picture base = art::Render(*sketch, recipe.bits_per_pixel);
  switch (recipe.look) {
    case Look::kAsDrawn:
      return base;
    case Look::kMask:
      return MaskOf(base);
    case Look::kHover:
      return Hovered(std::move(base));
    case Look::kPressed:
      return Pressed(base);
    case Look::kDisabled:
      return Disabled(std::move(base));
  }
  return {};
}

// Every picture, made on first use.
const std::map<std::string, Picture, std::less<>>& Library() {
  static const std::map<std::string, Picture, std::less<>> library = [] {
    std::map<std::string, Picture, std::less<>> pictures;
    for (const Recipe& recipe : Recipes()) pictures.emplace(recipe.name, Make(recipe));
    return pictures;
  }();
  return library;
}

}  // namespace

Picture LoadResPicture(std::string_view name) {
  try {
    const auto& library = Library();
    auto found = library.find(name);
    return found != library.end() ? found->second : Picture{};
  } catch (const std::bad_alloc&) {
    // The pictures are built on first use; without memory there is none.
    return {};
  }
}

const std::vector<std::string>& PictureNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const Recipe& recipe : Recipes()) list.push_back(recipe.name);
    return list;
  }();
  return names;
}

}  // namespace pinlet
