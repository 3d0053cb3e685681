// Splitting a scenario line into words, and reading numbers from words.
//
// Words are separated by blanks; a word in double quotes may contain blanks,
// and inside double quotes \" stands for a quotation mark and \\ for a
// backslash. A word in single quotes is taken literally ('C:\Program
// Files\'), with no escapes. A line whose first non-blank character is "#"
// is a comment.
#ifndef PINLET_SIM_APP_SCRIPT_H_
#define PINLET_SIM_APP_SCRIPT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pinlet::app {

// Splits `line` into words; returns false and says why for an unterminated
// quotation. A comment or blank line gives no words.
bool SplitWords(std::string_view line, std::vector<std::string>& words,
                std::string& error);

// The whole number a word holds: decimal with an optional sign, or
// hexadecimal after "0x"; nullopt for anything else ("1e3", "12abc", "") or
// a number outside [min, max].
std::optional<int64_t> ParseInteger(std::string_view word, int64_t min, int64_t max);

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_SCRIPT_H_
