// VBScript's RegExp object simulated with std::regex in its ECMAScript
// grammar, which VBScript's pattern language follows closely. Where they
// differ, the simulation makes VBScript's choice or raises:
// - "." outside a set matches any character but a line feed (std::regex
//   would also refuse a carriage return): it is rewritten as [^\n];
// - the text is matched by code points, so "." takes one whole character;
//   IgnoreCase folds letters beyond ASCII ("É" matches "é") where the
//   machine has a UTF-8 locale, else ASCII letters only;
// - octal escapes (\012) and the Multiline property are not offered;
// - std::regex recurses once per character matched, so a text longer than
//   kMaxText characters raises VB's "Out of stack space" (28), as
//   VBScript's own engine can on long texts, rather than crash the host.
#ifndef PINLET_SIM_MACHINE_SIM_REGEXP_H_
#define PINLET_SIM_MACHINE_SIM_REGEXP_H_

#include <memory>
#include <optional>
#include <regex>
#include <string>

#include "platform/regexp.h"

namespace pinlet::sim {

class FaultInjector;

class SimRegExp : public RegExp {
 public:
  static constexpr size_t kMaxText = 2048;

  explicit SimRegExp(FaultInjector* faults) : faults_(faults) {}
  std::string Pattern() override;
  void SetPattern(std::string_view pattern) override;
  bool IgnoreCase() override;
  void SetIgnoreCase(bool on) override;
  bool Global() override;
  void SetGlobal(bool on) override;
  bool Test(std::string_view text) override;

 private:
  const std::wregex& Compiled();

  FaultInjector* faults_;
  std::string pattern_;
  bool ignore_case_ = false;
  bool global_ = false;
  std::optional<std::wregex> compiled_;  // reset when the pattern or case changes
};

// The pattern in std::regex's ECMAScript grammar with VBScript's meaning, as
// code points; nullopt when it is malformed in a way std::regex accepts.
std::optional<std::wstring> TranslateVbPattern(std::string_view pattern);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_REGEXP_H_
