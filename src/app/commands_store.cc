// Commands that look at the mail store.
#include "app/driver.h"

namespace pinlet::app {

void AddStoreCommands(std::map<std::string, Command>&) {}

}  // namespace pinlet::app
