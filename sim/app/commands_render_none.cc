// A build without the renderer (the Windows build): no picture commands, and
// a tour that says why it draws nothing.
#include <ostream>

#include "sim/app/driver.h"
#include "sim/app/tour.h"

namespace pinlet::app {

void AddRenderCommands(std::map<std::string, Command>&) {}

int RunTourWithPictures(Driver&, const std::string&, const std::string&, std::ostream&,
                        std::ostream& err) {
  err << "pinlet: this build draws no pictures; the Linux build does\n";
  return kBadCommand;
}

}  // namespace pinlet::app
