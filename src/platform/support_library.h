// The maker's support library, as the add-in calls it.
//
// Four calls: initialisation, logging an error, the about box and a context
// help page. The first argument of every call is the module handle given at
// initialisation. Results carry no meaning for the add-in.
#ifndef PINLET_PLATFORM_SUPPORT_LIBRARY_H_
#define PINLET_PLATFORM_SUPPORT_LIBRARY_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace pinlet {

class HostApplication;

class SupportLibrary {
 public:
  virtual ~SupportLibrary() = default;
  virtual int32_t Init(int32_t module, int32_t kind, std::shared_ptr<HostApplication> app,
                       int32_t version, std::function<int32_t()> quick_start) = 0;
  virtual int32_t LogMsg(int32_t module, std::string_view description, int32_t number,
                         std::string_view tag, int32_t level, int32_t flag) = 0;
  virtual int32_t ShowAbout(int32_t module) = 0;
  virtual int32_t ShowContextHelp(int32_t module, std::string_view page) = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_SUPPORT_LIBRARY_H_
