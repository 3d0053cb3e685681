// pinlet.dll's add-in: the complete add-in (assembly::CreatePinletAddin) on
// the COM build's platform (com_platform.h), which lives as long as it does,
// and which describes its windows to a program that asks
// (window_descriptions.h).
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "addin/connect.h"
#include "assembly/addin_factory.h"
#include "comserver/com_addin.h"
#include "comserver/com_platform.h"
#include "comserver/module.h"
#include "comserver/window_descriptions.h"
#include "platform/com/com_outlook.h"
#include "platform/com/late_bound.h"
#include "platform/wide_text.h"

namespace pinlet::com {
namespace {

// The add-in with the platform it runs on: the platform goes with it. The
// callbacks and the connectors are the add-in's own.
class AddinOnPlatform final : public IDTExtensibility2,
                              public AddInObject,
                              public DescribesWindows {
 public:
  void OnConnection(HostApplicationPtr application, int connect_mode,
                    std::shared_ptr<COMAddIn> addin_inst, Custom& custom) override {
    addin->OnConnection(std::move(application), connect_mode, std::move(addin_inst),
                        custom);
  }
  void OnDisconnection(int remove_mode, Custom& custom) override {
    addin->OnDisconnection(remove_mode, custom);
  }
  void OnAddInsUpdate(Custom& custom) override { addin->OnAddInsUpdate(custom); }
  void OnStartupComplete(Custom& custom) override { addin->OnStartupComplete(custom); }
  void OnBeginShutdown(Custom& custom) override { addin->OnBeginShutdown(custom); }
  std::shared_ptr<AddInConnectors> GetConnectors() override {
    return addin->GetConnectors();
  }
  std::optional<std::string> DescribeWindow(HWND window,
                                            std::string_view aspect) override {
    return DescribeWindowOf(addin.get(), window, aspect);
  }

  // The add-in goes first: it may release host objects as it goes.
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
  return made;
}

}  // namespace pinlet::com
