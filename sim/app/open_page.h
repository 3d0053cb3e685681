// Opening a copy of a page of the simulated machine on the real one, in a
// browser of the machine the pinlet command runs on.
#ifndef PINLET_SIM_APP_OPEN_PAGE_H_
#define PINLET_SIM_APP_OPEN_PAGE_H_

#include <iosfwd>
#include <string>
#include <string_view>

namespace pinlet::app {

// Writes `content` as the file `name` (a plain, safe file name) into a new
// folder of its own under this machine's temporary folder, so that nothing
// another user placed there is written through, and opens it in a browser.
// Returns 0 and says on `out` what was done (also when no browser is
// installed: then where the copy is); 2 with `error` set when the copy
// cannot be written.
int OpenPageCopy(const std::string& name, std::string_view content, std::ostream& out,
                 std::string& error);

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_OPEN_PAGE_H_
