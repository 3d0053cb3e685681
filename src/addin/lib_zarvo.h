// CLibZarvo: the one wrapper through which the add-in calls the maker's
// support library (initialisation, error log, about box, help pages).
//
// The Outlook connector creates it at start-up and releases it at shut-down;
// while it does not exist, errors are not logged. Every call runs with errors
// ignored: a failing library call changes nothing else.
#ifndef PINLET_ADDIN_LIB_ZARVO_H_
#define PINLET_ADDIN_LIB_ZARVO_H_

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/support_library.h"

namespace pinlet {

class HostApplication;

// The value that identifies the add-in module to the library.
constexpr int32_t kModuleHandle = 0x11000000;

class CLibZarvo {
 public:
  explicit CLibZarvo(std::shared_ptr<SupportLibrary> library)
      : library_(std::move(library)) {}

  // LibZarvoInit(handle, 2, application, 14, QuickStart); keeps the handle.
  void Init(int32_t module, std::shared_ptr<HostApplication> application);
  // LibZarvoLogMsg(handle, description, number, tag, 3, 1).
  void LogMsg(std::string_view description, int32_t number, std::string_view tag);
  void ShowAbout();
  void ShowContextHelp(std::string_view page);

  int32_t handle() const { return handle_; }

 private:
  std::shared_ptr<SupportLibrary> library_;
  int32_t handle_ = 0;
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_LIB_ZARVO_H_
