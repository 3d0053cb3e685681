// Note-window buttons that change the note's text: clipboard, erase, undo, delete.
// Drawn on magenta, the buttons' transparent colour, inside a one-pixel margin
// that the hover and pressed looks use for their frame.
#include "addin/picture_art.h"

namespace pinlet::art {
namespace {

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
    {"CLEARALL", kButtonInks, kClearAll}, {"CLOSE", kButtonInks, kClose},
    {"COPY", kButtonInks, kCopy},         {"COPYALL", kButtonInks, kCopyAll},
    {"CUT", kButtonInks, kCut},           {"CUT_OLD", kButtonInks, kCutOld},
    {"DELETE", kButtonInks, kDelete},     {"PASTE", kButtonInks, kPaste},
    {"REMOVE", kButtonInks, kRemove},     {"UNDO", kButtonInks, kUndo},
};
static_assert(AllWellFormed(kSketches));

}  // namespace

std::span<const Sketch> EditSketches() { return kSketches; }

}  // namespace pinlet::art
