// Note-window buttons that change the note's text: clipboard, erase, undo, delete.
// Drawn on magenta, the buttons' transparent colour, inside a one-pixel margin
// that the hover and pressed looks use for their frame.
#include "addin/picture_art.h"

namespace pinlet::art {
namespace {

constexpr Ink kInks[] = {
    {'.', kMagenta},            // background, transparent
    {'w', Rgb(255, 255, 255)},  // paper white
    {'k', Rgb(0, 0, 0)},        // outline
    {'d', Rgb(64, 64, 64)},     // dark grey
    {'S', Rgb(128, 128, 128)},  // grey
    {'s', Rgb(192, 192, 192)},  // silver
    {'r', Rgb(225, 40, 40)},    // red
    {'R', Rgb(140, 0, 0)},      // dark red
    {'b', Rgb(60, 110, 220)},   // blue
    {'B', Rgb(20, 50, 140)},    // dark blue
    {'c', Rgb(150, 190, 240)},  // light blue
    {'p', Rgb(240, 140, 160)},  // eraser pink
    {'n', Rgb(190, 140, 80)},   // board brown
};

// clang-format off
constexpr std::string_view kClearAll[] = {
    "................",
    "..........k.....",
    ".........kck....",
    "........kccbk...",
    ".......kccbbbk..",
    "......kccbbbk...",
    ".....kccbbbk....",
    "....kccbbbk.....",
    "...kppbbbk......",
    "..kppppbk.......",
    ".kpppppk........",
    "..kpppk.........",
    "...kpk..........",
    "....k...s.s.s...",
    "................",
    "................",
};

constexpr std::string_view kClose[] = {
    "................",
    "................",
    "..RRR......RRR..",
    "..RrrR....RrrR..",
    "...RrrR..RrrR...",
    "....RrrRRrrR....",
    ".....RrrrrR.....",
    "......RrrR......",
    "......RrrR......",
    ".....RrrrrR.....",
    "....RrrRRrrR....",
    "...RrrR..RrrR...",
    "..RrrR....RrrR..",
    "..RRR......RRR..",
    "................",
    "................",
};

constexpr std::string_view kCopy[] = {
    "................",
    ".kkkkkkkkk......",
    ".kwwwwwwwk......",
    ".kwwwwwwwk......",
    ".kwwwwwwwk......",
    ".kwwwkkkkkkkkkk.",
    ".kwwwkwwwwwwwwk.",
    ".kwwwkwwwwwwwwk.",
    ".kwwwkwwwwwwwwk.",
    ".kwwwkwwwwwwwwk.",
    ".kkkkkwwwwwwwwk.",
    ".....kwwwwwwwwk.",
    ".....kwwwwwwwwk.",
    ".....kwwwwwwwwk.",
    ".....kkkkkkkkkk.",
    "................",
};

constexpr std::string_view kCopyAll[] = {
    "................",
    ".kkkkkkkkk......",
    ".kwwwwwwwk......",
    ".kwbbbbbwk......",
    ".kwwwwwwwk......",
    ".kwbbkkkkkkkkkk.",
    ".kwwwkwwwwwwwwk.",
    ".kwbbkwbbbbbbwk.",
    ".kwwwkwwwwwwwwk.",
    ".kwbbkwbbbbbbwk.",
    ".kkkkkwwwwwwwwk.",
    ".....kwbbbbbbwk.",
    ".....kwwwwwwwwk.",
    ".....kwbbbbwwwk.",
    ".....kkkkkkkkkk.",
    "................",
};

constexpr std::string_view kCut[] = {
    "................",
    "...dd......dd...",
    "...sd......ds...",
    "....sd....ds....",
    ".....sd..ds.....",
    "......sdds......",
    ".......kk.......",
    "......rRRr......",
    ".....rR..Rr.....",
    "..rrrR....Rrrr..",
    ".r...r....r...r.",
    ".r...r....r...r.",
    ".r...r....r...r.",
    "..rrr......rrr..",
    "................",
    "................",
};

constexpr std::string_view kCutOld[] = {
    "................",
    "................",
    "..bbb.......dd..",
    ".b...b....dds...",
    ".b...b...dss....",
    ".b...b..dss.....",
    "..bbbbbdss......",
    "......bdd.......",
    "......bdd.......",
    "..bbbbbdss......",
    ".b...b..dss.....",
    ".b...b...dss....",
    ".b...b....dds...",
    "..bbb.......dd..",
    "................",
    "................",
};

constexpr std::string_view kDelete[] = {
    "................",
    "......kkkk......",
    "..kkkkkkkkkkkk..",
    "..kssssssssssk..",
    "..kkkkkkkkkkkk..",
    "...kssSssSssk...",
    "...kssSssSssk...",
    "...kssSssSssk...",
    "...kssSssSssk...",
    "...kssSssSssk...",
    "...kssSssSssk...",
    "...kssSssSssk...",
    "...kssSssSssk...",
    "...kkkkkkkkkk...",
    "................",
    "................",
};

constexpr std::string_view kPaste[] = {
    "................",
    "....kkkkk.......",
    ".kkkkssskkkk....",
    ".knnksssknnk....",
    ".knnnkkknnnk....",
    ".knnnnnnnnnk....",
    ".knnnnnkkkkkkkk.",
    ".knnnnnkwwwwwwk.",
    ".knnnnnkwSSSSwk.",
    ".knnnnnkwwwwwwk.",
    ".knnnnnkwSSSSwk.",
    ".knnnnnkwwwwwwk.",
    ".knnnnnkwSSSwwk.",
    ".kkkkkkkwwwwwwk.",
    ".......kkkkkkkk.",
    "................",
};

constexpr std::string_view kRemove[] = {
    "................",
    "...ddddd........",
    "..d.....d.......",
    "..d..d..d.......",
    "..d.d.d.d.......",
    "..d.d.d.d.......",
    "..d.d.d.d.......",
    "..d.d.d.d.......",
    "..d.d.d.d.......",
    "..d.d.d.d.......",
    "..d...d.d.......",
    "..d...d..RRRRRR.",
    "...ddd...RrrrrR.",
    ".........RRRRRR.",
    "................",
    "................",
};

constexpr std::string_view kUndo[] = {
    "................",
    "................",
    "....B...........",
    "...BbBBBBBBBB...",
    "..BbbbbbbbbbbBB.",
    ".BbbbbbbbbbbbbB.",
    "..BbbbBBBBBBbbB.",
    "...BbB.....BbbB.",
    "....B......BbbB.",
    "...........BbbB.",
    "..........BbbB..",
    ".......BBBbbB...",
    "......BbbbbB....",
    "......BBBBB.....",
    "................",
    "................",
};
// clang-format on

constexpr Sketch kSketches[] = {
    {"CLEARALL", kInks, kClearAll}, {"CLOSE", kInks, kClose}, {"COPY", kInks, kCopy},
    {"COPYALL", kInks, kCopyAll},   {"CUT", kInks, kCut},     {"CUT_OLD", kInks, kCutOld},
    {"DELETE", kInks, kDelete},     {"PASTE", kInks, kPaste}, {"REMOVE", kInks, kRemove},
    {"UNDO", kInks, kUndo},
};
static_assert(AllWellFormed(kSketches));

}  // namespace

std::span<const Sketch> EditSketches() { return kSketches; }

}  // namespace pinlet::art
