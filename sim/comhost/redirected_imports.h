// A set of a module's imports sent to the test host's own functions for as
// long as the set lives (import_table.h), then put back. Both the services
// the test host lends the add-in's DLL (lent_services.h) and the system
// calls it watches (shown_calls.h) are such sets.
#ifndef PINLET_SIM_COMHOST_REDIRECTED_IMPORTS_H_
#define PINLET_SIM_COMHOST_REDIRECTED_IMPORTS_H_

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace pinlet::comhost {

// One import, by its library's and its own name, and where it goes instead.
struct Redirect {
  const char* library;
  const char* function;
  void* replacement;
};

class RedirectedImports {
 public:
  // Redirects each of `redirects` in `module`, which must stay loaded while
  // this lives. What the module does not import is left out and named by
  // missing().
  RedirectedImports(HMODULE module, std::span<const Redirect> redirects);
  // Puts every redirected import back.
  ~RedirectedImports();
  RedirectedImports(const RedirectedImports&) = delete;
  RedirectedImports& operator=(const RedirectedImports&) = delete;

  // The functions that could not be redirected, comma-separated; "" when
  // every one was.
  const std::string& missing() const { return missing_; }
  // Where the module's calls of `function` went before; nullptr when it was
  // not redirected.
  void* original(const char* function) const;

 private:
  struct Replaced {
    const char* library;
    const char* function;
    void* original;
  };
  HMODULE module_;
  std::vector<Replaced> replaced_;
  std::string missing_;
};

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_REDIRECTED_IMPORTS_H_
