#include "assembly/addin_factory.h"

#include "notewindow/attachment_files.h"
#include "notewindow/frm_comments.h"
#include "explorer/bas_explorers.h"
#include "inspector/bas_inspectors.h"
#include "sharing/sharing_startup.h"
#include "store/store_subsystems.h"

namespace pinlet::assembly {

Subsystems PinletSubsystems() {
  Subsystems subsystems;
  InstallStore(subsystems);
  InstallExplorer(subsystems);
  InstallInspectors(subsystems);
  InstallSharing(subsystems);
  InstallNoteWindow(subsystems);
  return subsystems;
}

std::shared_ptr<Connect> CreatePinletAddin(const Platform& platform) {
  return std::make_shared<Connect>(platform, PinletSubsystems());
}

}  // namespace pinlet::assembly
