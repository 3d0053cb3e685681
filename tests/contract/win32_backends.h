// Windows itself as the backend of the contracts (the Windows build, run
// under Wine): the real services, on a folder of the test's own.
#ifndef PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_
#define PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_

#include <string>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "win32_fixture.h"

namespace pinlet::contract {

class Win32FilesBackend {
 public:
  FileSystem& files() { return files_; }
  std::string Root() { return folder_.path(); }

 private:
  testing::TestFolder folder_;
  Win32FileSystem files_;
};

// The current user's branch, overridden by an empty key of the test's own.
class Win32RegistryBackend {
 public:
  Registry& registry() { return registry_; }

 private:
  testing::TestCurrentUser user_;
  Win32Registry registry_;
};

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_
