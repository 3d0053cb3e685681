// Command faces and the product mark, drawn on pure white, their transparent colour.
#include "addin/picture_art.h"

namespace pinlet::art {
namespace {

constexpr Ink kInks[] = {
    {'.', kWhite},              // background, transparent
    {'w', kFaceWhite},          // white parts
    {'k', Rgb(0, 0, 0)},        // outline
    {'d', Rgb(64, 64, 64)},     // dark grey
    {'S', Rgb(128, 128, 128)},  // grey
    {'s', Rgb(192, 192, 192)},  // silver
    {'y', Rgb(255, 240, 120)},  // note yellow
    {'Y', Rgb(235, 205, 70)},   // note shade
    {'o', Rgb(245, 160, 40)},   // pencil orange
    {'n', Rgb(235, 200, 150)},  // bare wood
    {'p', Rgb(240, 140, 160)},  // eraser pink
    {'g', Rgb(40, 180, 40)},    // green
    {'G', Rgb(0, 110, 0)},      // dark green
    {'r', Rgb(225, 40, 40)},    // red
    {'R', Rgb(140, 0, 0)},      // dark red
    {'b', Rgb(60, 110, 220)},   // blue
    {'B', Rgb(20, 50, 140)},    // dark blue
    {'c', Rgb(170, 215, 255)},  // light blue
};

// clang-format off
constexpr std::string_view kAdd[] = {
    "................",
    "kkkkkkkkkkkk....",
    "kYYYYYYYYYYk....",
    "kyyyyyyyyyyk....",
    "kyyyyyyyyyyk....",
    "kyyyyyyyyyyk....",
    "kyyyyyyyyyyk....",
    "kyyyyyyyyGGGG...",
    "kyyyyyyyyGggG...",
    "kyyyyyyGGGggGGG.",
    "kyyyyyyGggggggG.",
    "kyyyyyyGggggggG.",
    "kkkkkkkGGGggGGG.",
    ".........GggG...",
    ".........GGGG...",
    "................",
};

constexpr std::string_view kEdit[] = {
    "............kk..",
    "kkkkkkkkkkkkppk.",
    "kYYYYYYYYYkpppk.",
    "kyyyyyyyyksspk..",
    "kyyyyyyykossk...",
    "kyyyyyykoook....",
    "kyyyyykoook.....",
    "kyyyykoook......",
    "kyyykoook.......",
    "kyyknook........",
    "kyyknnk.........",
    "kyykdk..........",
    "kyykk...........",
    "kyyyyyyyyyk.....",
    "kkkkkkkkkkk.....",
    "................",
};

constexpr std::string_view kFilter[] = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kcccccccccccck.",
    ".kkkkkkkkkkkkkk.",
    "..kcbbbbbbbbBk..",
    "...kcbbbbbbBk...",
    "....kcbbbbBk....",
    ".....kcbbBk.....",
    "......kcBk......",
    "......kcBk......",
    "......kcBk......",
    "......kcBk......",
    "......kcBk......",
    "......kcBk......",
    "......kkkk......",
    "................",
};

constexpr std::string_view kOptions[] = {
    "................",
    ".....kkkkkk.....",
    "...kkbbbbbbkk...",
    "..kbbbbwwbbbbk..",
    "..kbbbbwwbbbbk..",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbwwwbbbbbk.",
    ".kbbbbbwwbbbbbk.",
    ".kbbbbbwwbbbbbk.",
    ".kbbbbbwwbbbbbk.",
    ".kbbbbbwwbbbbbk.",
    "..kbbbwwwwbbbk..",
    "..kbbbbbbbbbbk..",
    "...kkbbbbbbkk...",
    ".....kkkkkk.....",
    "................",
};

constexpr std::string_view kSettings[] = {
    "................",
    "......kkkk......",
    "..kk..kssk..kk..",
    "..kskksssskksk..",
    "...kssssssssk...",
    "...ksssddssSk...",
    ".kkssd....dSSkk.",
    ".kssd......dSSk.",
    ".kssd......dSSk.",
    ".kkssd....dSSkk.",
    "...kssSddSSSk...",
    "...ksSSSSSSSk...",
    "..kskkSSSSkkSk..",
    "..kk..kSSk..kk..",
    "......kkkk......",
    "................",
};

constexpr std::string_view kInsert[] = {
    ".kkkkkkk........",
    "kYYYYYYk..GGG...",
    "kyyyyyyk..GgG...",
    "kyyyyyyk..GgG...",
    "kyyyyyyk..GgG...",
    "kyyyyyykGGGgGGG.",
    "kkkkkkkk.GgggG..",
    "..........GgG...",
    "..kkkkkkkkkGkkkk",
    "..kSSwwwwwwwwSSk",
    "..kwwSwwwwwwSwwk",
    "..kwwwSwwwwSwwwk",
    "..kwwwwSSSSwwwwk",
    "..kwwwwwwwwwwwwk",
    "..kkkkkkkkkkkkkk",
    "................",
};

constexpr std::string_view kLogo[] = {
    "......kkkk......",
    ".....krwrrk.....",
    ".....krrrRk.....",
    "......kRRk......",
    ".kkkkkkddkkkkkk.",
    ".kYYYYYSSYYYYYk.",
    ".kyyyyyyyyyyyyk.",
    ".kybbbbbbbbbyyk.",
    ".kyyyyyyyyyyyyk.",
    ".kybbbbbbbbbbyk.",
    ".kyyyyyyyyyyyyk.",
    ".kybbbbbbyyyyyk.",
    ".kyyyyyyyyyyokk.",
    ".kyyyyyyyyyyok..",
    ".kyyyyyyyyyyk...",
    ".kkkkkkkkkkk....",
};

constexpr std::string_view kMain[] = {
    "................",
    "..kkk...........",
    ".krwrk..........",
    ".krrRkkkkkkkkkk.",
    ".kRRRkYYYYYYYYk.",
    "..kkdSYYYYYYYYk.",
    "...kdyyyyyyyyyk.",
    "...kyybbbbbbyyk.",
    "...kyyyyyyyyyyk.",
    "...kyybbbbbbbyk.",
    "...kyyyyyyyyyyk.",
    "...kyybbbbyyyyk.",
    "...kyyyyyyyyokk.",
    "...kyyyyyyyyok..",
    "...kkkkkkkkkk...",
    "................",
};

constexpr std::string_view kLogoAbout[] = {
    "..............kkkk..............",
    "............kkrrrrkk............",
    "...........krwwrrrrrk...........",
    "..........krwwrrrrrrrk..........",
    "..........krwrrrrrrrrk..........",
    "..........krrrrrrrrrRk..........",
    "...........krrrrrrrRk...........",
    "............kkRRRRkk............",
    "..............kRRk..............",
    "..kkkkkkkkkkkkkddkkkkkkkkkkkkk..",
    "..kYYYYYYYYYYYYSSYYYYYYYYYYYYkS.",
    "..kYYYYYYYYYYYYYYYYYYYYYYYYYYkS.",
    "..kYYYYYYYYYYYYYYYYYYYYYYYYYYkS.",
    "..kyyyyyyyyyyyyyyyyyyyyyyyyyykS.",
    "..kyyybbbbbbbbbbbbbbbbbbbbyyykS.",
    "..kyyyyyyyyyyyyyyyyyyyyyyyyyykS.",
    "..kyyyyyyyyyyyyyyyyyyyyyyyyyykS.",
    "..kyyybbbbbbbbbbbbbbbbbyyyyyykS.",
    "..kyyyyyyyyyyyyyyyyyyyyyyyyyykS.",
    "..kyyyyyyyyyyyyyyyyyyyyyyyyyykS.",
    "..kyyybbbbbbbbbbbbbbbbbbbbyyykS.",
    "..kyyyyyyyyyyyyyyyyyyyyyyyyyykS.",
    "..kyyyyyyyyyyyyyyyyyyyyyyyyyykS.",
    "..kyyybbbbbbbbbbbbyyyyyyyyyyykS.",
    "..kyyyyyyyyyyyyyyyyyyyykkkkkkkS.",
    "..kyyyyyyyyyyyyyyyyyyyykoooook..",
    "..kyyyyyyyyyyyyyyyyyyyykooook...",
    "..kyyyyyyyyyyyyyyyyyyyykoook....",
    "..kyyyyyyyyyyyyyyyyyyyykook.....",
    "..kyyyyyyyyyyyyyyyyyyyykok......",
    "..kkkkkkkkkkkkkkkkkkkkkkk.......",
    "...SSSSSSSSSSSSSSSSSSSSS........",
};
// clang-format on

constexpr Sketch kSketches[] = {
    {"ADD", kInks, kAdd},
    {"EDIT", kInks, kEdit},
    {"FILTER", kInks, kFilter},
    {"OPTIONS", kInks, kOptions},
    {"SETTINGS", kInks, kSettings},
    {"INSERT", kInks, kInsert},
    {"LOGO", kInks, kLogo},
    {"MAIN", kInks, kMain},
    {"LOGO_ABOUT", kInks, kLogoAbout},
};
static_assert(AllWellFormed(kSketches));

}  // namespace

std::span<const Sketch> FaceSketches() { return kSketches; }

}  // namespace pinlet::art
