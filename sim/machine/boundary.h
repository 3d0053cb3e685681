// The host boundary of the simulated host: where the host calls into the
// add-in (the connection callbacks, event handlers, click handlers, timer
// ticks, dialog responses).
//
// The add-in promises that nothing escapes to the host. Whatever does escape
// is a defect of the add-in: the simulated host stops it here, as the real
// host would have to, and records it in the world's defect list, which every
// test fixture and every `pinlet run` checks. A HostError that escapes is a
// defect too: the add-in should have handled it.
#ifndef PINLET_SIM_MACHINE_BOUNDARY_H_
#define PINLET_SIM_MACHINE_BOUNDARY_H_

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace pinlet::sim {

class World;

// Runs `call` (an entry point of the add-in, named `entry` for the record);
// anything it throws is stopped and recorded as a defect of `world`.
void CallAtBoundary(World& world, std::string_view entry,
                    const std::function<void()>& call);

// The handler as the host calls it: through CallAtBoundary.
template <typename... Args>
std::function<void(Args...)> AtBoundary(World& world, std::string entry,
                                        std::function<void(Args...)> handler) {
  return [&world, entry = std::move(entry), handler = std::move(handler)](Args... args) {
    CallAtBoundary(world, entry, [&] { handler(std::forward<Args>(args)...); });
  };
}

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_BOUNDARY_H_
