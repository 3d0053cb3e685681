#include "sim/machine/sim_graphics.h"

#include "sim/machine/fault_injector.h"

namespace pinlet::sim {

std::optional<std::string> SimGraphics::CreateButtonMask(const Picture& picture,
                                                         uint32_t transparent) {
  if (faults_->Fails("CreateButtonMask")) return std::nullopt;
  return pixels_.CreateButtonMask(picture, transparent);
}

}  // namespace pinlet::sim
