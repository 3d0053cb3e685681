// Creating the helper libraries' objects by ProgID, and finding a running
// Office application, over COM.
#include <string>

#include "platform/com/com_error.h"
#include "platform/com/com_helpers.h"
#include "platform/com/com_office.h"
#include "platform/host_error.h"
#include "platform/wide_text.h"

namespace pinlet::com {
namespace {

// The class registered under `prog_id`; false when there is none.
bool ClassOf(std::string_view prog_id, CLSID* clsid) {
  std::wstring name = Wide(prog_id);
  return SUCCEEDED(CLSIDFromProgID(name.c_str(), clsid));
}

template <typename T>
std::shared_ptr<T> Created(std::string_view prog_id) {
  return ToPlatform<T>(CreateObjectByProgId(prog_id));
}

}  // namespace

ComPtr<IDispatch> CreateObjectByProgId(std::string_view prog_id) {
  CLSID clsid{};
  ComPtr<IDispatch> object;
  if (ClassOf(prog_id, &clsid))
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                     IID_IDispatch, object.PutVoid());
  if (!object)
    throw HostError(errors::kCannotCreateObject,
                    DescriptionOfNumber(errors::kCannotCreateObject),
                    std::string(prog_id));
  return object;
}

std::shared_ptr<HostApplication> GetActiveHostApplication(std::string_view prog_id) {
  CLSID clsid{};
  if (!ClassOf(prog_id, &clsid)) return nullptr;
  ComPtr<IUnknown> running;
  if (FAILED(GetActiveObject(clsid, nullptr, running.Put())) || !running) return nullptr;
  ComPtr<IDispatch> application = running.As<IDispatch>(IID_IDispatch);
  return ToPlatform<HostApplication>(application);
}

std::shared_ptr<MapiUtils> ComHostObjects::CreateMapiUtils() {
  return Created<MapiUtils>("Redemption.MAPIUtils");
}

std::shared_ptr<CdoSession> ComHostObjects::CreateCdoSession() {
  return Created<CdoSession>("MAPI.Session");
}

std::shared_ptr<RdoSession> ComHostObjects::CreateRdoSession() {
  return MakeRdoSessionClient(CreateObjectByProgId("Redemption.RDOSession"),
                              outlook_session_);
}

std::shared_ptr<SafeMailItem> ComHostObjects::CreateSafeMailItem() {
  return Created<SafeMailItem>("Redemption.SafeMailItem");
}

RegExpPtr ComHostObjects::CreateRegExp() { return Created<RegExp>("VBScript.RegExp"); }

std::shared_ptr<SharingProduct> ComHostObjects::CreateSharingProduct() {
  return Created<SharingProduct>("Relaybook.Engine");
}

}  // namespace pinlet::com
