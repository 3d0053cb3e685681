// Assembles the add-in: the registered class with every subsystem's entry
// points installed. This is what the host creates for "Pinlet.Connect".
#ifndef PINLET_ASSEMBLY_ADDIN_FACTORY_H_
#define PINLET_ASSEMBLY_ADDIN_FACTORY_H_

#include <memory>

#include "addin/connect.h"
#include "platform/platform.h"

namespace pinlet::assembly {

// The subsystem entry points of the complete add-in.
Subsystems PinletSubsystems();
// A new add-in instance on `platform`.
std::shared_ptr<Connect> CreatePinletAddin(const Platform& platform);

}  // namespace pinlet::assembly

#endif  // PINLET_ASSEMBLY_ADDIN_FACTORY_H_
