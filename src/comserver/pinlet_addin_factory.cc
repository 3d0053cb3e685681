// pinlet.dll's add-in: the complete add-in (assembly::CreatePinletAddin) on
// the COM build's platform (com_platform.h), which lives as long as it does.
#include <memory>

#include "addin/connect.h"
#include "assembly/addin_factory.h"
#include "comserver/com_addin.h"
#include "comserver/com_platform.h"
#include "comserver/module.h"
#include "comserver/note_window_probes.h"
#include "platform/com/com_outlook.h"
#include "platform/com/late_bound.h"
#include "platform/wide_text.h"

namespace pinlet::com {
namespace {

// The add-in with the platform it runs on: the platform goes with it.
struct AddinOnPlatform {
  std::unique_ptr<ComPlatform> platform;
  std::shared_ptr<Connect> addin;
};

std::string ThisModuleFolder() {
  std::string path = Narrow(ThisModulePath());
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

}  // namespace

std::shared_ptr<IDTExtensibility2> CreateComAddin() {
  auto made = std::make_shared<AddinOnPlatform>();
  std::weak_ptr<AddinOnPlatform> weak = made;
  // Redemption's sessions attach to the MAPI session of the Outlook the
  // add-in is connected to: its namespace's MAPIOBJECT.
  auto outlook_session = [weak]() -> VariantValue {
    auto alive = weak.lock();
    if (!alive || !alive->addin || !alive->addin->context().name_space)
      return VariantValue();
    return LateBound(ToDispatch<ol::NameSpace>(alive->addin->context().name_space),
                     "NameSpace")
        .Call("MAPIOBJECT");
  };
  made->platform = std::make_unique<ComPlatform>(ThisModuleFolder(), outlook_session);
  made->addin = assembly::CreatePinletAddin(made->platform->platform());
  AnswerProbesOfNoteWindows(made->addin);
  // The add-in's pointer, owning both: the connectors stay reachable as the
  // add-in's own (it is a Connect), and the platform lives as long.
  return std::shared_ptr<IDTExtensibility2>(made, made->addin.get());
}

}  // namespace pinlet::com
