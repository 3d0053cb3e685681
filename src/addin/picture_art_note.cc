// The other note-window buttons: file, print, look and behaviour of the note.
// Drawn on magenta, the buttons' transparent colour, inside a one-pixel margin
// that the hover and pressed looks use for their frame.
#include "addin/picture_art.h"

namespace pinlet::art {
namespace {

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
    {"BROWSE", kButtonInks, kBrowse},     {"COLOR", kButtonInks, kColor},
    {"DATE", kButtonInks, kDate},         {"FONT", kButtonInks, kFont},
    {"ONTOP", kButtonInks, kOnTop},       {"ONTOP_TURNED", kButtonInks, kOnTopTurned},
    {"OPEN", kButtonInks, kOpen},         {"PRINT", kButtonInks, kPrint},
    {"REMINDER", kButtonInks, kReminder}, {"SAVE", kButtonInks, kSave},
    {"VIEW", kButtonInks, kView},
};
static_assert(AllWellFormed(kSketches));

}  // namespace

std::span<const Sketch> NoteSketches() { return kSketches; }

}  // namespace pinlet::art
