// What the support library's stand-ins make of the calls they receive: the
// simulated host's library and the stand-in LibZarvo.dll describe each call
// in one record and append the same line to the library's log, so that a
// test reads the same from either. The maker's own library keeps its log
// as it likes; only the stand-ins promise this format.
#ifndef PINLET_PLATFORM_SUPPORT_CALLS_H_
#define PINLET_PLATFORM_SUPPORT_CALLS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/date.h"

namespace pinlet::support_calls {

// The log's file name, in the user's folder ("MyDir").
constexpr std::string_view kLogFileName = "LibZarvo.log";

// One record per call: "Init KIND VERSION", "LogMsg MODULE TAG | DESCRIPTION |
// NUMBER | LEVEL FLAG", "ShowAbout", "ShowContextHelp PAGE".
std::string InitRecord(int32_t kind, int32_t version);
std::string LogMsgRecord(int32_t module, std::string_view description, int32_t number,
                         std::string_view tag, int32_t level, int32_t flag);
std::string ShowAboutRecord();
std::string ShowContextHelpRecord(std::string_view page);

// The log line of one logged error, ending in "\r\n": the time as the host's
// general date, then "level LEVEL", the number, the tag and the description,
// separated by tabs.
std::string LogLine(const Date& now, std::string_view description, int32_t number,
                    std::string_view tag, int32_t level);

}  // namespace pinlet::support_calls

#endif  // PINLET_PLATFORM_SUPPORT_CALLS_H_
