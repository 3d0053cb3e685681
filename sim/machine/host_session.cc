#include "sim/machine/host_session.h"

#include "platform/host_error.h"
#include "sim/machine/boundary.h"
#include "sim/machine/sim_word.h"

namespace pinlet::sim {
namespace {

class OtherHost : public HostApplication {
 public:
  OtherHost(World* world, std::string name)
      : world_(world),
        name_(std::move(name)),
        addins_(MakeCOMAddIns(world, {kPinletProgId})) {}
  std::string Name() override {
    world_->faults.Check("Application.Name");
    return name_;
  }
  std::string Version() override { return "11.0"; }
  std::shared_ptr<COMAddIns> GetCOMAddIns() override {
    world_->faults.Check("Application.COMAddIns");
    return addins_;
  }

 private:
  World* world_;
  std::string name_;
  std::shared_ptr<COMAddIns> addins_;
};

}  // namespace

std::string OutlookVersionText(std::string_view major) {
  if (major == "10") return "10.0.0.6626";  // Outlook 2002 SP3
  if (major == "11") return "11.0.0.8217";  // Outlook 2003 SP3
  return "";
}

std::shared_ptr<HostApplication> MakeOtherHost(World* world, std::string name) {
  return std::make_shared<OtherHost>(world, std::move(name));
}

HostSession::HostSession(World* world, AddInFactory factory, HostOptions options)
    : world_(world), factory_(std::move(factory)), options_(std::move(options)) {}

HostSession::~HostSession() {
  if (started_) Stop();
}

void HostSession::Call(const char* name, const std::function<void()>& callback) {
  callbacks_.emplace_back(name);
  CallAtBoundary(*world_, name, callback);
}

std::shared_ptr<COMAddIn> HostSession::AddInInstance() {
  // The host's own bookkeeping is not a call of the add-in's: it neither
  // counts nor fails.
  FaultInjector::Pause pause(world_->faults);
  return app_->GetCOMAddIns()->Item(kPinletProgId);
}

void HostSession::Start() {
  if (started_) return;
  started_ = true;
  if (options_.host_name == "Outlook") {
    outlook_ =
        std::make_shared<SimOutlook>(world_, std::vector<std::string>{kPinletProgId});
    app_ = outlook_;
    if (!options_.outlook_version.empty())
      outlook_->set_version(options_.outlook_version);
    outlook_->set_word_mail_editor(options_.word_mail_editor);
    if (options_.with_windows) outlook_->OpenExplorer();
  } else if (options_.host_name == "Microsoft Word") {
    word_ = std::make_shared<SimWord>(world_);
    app_ = word_;
  } else {
    app_ = MakeOtherHost(world_, options_.host_name);
  }
  addin_ = factory_(world_->platform());
  std::shared_ptr<COMAddIn> instance = AddInInstance();
  Custom custom;
  Call("OnConnection",
       [&] { addin_->OnConnection(app_, options_.connect_mode, instance, custom); });
  Call("OnAddInsUpdate", [&] { addin_->OnAddInsUpdate(custom); });
  Call("OnStartupComplete", [&] { addin_->OnStartupComplete(custom); });
  // Outlook shows its main window once the add-ins are loaded: the window
  // is activated then, and its Activate reaches the add-in.
  if (outlook_ && !outlook_->explorers().empty())
    outlook_->ShowStartupWindow(outlook_->explorers().front());
}

void HostSession::Reconnect() {
  if (!started_) return;
  Custom custom;
  Call("OnBeginShutdown", [&] { addin_->OnBeginShutdown(custom); });
  Call("OnDisconnection",
       [&] { addin_->OnDisconnection(kDisconnectUserClosed, custom); });
  std::shared_ptr<COMAddIn> instance = AddInInstance();
  Call("OnConnection",
       [&] { addin_->OnConnection(app_, kConnectAfterStartup, instance, custom); });
  Call("OnStartupComplete", [&] { addin_->OnStartupComplete(custom); });
  // The user switched the add-in off and on in a dialog over the main
  // window; as that dialog closes, the window is activated again.
  if (outlook_ && outlook_->active_explorer())
    outlook_->ShowStartupWindow(outlook_->active_explorer());
}

void HostSession::Stop() {
  if (!started_) return;
  started_ = false;
  if (outlook_) {
    outlook_->reminders().Close();
    while (!outlook_->inspectors().empty())
      outlook_->CloseInspector(outlook_->inspectors().back());
    while (!outlook_->explorers().empty())
      outlook_->CloseExplorer(outlook_->explorers().back());
  }
  Custom custom;
  Call("OnBeginShutdown", [&] { addin_->OnBeginShutdown(custom); });
  Call("OnDisconnection",
       [&] { addin_->OnDisconnection(kDisconnectHostShutdown, custom); });
  // The host forgets the add-in's published object when it unloads it.
  if (auto instance = AddInInstance()) {
    FaultInjector::Pause pause(world_->faults);
    instance->SetObject(nullptr);
  }
  addin_.reset();
  app_.reset();
  outlook_.reset();
  word_.reset();
}

}  // namespace pinlet::sim
