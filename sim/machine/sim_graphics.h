// The simulated machine's graphics: masks computed from the pixels, and a
// call the fault injector can make fail ("CreateButtonMask" answers no
// mask, as the system does when it is out of graphics resources).
#ifndef PINLET_SIM_MACHINE_SIM_GRAPHICS_H_
#define PINLET_SIM_MACHINE_SIM_GRAPHICS_H_

#include "platform/graphics.h"

namespace pinlet::sim {

class FaultInjector;

class SimGraphics : public Graphics {
 public:
  explicit SimGraphics(FaultInjector* faults) : faults_(faults) {}
  std::optional<std::string> CreateButtonMask(const Picture& picture,
                                              uint32_t transparent) override;

 private:
  FaultInjector* faults_;
  PixelGraphics pixels_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_GRAPHICS_H_
