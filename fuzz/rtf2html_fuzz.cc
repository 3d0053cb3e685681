// libFuzzer target for RTF2HTML. The first byte chooses the options, the rest is the
// RTF. Besides the sanitizers' checks, every result must be balanced HTML, hold no
// control byte other than tab, CR and LF, and stay within the stated length bound.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "html_balance.h"
#include "rtf/rtf2html.h"

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
  if (html.size() > pinlet::kRtf2HtmlMaxOutputPerInputByte * rtf.size() +
                        pinlet::kRtf2HtmlMaxOutputExtra) {
    std::fprintf(stderr, "%zu bytes of HTML from %zu bytes of RTF\n", html.size(),
                 rtf.size());
    __builtin_trap();
  }
  for (const char c : html) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7f) {
      std::fprintf(stderr, "control byte %02x in the HTML\n", byte);
      __builtin_trap();
    }
  }
  return 0;
}
