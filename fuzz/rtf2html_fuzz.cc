// libFuzzer target for RTF2HTML. The first byte chooses the options, the rest is the
// RTF. Besides the sanitizers' checks, every result must be balanced HTML.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "html_balance.h"
#include "inspector/rtf2html.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string options;
  if (data[0] & 1) options += "+CR";
  if (data[0] & 2) options += "+I";
  if (data[0] & 4) options += "-FF";
  if (data[0] & 8) options += "+F=" + std::to_string(data[0] >> 4);
  const std::string_view rtf(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string html = pinlet::RTF2HTML(rtf, options);
  const std::string error = pinlet::testing::HtmlBalanceError(html);
  if (!error.empty()) {
    std::fprintf(stderr, "unbalanced HTML: %s\n", error.c_str());
    __builtin_trap();
  }
  return 0;
}
