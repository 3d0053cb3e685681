#include "app/addin_factory.h"

#include "store/store_subsystems.h"

namespace pinlet::app {

Subsystems PinletSubsystems() {
  Subsystems subsystems;
  InstallStore(subsystems);
  return subsystems;
}

std::shared_ptr<Connect> CreatePinletAddin(const Platform& platform) {
  return std::make_shared<Connect>(platform, PinletSubsystems());
}

}  // namespace pinlet::app
