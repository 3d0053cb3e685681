#include "sim/machine/sim_regexp.h"

#include <locale>

#include "platform/host_error.h"
#include "sim/machine/fault_injector.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

std::wstring CodePoints(std::string_view utf8) {
  std::u16string units = Utf8ToUtf16(utf8);
  std::wstring out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

// The machine's UTF-8 locale, for case folding beyond ASCII.
const std::locale& FoldingLocale() {
  static const std::locale kLocale = [] {
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
      try {
        return std::locale(name);
      } catch (const std::runtime_error&) {
        // Not installed here; try the next.
      }
    }
    return std::locale::classic();
  }();
  return kLocale;
}

HostError SyntaxError() {
  return HostError(errors::kRegExpSyntax, "Syntax error in regular expression",
                   "Microsoft VBScript runtime error");
}

}  // namespace

std::optional<std::wstring> TranslateVbPattern(std::string_view pattern) {
  std::wstring in = CodePoints(pattern), out;
  bool in_set = false;
  for (size_t i = 0; i < in.size(); ++i) {
    wchar_t c = in[i];
    if (c == L'\\') {
      if (i + 1 == in.size()) return std::nullopt;  // a pattern ending in "\"
      out += c;
      out += in[++i];
      continue;
    }
    if (in_set) {
      if (c == L']') in_set = false;
      out += c;
    } else if (c == L'[') {
      in_set = true;
      out += c;
      if (i + 1 < in.size() && in[i + 1] == L'^') out += in[++i];
      if (i + 1 < in.size() && in[i + 1] == L']') out += in[++i];  // "[]a]"
    } else if (c == L'.') {
      out += L"[^\\n]";
    } else {
      out += c;
    }
  }
  return out;
}

std::string SimRegExp::Pattern() {
  faults_->Check("RegExp.Pattern");
  return pattern_;
}

void SimRegExp::SetPattern(std::string_view pattern) {
  faults_->Check("RegExp.Pattern");
  pattern_ = std::string(pattern);
  compiled_.reset();
}

bool SimRegExp::IgnoreCase() {
  faults_->Check("RegExp.IgnoreCase");
  return ignore_case_;
}

void SimRegExp::SetIgnoreCase(bool on) {
  faults_->Check("RegExp.IgnoreCase");
  ignore_case_ = on;
  compiled_.reset();
}

bool SimRegExp::Global() {
  faults_->Check("RegExp.Global");
  return global_;
}

void SimRegExp::SetGlobal(bool on) {
  faults_->Check("RegExp.Global");
  global_ = on;
}

const std::wregex& SimRegExp::Compiled() {
  if (compiled_) return *compiled_;
  auto translated = TranslateVbPattern(pattern_);
  if (!translated) throw SyntaxError();
  auto flags = std::regex::ECMAScript;
  if (ignore_case_) flags |= std::regex::icase;
  std::wregex compiled;
  compiled.imbue(FoldingLocale());
  try {
    compiled.assign(*translated, flags);
  } catch (const std::regex_error&) {
    throw SyntaxError();
  }
  compiled_ = std::move(compiled);
  return *compiled_;
}

bool SimRegExp::Test(std::string_view text) {
  faults_->Check("RegExp.Test");
  const std::wregex& compiled = Compiled();
  std::wstring points = CodePoints(text);
  if (points.size() > kMaxText)
    throw HostError(errors::kOutOfStack, "Out of stack space",
                    "Microsoft VBScript runtime error");
  try {
    return std::regex_search(points, compiled);
  } catch (const std::regex_error&) {  // error_complexity, error_stack
    throw HostError(errors::kOutOfStack, "Out of stack space",
                    "Microsoft VBScript runtime error");
  }
}

}  // namespace pinlet::sim
