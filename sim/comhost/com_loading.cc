// The pinlet command on Windows: `run --com` loads the registered COM
// add-in, and the output keeps plain line ends.
#include "sim/app/com_loading.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "sim/comhost/com_addin_loading.h"

namespace pinlet::app {

std::shared_ptr<AddinLoading> MakeComLoading(std::string&) {
  comhost::InitializeComHost();
  return comhost::MakeComAddinLoading();
}

void UsePlainLineEnds() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace pinlet::app
