// Every contract, against every backend this build has: the simulated
// machine always, and Windows in the Windows build.
#include "clipboard_contract.h"
#include "dialogs_contract.h"
#include "files_contract.h"
#include "forms_contract.h"
#include "registry_contract.h"
#include "shell_contract.h"
#include "sim_backends.h"
#include "window_manager_contract.h"
#ifdef _WIN32
#include "win32_backends.h"
#endif

namespace pinlet::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Sim, ClipboardContract, SimClipboardBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, DialogsContract, SimDialogsBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, FilesContract, SimFilesBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, FormsContract, SimFormsBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, TextBoxContract, SimFormsBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, RegistryContract, SimRegistryBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, ShellContract, SimShellBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, WindowManagerContract, SimWindowManagerBackend);

#ifdef _WIN32
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ClipboardContract, Win32ClipboardBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, DialogsContract, Win32DialogsBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FilesContract, Win32FilesBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FormsContract, Win32FormsBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, TextBoxContract, Win32FormsBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32RegistryBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ShellContract, Win32ShellBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowManagerContract, Win32WindowManagerBackend);
#endif

}  // namespace pinlet::contract
