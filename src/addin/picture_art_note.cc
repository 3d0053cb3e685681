// The other note-window buttons: file, print, look and behaviour of the note.
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
    {'g', Rgb(40, 180, 40)},    // green
    {'G', Rgb(0, 110, 0)},      // dark green
    {'b', Rgb(60, 110, 220)},   // blue
    {'B', Rgb(20, 50, 140)},    // dark blue
    {'y', Rgb(255, 240, 120)},  // light gold
    {'o', Rgb(240, 180, 30)},   // gold
    {'O', Rgb(170, 110, 0)},    // dark gold
    {'f', Rgb(255, 215, 90)},   // folder yellow
    {'F', Rgb(215, 160, 40)},   // folder shade
    {'n', Rgb(200, 150, 90)},   // cork
    {'N', Rgb(140, 90, 40)},    // dark cork
};

// clang-format off
constexpr std::string_view kBrowse[] = {
    "................",
    "................",
    "..kkkkk.........",
    ".kfffffkkkkkkk..",
    ".kFFFFFFFFFFFFk.",
    ".kffffffffffffk.",
    ".kffffffffffffk.",
    ".kffffffffffffk.",
    ".kffffffffffffk.",
    ".kffkffkffkfffk.",
    ".kffffffffffffk.",
    ".kffffffffffffk.",
    ".kFFFFFFFFFFFFk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
};

constexpr std::string_view kColor[] = {
    "................",
    ".kkkkkk..kkkkkk.",
    ".krrrrk..kggggk.",
    ".krrrrk..kggggk.",
    ".krrrrk..kggggk.",
    ".krrrrk..kggggk.",
    ".kkkkkk..kkkkkk.",
    "................",
    "................",
    ".kkkkkk..kkkkkk.",
    ".kbbbbk..kyyyyk.",
    ".kbbbbk..kyyyyk.",
    ".kbbbbk..kyyyyk.",
    ".kbbbbk..kyyyyk.",
    ".kkkkkk..kkkkkk.",
    "................",
};

constexpr std::string_view kDate[] = {
    "................",
    "....d......d....",
    ".kkkdkkkkkkdkkk.",
    ".krrrrrrrrrrrrk.",
    ".krrrrrrrrrrrrk.",
    ".kkkkkkkkkkkkkk.",
    ".kwwwwwwwwwwwwk.",
    ".kwSwSwSwSwSwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwSwSwSwrwSwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwSwSwSwSwSwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwSwSwwwwwwwwk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

constexpr std::string_view kFont[] = {
    "................",
    ".......BB.......",
    ".......BB.......",
    "......BBBB......",
    "......BBBB......",
    ".....BB..BB.....",
    ".....BB..BB.....",
    "....BB....BB....",
    "....BBBBBBBB....",
    "...BBBBBBBBBB...",
    "...BB......BB...",
    "..BB........BB..",
    ".BBBB......BBBB.",
    "................",
    ".rrrrrrrrrrrrrr.",
    "................",
};

constexpr std::string_view kOnTop[] = {
    "................",
    "......kkkk......",
    ".....krrwrk.....",
    ".....krrrrk.....",
    "......krRk......",
    "......krRk......",
    "....kkrrrRkk....",
    "...krrrrrrRRk...",
    "...kkkkkkkkkk...",
    ".......dd.......",
    ".......dd.......",
    ".......dd.......",
    ".......ds.......",
    "........s.......",
    "................",
    "................",
};

// The same pin pushed into the board: the button while always-on-top is on.
constexpr std::string_view kOnTopTurned[] = {
    "................",
    "................",
    "................",
    "......kkkk......",
    ".....kggwgk.....",
    ".....kggggk.....",
    "......kgGk......",
    "......kgGk......",
    "....kkgggGkk....",
    "...kggggggGGk...",
    "...kkkkkkkkkk...",
    ".nnnnnnddnnnnnn.",
    ".NNNNNNNNNNNNNN.",
    "................",
    "................",
    "................",
};

constexpr std::string_view kOpen[] = {
    "................",
    "................",
    "..kkkk..........",
    ".kFFFFkkkkkkk...",
    ".kFFFFFFFFFFk...",
    ".kFFFFFFFFFFk...",
    ".kFFkkkkkkkkkkk.",
    ".kFFkfffffffffk.",
    ".kFkfffffffffk..",
    ".kFkfffffffffk..",
    ".kkfffffffffk...",
    ".kkfffffffffk...",
    ".kfffffffffk....",
    ".kkkkkkkkkkk....",
    "................",
    "................",
};

constexpr std::string_view kPrint[] = {
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwSSSSwk....",
    "....kwwwwwwk....",
    ".kkkkkkkkkkkkkk.",
    ".kssssssssssssk.",
    ".ksssssssssgssk.",
    ".kSSSSSSSSSSSSk.",
    ".kSkkkkkkkkkkSk.",
    ".kSkwwwwwwwwkSk.",
    ".kkkwSSSSSwwkkk.",
    "...kwwwwwwwwk...",
    "...kkkkkkkkkk...",
    "................",
    "................",
};

constexpr std::string_view kReminder[] = {
    "................",
    ".......kk.......",
    "......kyok......",
    ".....kyoook.....",
    ".....kyoook.....",
    "....kyoooook....",
    "....kyoooook....",
    "....kyoooook....",
    "...kyooooooOk...",
    "...kyooooooOk...",
    "..kyoooooooOOk..",
    ".kkkkkkkkkkkkkk.",
    "......kOOk......",
    ".......kk.......",
    "................",
    "................",
};

constexpr std::string_view kSave[] = {
    "................",
    ".kkkkkkkkkkkkk..",
    ".kbbsssssSsbbbk.",
    ".kbbsssssSsbbbk.",
    ".kbbsssssSsbbbk.",
    ".kbbsssssssbbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbwwwwwwwwwwbk.",
    ".kbwSSSSSSSSwbk.",
    ".kbwwwwwwwwwwbk.",
    ".kbwSSSSSSSSwbk.",
    ".kbwwwwwwwwwwbk.",
    ".kbwwwwwwwwwwbk.",
    ".kbwwwwwwwwwwbk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

constexpr std::string_view kView[] = {
    "................",
    "................",
    "................",
    "................",
    ".....kkkkkk.....",
    "...kkwbbbbwkk...",
    "..kwwbbbbbbwwk..",
    ".kwwwbbkkbbwwwk.",
    ".kwwwbbkkbbwwwk.",
    "..kwwbbbbbbwwk..",
    "...kkwbbbbwkk...",
    ".....kkkkkk.....",
    "................",
    "................",
    "................",
    "................",
};
// clang-format on

constexpr Sketch kSketches[] = {
    {"BROWSE", kInks, kBrowse},     {"COLOR", kInks, kColor},
    {"DATE", kInks, kDate},         {"FONT", kInks, kFont},
    {"ONTOP", kInks, kOnTop},       {"ONTOP_TURNED", kInks, kOnTopTurned},
    {"OPEN", kInks, kOpen},         {"PRINT", kInks, kPrint},
    {"REMINDER", kInks, kReminder}, {"SAVE", kInks, kSave},
    {"VIEW", kInks, kView},
};
static_assert(AllWellFormed(kSketches));

}  // namespace

std::span<const Sketch> NoteSketches() { return kSketches; }

}  // namespace pinlet::art
