#include "platform/support_calls.h"

namespace pinlet::support_calls {

std::string InitRecord(int32_t kind, int32_t version) {
  return "Init " + std::to_string(kind) + " " + std::to_string(version);
}

std::string LogMsgRecord(int32_t module, std::string_view description, int32_t number,
                         std::string_view tag, int32_t level, int32_t flag) {
  return "LogMsg " + std::to_string(module) + " " + std::string(tag) + " | " +
         std::string(description) + " | " + std::to_string(number) + " | " +
         std::to_string(level) + " " + std::to_string(flag);
}

std::string ShowAboutRecord() { return "ShowAbout"; }

std::string ShowContextHelpRecord(std::string_view page) {
  return "ShowContextHelp " + std::string(page);
}

std::string LogLine(const Date& now, std::string_view description, int32_t number,
                    std::string_view tag, int32_t level) {
  return now.ToGeneralString() + "\tlevel " + std::to_string(level) + "\t" +
         std::to_string(number) + "\t" + std::string(tag) + "\t" +
         std::string(description) + "\r\n";
}

}  // namespace pinlet::support_calls
