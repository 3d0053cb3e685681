// Regular expressions as VBScript's RegExp object offers them, created by
// the ProgID "VBScript.RegExp" (ComObjectFactory::CreateRegExp).
//
// The pattern language is VBScript's (JScript's): escapes \d \w \s \b, sets,
// groups, alternation, the quantifiers * + ? {n,m} and their lazy forms,
// anchors ^ and $ for the start and end of the text. "." matches any
// character except a line feed. A pattern error is raised when the pattern
// is used, not when it is set, as the object does.
#ifndef PINLET_PLATFORM_REGEXP_H_
#define PINLET_PLATFORM_REGEXP_H_

#include <memory>
#include <string>
#include <string_view>

namespace pinlet {

class RegExp {
 public:
  virtual ~RegExp() = default;
  // The pattern; "" until set (which matches every text).
  virtual std::string Pattern() = 0;
  virtual void SetPattern(std::string_view pattern) = 0;
  // Whether letters match without regard to case; false until set.
  virtual bool IgnoreCase() = 0;
  virtual void SetIgnoreCase(bool on) = 0;
  // Whether a search finds every match rather than the first; false until
  // set. It does not change what Test answers.
  virtual bool Global() = 0;
  virtual void SetGlobal(bool on) = 0;
  // Whether the pattern matches somewhere in `text`. Raises HostError
  // errors::kRegExpSyntax when the pattern is malformed.
  virtual bool Test(std::string_view text) = 0;
};

using RegExpPtr = std::shared_ptr<RegExp>;

}  // namespace pinlet

#endif  // PINLET_PLATFORM_REGEXP_H_
