// The simulated MAPI helper libraries: Redemption's MAPIUtils and
// RDOSession, and CDO's MAPI.Session, working on the same mail store as the
// simulated object model, so what one writes the other sees; and VBScript's
// RegExp (sim_regexp.h).
#ifndef PINLET_SIM_MACHINE_SIM_MAPI_HELPERS_H_
#define PINLET_SIM_MACHINE_SIM_MAPI_HELPERS_H_

#include "platform/mapi_helpers.h"

namespace pinlet::sim {

class World;

class SimObjectFactory : public ComObjectFactory {
 public:
  explicit SimObjectFactory(World* world) : world_(world) {}
  std::shared_ptr<MapiUtils> CreateMapiUtils() override;
  std::shared_ptr<CdoSession> CreateCdoSession() override;
  std::shared_ptr<RdoSession> CreateRdoSession() override;
  std::shared_ptr<SafeMailItem> CreateSafeMailItem() override;
  RegExpPtr CreateRegExp() override;
  // The sharing product's stand-in (World::sharing): 429 until installed.
  std::shared_ptr<SharingProduct> CreateSharingProduct() override;

  // A library that is not installed cannot be created (error 429).
  bool redemption_installed = true;
  bool cdo_installed = true;
  bool vbscript_installed = true;
  // How many CDO sessions were created, for tests of session sharing.
  int cdo_sessions_created = 0;

 private:
  World* world_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_MAPI_HELPERS_H_
