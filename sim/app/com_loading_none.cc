// The pinlet command on a machine without COM: the add-in is linked in.
#include "sim/app/com_loading.h"

namespace pinlet::app {

std::shared_ptr<AddinLoading> MakeComLoading(std::string& why) {
  why =
      "this build has no COM add-in; the Windows build (pinlet.exe) loads it under Wine";
  return nullptr;
}

void UsePlainLineEnds() {}

}  // namespace pinlet::app
