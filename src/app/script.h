// Splitting a scenario line into words.
//
// Words are separated by blanks; a word in double quotes may contain blanks,
// and inside quotes \" stands for a quotation mark and \\ for a backslash. A
// line whose first non-blank character is "#" is a comment.
#ifndef PINLET_APP_SCRIPT_H_
#define PINLET_APP_SCRIPT_H_

#include <string>
#include <string_view>
#include <vector>

namespace pinlet::app {

// Splits `line` into words; returns false and says why for an unterminated
// quotation. A comment or blank line gives no words.
bool SplitWords(std::string_view line, std::vector<std::string>& words,
                std::string& error);

}  // namespace pinlet::app

#endif  // PINLET_APP_SCRIPT_H_
