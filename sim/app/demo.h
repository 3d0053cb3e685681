// The guided tour `pinlet demo` runs: a scenario over the sample mailbox that
// shows each step a user wants to see.
#ifndef PINLET_SIM_APP_DEMO_H_
#define PINLET_SIM_APP_DEMO_H_

#include <string>

namespace pinlet::app {

// The tour's script, in the scenario language of `pinlet run`.
const std::string& DemoScript();

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_DEMO_H_
