#include "addin/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace pinlet {
namespace {

const std::vector<std::string> kMaskedFaces = {"ADD", "EDIT", "FILTER", "OPTIONS",
                                               "SETTINGS"};
const std::vector<std::string> kButtons = {
    "BROWSE",   "CLEARALL", "CLOSE", "COLOR", "COPY", "COPYALL", "CUT",
    "DATE",     "DELETE",   "FONT",  "ONTOP", "OPEN", "PASTE",   "PRINT",
    "REMINDER", "REMOVE",   "SAVE",  "UNDO",  "VIEW"};
const std::vector<std::string> kDisableable = {"OPEN", "REMINDER", "REMOVE", "SAVE",
                                               "UNDO"};

std::vector<std::string> ExpectedNames() {
  std::vector<std::string> names = {
      "INSERT",           "LOGO", "LOGO_ABOUT", "MAIN", "CUT_OLD", "ONTOP_TURNED_OVER",
      "ONTOP_TURNED_DOWN"};
  for (const auto& face : kMaskedFaces) {
    names.push_back(face);
    names.push_back(face + "_MASK");
  }
  for (const auto& button : kButtons) {
    for (const char* look : {"", "_OVER", "_DOWN"}) names.push_back(button + look);
  }
  for (const auto& button : kDisableable) names.push_back(button + "_DISABLED");
  return names;
}

uint32_t Red(uint32_t c) { return c & 0xFF; }
uint32_t Green(uint32_t c) { return (c >> 8) & 0xFF; }
uint32_t Blue(uint32_t c) { return (c >> 16) & 0xFF; }

bool OnRing(const Picture& p, int x, int y) {
  return x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1;
}

std::set<uint32_t> RingColors(const Picture& p) {
  std::set<uint32_t> colors;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      if (OnRing(p, x, y)) colors.insert(p.At(x, y));
    }
  }
  return colors;
}

size_t CountNot(const Picture& p, uint32_t color) {
  return p.pixels.size() - std::count(p.pixels.begin(), p.pixels.end(), color);
}

TEST(PictureNamesTest, ListsExactlyTheKnownNamesOnce) {
  std::vector<std::string> names = PictureNames();
  std::vector<std::string> expected = ExpectedNames();
  ASSERT_EQ(names.size(), 79u);
  std::sort(names.begin(), names.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  EXPECT_EQ(names, expected);
}

TEST(LoadResPictureTest, EveryNameLoadsAConsistentPicture) {
  for (const auto& name : PictureNames()) {
    SCOPED_TRACE(name);
    Picture p = LoadResPicture(name);
    ASSERT_FALSE(p.empty());
    int side = name == "LOGO_ABOUT" ? 32 : 16;
    EXPECT_EQ(p.width, side);
    EXPECT_EQ(p.height, side);
    EXPECT_EQ(p.pixels.size(), static_cast<size_t>(p.width) * p.height);
    for (uint32_t c : p.pixels) ASSERT_EQ(c & 0xFF000000u, 0u);
  }
}

TEST(LoadResPictureTest, UnknownAndNearMissNamesGiveNoPicture) {
  using namespace std::string_literals;
  for (const std::string& name :
       {""s, "add"s, "Add"s, " ADD"s, "ADD "s, "ADD\0"s, "ADD_MASK_MASK"s, "INSERT_MASK"s,
        "CLOSE_MASK"s, "LOGO_MASK"s, "CLOSE_DISABLED"s, "ADD_OVER"s, "ONTOP_TURNED"s,
        "ONTOP_TURNED_DISABLED"s, "CUT_OLD_OVER"s, "SAVE_OVER_DOWN"s, "save_over"s}) {
    EXPECT_TRUE(LoadResPicture(name).empty()) << '"' << name << '"';
  }
}

TEST(LoadResPictureTest, HandsOutIndependentCopies) {
  Picture first = LoadResPicture("CLOSE");
  first.pixels.assign(first.pixels.size(), kBlack);
  EXPECT_NE(LoadResPicture("CLOSE").pixels, first.pixels);
}

TEST(LoadResPictureTest, DeclaresTheColourDepthOfEachResource) {
  for (const auto& name : PictureNames()) {
    bool deep = name.starts_with("ADD") || name.starts_with("OPTIONS") ||
                name.starts_with("SETTINGS");
    EXPECT_EQ(LoadResPicture(name).bits_per_pixel, deep ? 32 : 24) << name;
  }
}

TEST(PictureArtTest, EveryDrawingIsRealAndDistinct) {
  std::vector<std::string> drawings = {"INSERT", "LOGO", "MAIN", "CUT_OLD"};
  drawings.insert(drawings.end(), kMaskedFaces.begin(), kMaskedFaces.end());
  drawings.insert(drawings.end(), kButtons.begin(), kButtons.end());
  std::set<std::vector<uint32_t>> seen;
  for (const auto& name : drawings) {
    SCOPED_TRACE(name);
    Picture p = LoadResPicture(name);
    uint32_t background = p.At(0, 0);
    std::set<uint32_t> colors(p.pixels.begin(), p.pixels.end());
    EXPECT_GE(colors.size(), 3u);
    EXPECT_GE(CountNot(p, background), p.pixels.size() / 6);
    EXPECT_TRUE(seen.insert(p.pixels).second) << "same art as another picture";
  }
}

TEST(FaceTest, DrawnOnWhiteWithWhiteCorners) {
  for (const auto& name : {"ADD", "EDIT", "FILTER", "OPTIONS", "SETTINGS", "INSERT"}) {
    SCOPED_TRACE(name);
    Picture p = LoadResPicture(name);
    for (int corner : {0, 15}) {
      EXPECT_EQ(p.At(corner, 0), kWhite);
      EXPECT_EQ(p.At(corner, 15), kWhite);
    }
    EXPECT_GT(CountNot(p, kWhite), 0u);
    EXPECT_EQ(std::count(p.pixels.begin(), p.pixels.end(), kMagenta), 0);
  }
}

TEST(FaceTest, MaskCoversExactlyTheDrawnPixels) {
  for (const auto& face : kMaskedFaces) {
    SCOPED_TRACE(face);
    Picture p = LoadResPicture(face);
    Picture mask = LoadResPicture(face + "_MASK");
    ASSERT_EQ(mask.width, p.width);
    ASSERT_EQ(mask.height, p.height);
    for (size_t i = 0; i < p.pixels.size(); ++i) {
      ASSERT_EQ(mask.pixels[i], p.pixels[i] == kWhite ? kWhite : kBlack) << "pixel " << i;
    }
    EXPECT_GT(CountNot(mask, kWhite), 0u);
    EXPECT_GT(CountNot(mask, kBlack), 0u);
  }
}

TEST(ButtonTest, DrawnOnMagentaLeavingTheFrameRingFree) {
  for (const auto& name : kButtons) {
    Picture p = LoadResPicture(name);
    EXPECT_EQ(RingColors(p), std::set<uint32_t>{kMagenta}) << name;
  }
  EXPECT_EQ(LoadResPicture("CUT_OLD").At(0, 0), kMagenta);
}

// Checks `over` against `base`: framed, lighter, and transparent where base is.
void ExpectHoverOf(const Picture& base, const Picture& over) {
  ASSERT_EQ(over.width, base.width);
  ASSERT_EQ(over.height, base.height);
  std::set<uint32_t> ring = RingColors(over);
  ASSERT_EQ(ring.size(), 1u);
  EXPECT_NE(*ring.begin(), kMagenta);
  bool lighter_somewhere = false;
  for (int y = 1; y < base.height - 1; ++y) {
    for (int x = 1; x < base.width - 1; ++x) {
      uint32_t b = base.At(x, y), o = over.At(x, y);
      ASSERT_EQ(b == kMagenta, o == kMagenta) << x << "," << y;
      if (b == kMagenta) continue;
      EXPECT_GE(Red(o), Red(b));
      EXPECT_GE(Green(o), Green(b));
      EXPECT_GE(Blue(o), Blue(b));
      lighter_somewhere |= o != b;
    }
  }
  EXPECT_TRUE(lighter_somewhere);
}

// Checks `down` against `base`: the art one pixel down-right inside a frame.
void ExpectPressedOf(const Picture& base, const Picture& down) {
  ASSERT_EQ(down.width, base.width);
  ASSERT_EQ(down.height, base.height);
  std::set<uint32_t> ring = RingColors(down);
  ASSERT_EQ(ring.size(), 1u);
  EXPECT_NE(*ring.begin(), kMagenta);
  for (int y = 1; y < base.height - 1; ++y) {
    for (int x = 1; x < base.width - 1; ++x) {
      uint32_t expected = x == 1 || y == 1 ? kMagenta : base.At(x - 1, y - 1);
      ASSERT_EQ(down.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST(ButtonTest, HoverAndPressedLooksDeriveFromTheButton) {
  std::set<uint32_t> hover_frames, pressed_frames;
  for (const auto& name : kButtons) {
    SCOPED_TRACE(name);
    Picture base = LoadResPicture(name);
    Picture over = LoadResPicture(name + "_OVER");
    Picture down = LoadResPicture(name + "_DOWN");
    ExpectHoverOf(base, over);
    ExpectPressedOf(base, down);
    EXPECT_NE(over.pixels, down.pixels);
    hover_frames.insert(over.At(0, 0));
    pressed_frames.insert(down.At(0, 0));
  }
  // One look for all buttons, and the two looks tell apart.
  ASSERT_EQ(hover_frames.size(), 1u);
  ASSERT_EQ(pressed_frames.size(), 1u);
  EXPECT_NE(*hover_frames.begin(), *pressed_frames.begin());
}

TEST(ButtonTest, DisabledIsLightGreyOverTheSameShape) {
  for (const auto& name : kDisableable) {
    SCOPED_TRACE(name);
    Picture base = LoadResPicture(name);
    Picture off = LoadResPicture(name + "_DISABLED");
    ASSERT_EQ(off.width, base.width);
    ASSERT_EQ(off.height, base.height);
    std::set<uint32_t> greys;
    for (size_t i = 0; i < base.pixels.size(); ++i) {
      uint32_t c = off.pixels[i];
      ASSERT_EQ(base.pixels[i] == kMagenta, c == kMagenta) << "pixel " << i;
      if (c == kMagenta) continue;
      ASSERT_TRUE(Red(c) == Green(c) && Green(c) == Blue(c)) << "pixel " << i;
      EXPECT_GE(Red(c), 0x80u);
      greys.insert(c);
    }
    EXPECT_GE(greys.size(), 2u);  // shading survives, so the shape stays readable
  }
}

TEST(ButtonTest, SwitchedOnPinLooksDifferentWithTheSameTreatments) {
  Picture over = LoadResPicture("ONTOP_TURNED_OVER");
  Picture down = LoadResPicture("ONTOP_TURNED_DOWN");
  EXPECT_NE(over.pixels, LoadResPicture("ONTOP_OVER").pixels);
  EXPECT_NE(down.pixels, LoadResPicture("ONTOP_DOWN").pixels);
  EXPECT_EQ(over.At(0, 0), LoadResPicture("ONTOP_OVER").At(0, 0));
  EXPECT_EQ(down.At(0, 0), LoadResPicture("ONTOP_DOWN").At(0, 0));
  // Pressing moves the same switched-on art that hovering lightens.
  for (int y = 2; y < 15; ++y) {
    for (int x = 2; x < 15; ++x) {
      ASSERT_EQ(down.At(x, y) == kMagenta, over.At(x - 1, y - 1) == kMagenta)
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace pinlet
