#include "addin/error_report.h"

#include "addin/string_table.h"

namespace pinlet {

std::string TagWithLine(std::string_view tag, int line) {
  std::string out(tag);
  if (line != 0) out += ", " + std::to_string(line);
  return out;
}

void ReportError(AddinContext& context, std::string_view tag, int line, int32_t number,
                 std::string_view description) {
  if (!context.support) return;
  context.support->LogMsg(description, number, TagWithLine(tag, line));
}

int ShowMessage(AddinContext& context, std::string_view text, int style, int fallback) {
  int answer = fallback;
  IgnoreError([&] {
    answer = context.platform.message_boxes->Show(text, LoadResString(res::kProductName),
                                                  style);
  });
  return answer;
}

}  // namespace pinlet
