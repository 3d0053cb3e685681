#include "app/addin_factory.h"

namespace pinlet::app {

Subsystems PinletSubsystems() {
  Subsystems subsystems;
  return subsystems;
}

std::shared_ptr<Connect> CreatePinletAddin(const Platform& platform) {
  return std::make_shared<Connect>(platform, PinletSubsystems());
}

}  // namespace pinlet::app
