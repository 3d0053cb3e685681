#include "addin/lib_zarvo.h"

#include "platform/host_error.h"

namespace pinlet {
namespace {

// The library's start callback: nothing to do, and it says so.
int32_t QuickStart() { return 0; }

}  // namespace

void CLibZarvo::Init(int32_t module, std::shared_ptr<HostApplication> application) {
  handle_ = module;
  IgnoreError(
      [&] { library_->Init(handle_, 2, std::move(application), 14, &QuickStart); });
}

void CLibZarvo::LogMsg(std::string_view description, int32_t number,
                       std::string_view tag) {
  IgnoreError([&] { library_->LogMsg(handle_, description, number, tag, 3, 1); });
}

void CLibZarvo::ShowAbout() {
  IgnoreError([&] { library_->ShowAbout(handle_); });
}

void CLibZarvo::ShowContextHelp(std::string_view page) {
  IgnoreError([&] { library_->ShowContextHelp(handle_, page); });
}

}  // namespace pinlet
