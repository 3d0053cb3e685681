#include "sim/machine/boundary.h"

#include <exception>

#include "platform/host_error.h"
#include "sim/machine/world.h"

namespace pinlet::sim {

void CallAtBoundary(World& world, std::string_view entry,
                    const std::function<void()>& call) {
  // The one place where the simulated host stops what the add-in let escape.
  try {
    call();
  } catch (const HostError& e) {
    world.RecordDefect(std::string(entry) + ": HostError " + std::to_string(e.number()) +
                       " " + e.description() + " reached the host");
  } catch (const std::exception& e) {
    world.RecordDefect(std::string(entry) + ": " + e.what() + " reached the host");
  } catch (...) {
    world.RecordDefect(std::string(entry) + ": an unknown exception reached the host");
  }
}

}  // namespace pinlet::sim
