// The pictures the pinlet command draws of the simulated screen: the
// renderer it shares, given the add-in's pictures and its note marking.
#ifndef PINLET_SIM_APP_PICTURES_H_
#define PINLET_SIM_APP_PICTURES_H_

#include <iosfwd>
#include <string>

#include "sim/app/driver.h"
#include "sim/app/resolve.h"
#include "sim/app/tour.h"
#include "sim/render/renderer.h"

namespace pinlet::app {

// The renderer of every picture the command draws, made on first use (its
// fonts take a moment to load) and kept for the process.
const render::Renderer& ScreenRenderer();

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_PICTURES_H_
