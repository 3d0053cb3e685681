// The helper libraries the add-in creates by ProgID, across COM: CDO 1.2's
// session, messages and fields, Redemption's MAPIUtils, RDOSession and
// SafeMailItem, VBScript's RegExp, and the sharing product's engine with
// the extension interface the add-in hands it (which crosses the other way:
// served from the DLL, a client in the product's process).
//
// Members are the libraries' own names. Optional arguments go by position
// where the library's order is fixed, and CDO's and Redemption's Logon take
// ShowDialog and NewSession by name, as VBA callers pass them; the served
// types accept both.
//
// ComHostObjects is the platform's ComObjectFactory over COM: each object is
// created by its ProgID (CLSIDFromProgID, then CoCreateInstance in process
// or in a local server) and raises HostError 429 when it cannot be.
// GetActiveHostApplication is Platform::get_active_object.
#ifndef PINLET_PLATFORM_COM_COM_HELPERS_H_
#define PINLET_PLATFORM_COM_COM_HELPERS_H_

#include <functional>
#include <memory>
#include <string_view>

#include "platform/addin_host.h"
#include "platform/com/com_objects.h"
#include "platform/mapi_helpers.h"
#include "platform/regexp.h"
#include "platform/sharing.h"

namespace pinlet::com {

// Redemption and CDO (client_mapi.cc, served_mapi.cc).
PINLET_COM_OBJECT(MapiUtils)
PINLET_COM_OBJECT(CdoSession)
PINLET_COM_OBJECT(CdoMessage)
PINLET_COM_OBJECT(CdoFields)
PINLET_COM_OBJECT(CdoField)
PINLET_COM_OBJECT(RdoSession)
PINLET_COM_OBJECT(SafeMailItem)

// VBScript's regular expressions and the sharing product
// (client_sharing.cc, served_sharing.cc).
PINLET_COM_OBJECT(RegExp)
PINLET_COM_OBJECT(SharingProduct)
PINLET_COM_OBJECT(SharingEngine)
PINLET_COM_OBJECT(IRelaybookExt)

// A new object of the class registered under `prog_id`, as IDispatch.
// Raises HostError 429, "ActiveX component can't create object", with the
// ProgID as its source, when the ProgID is unknown or the object cannot be
// created.
ComPtr<IDispatch> CreateObjectByProgId(std::string_view prog_id);

// The running application registered under `prog_id` in the running object
// table (GetActiveObject), as a client; nullptr when none runs or the
// ProgID is unknown. Outlook's is an ol::Application, Word's a
// word::Application (com_office.h).
std::shared_ptr<HostApplication> GetActiveHostApplication(std::string_view prog_id);

class ComHostObjects : public ComObjectFactory {
 public:
  // What an RDOSession's AttachToOutlook assigns to its MAPIOBJECT: the
  // MAPIOBJECT of Outlook's own NameSpace, which the one who knows Outlook
  // (the DLL, from the application it connected to) provides. Without it
  // the session is given Empty.
  using SessionSource = std::function<VariantValue()>;
  explicit ComHostObjects(SessionSource outlook_session = nullptr)
      : outlook_session_(std::move(outlook_session)) {}

  std::shared_ptr<MapiUtils> CreateMapiUtils() override;
  std::shared_ptr<CdoSession> CreateCdoSession() override;
  std::shared_ptr<RdoSession> CreateRdoSession() override;
  std::shared_ptr<SafeMailItem> CreateSafeMailItem() override;
  RegExpPtr CreateRegExp() override;
  std::shared_ptr<SharingProduct> CreateSharingProduct() override;

 private:
  SessionSource outlook_session_;
};

// A client of an RDOSession whose AttachToOutlook assigns what `session`
// answers (see ComHostObjects).
std::shared_ptr<RdoSession> MakeRdoSessionClient(const ComPtr<IDispatch>& object,
                                                 ComHostObjects::SessionSource session);

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_HELPERS_H_
