// The add-in's string table: every caption, message and property name shown
// or written by the add-in, by number.
//
// Numbers 1 to 6, 101 to 192 and 201 to 205 exist; texts are exact, with their blanks and
// punctuation. Code never spells a property name itself: it loads it by
// number, so the table is the one place where the names are defined.
#ifndef PINLET_ADDIN_STRING_TABLE_H_
#define PINLET_ADDIN_STRING_TABLE_H_

#include <string>

namespace pinlet {

// The text of string `id`; empty for a number the table does not have.
std::string LoadResString(int id);
// Whether the table has string `id`.
bool HasResString(int id);

// Numbers used by name in code.
namespace res {
constexpr int kProductName = 1;
constexpr int kZarvoOptions = 4;
constexpr int kPinletOptions = 5;
constexpr int kAboutPinlet = 6;
constexpr int kOptions = 101;
constexpr int kHelp = 102;
constexpr int kMenuBar = 104;
constexpr int kAddNote = 105;
constexpr int kAddNewNote = 106;
constexpr int kStandard = 107;
constexpr int kItemNumber = 108;
constexpr int kContextNote = 110;
constexpr int kContextMenu = 111;
constexpr int kViewNote = 112;
constexpr int kOk = 117;
constexpr int kGeneralSettings = 128;
constexpr int kType = 134;
constexpr int kZpnFolder = 135;
constexpr int kSubject = 141;
constexpr int kToolsMenu = 143;
constexpr int kFontButton = 147;
constexpr int kNoteTextFont = 148;
constexpr int kDeleteNoteQuestion = 150;
constexpr int kFolderPath = 151;
constexpr int kZpnFullBody = 154;
constexpr int kZpnTitle = 155;
constexpr int kZpnFontName = 161;
constexpr int kZpnBackColor = 162;
constexpr int kZpnFontBold = 163;
constexpr int kZpnFontItalic = 164;
constexpr int kZpnFontSize = 165;
constexpr int kZpnForeColor = 166;
constexpr int kZpnFontUnderline = 167;
constexpr int kZpnFontStrikethru = 168;
constexpr int kToolbarName = 169;
constexpr int kDefaultAppearance = 174;
constexpr int kFilterCaption = 182;
constexpr int kFilterTooltip = 183;
constexpr int kZpnBody = 184;
constexpr int kOpenNoteHint = 185;
constexpr int kInsertNoteHint = 186;
constexpr int kInsertNoteOption = 187;
constexpr int kOpenNoteOption = 188;
constexpr int kCancel = 190;
constexpr int kViewRelatedNote = 191;
constexpr int kOpenRefused = 192;
constexpr int kNoRedemption = 201;
constexpr int kNoCdo = 202;
constexpr int kNoRedemptionLog = 203;
constexpr int kNoCdoLog = 204;
constexpr int kNoNoteForOutlookNote = 205;
}  // namespace res

}  // namespace pinlet

#endif  // PINLET_ADDIN_STRING_TABLE_H_
