// What the pinlet command does differently on the machines it is built for:
// loading the add-in as a COM add-in (only the Windows build can, under
// Wine), and writing its output with plain line ends.
#ifndef PINLET_SIM_APP_COM_LOADING_H_
#define PINLET_SIM_APP_COM_LOADING_H_

#include <memory>
#include <string>

#include "sim/app/driver.h"

namespace pinlet::app {

// The loading of the registered COM add-in for `run --com`; nullptr with
// `why` set when this build or machine cannot load it.
std::shared_ptr<AddinLoading> MakeComLoading(std::string& why);

// Makes standard output and error write "\n" as it is (not "\r\n"), so that
// the command's output is the same on every machine.
void UsePlainLineEnds();

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_COM_LOADING_H_
