// Keeping the simulated machine's registry and the real one in step.
//
// The COM add-in reads and writes the real registry (its settings under
// HKEY_CURRENT_USER\Software\Zarvo) while the test host's commands read and
// write the simulated one. Between two commands the two are made the same
// again: before a command the simulated branch is copied over the real one,
// after it the real one back over the simulated one. Only what the registry
// interface carries is copied: keys holding values, and the values with
// their types and bytes (a key without values is not kept).
#ifndef PINLET_SIM_COMHOST_REGISTRY_MIRROR_H_
#define PINLET_SIM_COMHOST_REGISTRY_MIRROR_H_

#include <string>

#include "platform/registry.h"
#include "sim/machine/sim_registry.h"

namespace pinlet::comhost {

class RegistryMirror {
 public:
  // `branch` is the key kept in step ("Software\\Zarvo"); `real` is the
  // real HKEY_CURRENT_USER and must outlive this.
  RegistryMirror(std::string branch, Registry* real);

  // Copies the simulated branch over the real one, unless it is as it was
  // copied last time. False when the real registry refused a change.
  bool Push(sim::SimRegistry& simulated);
  // Copies the real branch over the simulated one, unless it is as it was.
  // The copy is the machine's own work: neither counted nor failed.
  void Pull(sim::SimRegistry& simulated);

 private:
  // The real branch read into a registry of its own.
  sim::SimRegistry ReadReal();

  std::string branch_;
  Registry* real_;
  std::string last_;  // the branch's text as the two last agreed on
};

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_REGISTRY_MIRROR_H_
