// pinlet.dll's add-in.
//
// The complete add-in (assembly::CreatePinletAddin) runs on a Platform whose
// services reach Windows and Outlook through COM; until that Platform is
// assembled, pinlet.dll serves the do-nothing connector in its place, so
// that a registered DLL loads in Office, answers every callback and touches
// nothing. Building the complete add-in here is the only change the
// Platform needs from this layer.
#include "addin/connect.h"
#include "comserver/com_addin.h"

namespace pinlet::com {

std::shared_ptr<IDTExtensibility2> CreateComAddin() {
  return std::make_shared<CEmptyConnect>();
}

}  // namespace pinlet::com
