// A simulated Office host process that loads the add-in the way the host does.
//
// The session starts a host application (Outlook, Word or any other named
// host), optionally with an open main window, creates the registered add-in
// class through its factory and calls the five IDTExtensibility2 callbacks in
// the host's order: OnConnection, OnAddInsUpdate, OnStartupComplete at start;
// at stop the windows close first, then OnBeginShutdown and OnDisconnection.
// An exception that escapes a callback is stopped at the host boundary and
// recorded as a defect of the world (boundary.h).
#ifndef PINLET_SIM_MACHINE_HOST_SESSION_H_
#define PINLET_SIM_MACHINE_HOST_SESSION_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/addin_host.h"
#include "platform/platform.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::sim {

constexpr const char* kPinletProgId = "Pinlet.Connect";

struct HostOptions {
  std::string host_name = "Outlook";
  // Outlook starts with a main window; false models Outlook started by
  // another program, with no window at all.
  bool with_windows = true;
  int connect_mode = kConnectStartup;
  // What Outlook's Version answers ("10.0.0.6626" for Outlook 2002,
  // "9.0.0.6627" for Outlook 2000); empty keeps the simulated Outlook's
  // default (2003). The members it offers follow (fault_injector.h).
  std::string outlook_version = "";
  // Word is Outlook's e-mail editor (mail windows report EditorType 4).
  bool word_mail_editor = false;
};

class SimWord;

// What Outlook's Version answers for the major version `major`: "10" for
// Outlook 2002, "11" for 2003 (each at its last service pack's build);
// "" for any other text.
std::string OutlookVersionText(std::string_view major);

class HostSession {
 public:
  using AddInFactory = std::function<std::shared_ptr<IDTExtensibility2>(const Platform&)>;

  HostSession(World* world, AddInFactory factory, HostOptions options = {});
  ~HostSession();

  // Starts the host and loads the add-in; does nothing when already started.
  void Start();
  // Closes the windows, unloads the add-in and ends the host.
  void Stop();
  // Switches the add-in off and on again in the same process (a second
  // connection of the same add-in object), as the user does in Outlook's
  // COM Add-ins dialog: when the dialog closes, the main window it was shown
  // over is activated again (its Activate fires).
  void Reconnect();

  bool started() const { return started_; }
  // The host's application; an Outlook when host_name is "Outlook".
  std::shared_ptr<HostApplication> application() const { return app_; }
  std::shared_ptr<SimOutlook> outlook() const { return outlook_; }
  // The host's Word when host_name is "Microsoft Word": Outlook's e-mail
  // editor, beside the Outlook of another session on the same world.
  std::shared_ptr<SimWord> word() const { return word_; }
  std::shared_ptr<IDTExtensibility2> addin() const { return addin_; }
  // The callbacks made, in order ("OnConnection", ...).
  const std::vector<std::string>& callbacks() const { return callbacks_; }

 private:
  void Call(const char* name, const std::function<void()>& callback);
  std::shared_ptr<COMAddIn> AddInInstance();

  World* world_;
  AddInFactory factory_;
  HostOptions options_;
  bool started_ = false;
  std::shared_ptr<HostApplication> app_;
  std::shared_ptr<SimOutlook> outlook_;
  std::shared_ptr<SimWord> word_;
  std::shared_ptr<IDTExtensibility2> addin_;
  std::vector<std::string> callbacks_;
};

// Any other Office host: a name and the COM add-ins collection.
std::shared_ptr<HostApplication> MakeOtherHost(World* world, std::string name);
std::shared_ptr<COMAddIns> MakeCOMAddIns(World* world,
                                         const std::vector<std::string>& progids);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_HOST_SESSION_H_
