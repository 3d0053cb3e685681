// The connector for Microsoft Word used as Outlook's e-mail editor.
//
// Word loads its own instance of the add-in, whose Outlook connector never
// connects. At connection this connector reaches the Outlook side the way
// another process must: it finds the running Outlook application through
// the platform (GetActiveObject "Outlook.Application"), takes that
// application's COMAddIns entry "Pinlet.Connect", whose Object is Outlook's
// Connect, and from it the "Outlook" connector. It reports itself
// initialised only after that succeeded. When start-up completes it starts
// the Word mail-window buttons (Subsystems::WordEditor), which reach the
// Outlook connector through outlook_connector().
#ifndef PINLET_ADDIN_WORD_CONNECT_H_
#define PINLET_ADDIN_WORD_CONNECT_H_

#include <memory>

#include "addin/connect.h"

namespace pinlet {

// The ProgID Outlook's application is registered under while it runs.
constexpr const char* kOutlookProgId = "Outlook.Application";

class CWordConnect : public Connector {
 public:
  explicit CWordConnect(std::shared_ptr<AddinContext> context)
      : context_(std::move(context)) {}

  bool IsInitialized() override { return initialized_; }
  void OnConnection(HostApplicationPtr application, int connect_mode,
                    std::shared_ptr<COMAddIn> addin_inst, Custom& custom) override;
  void OnDisconnection(int remove_mode, Custom& custom) override;
  void OnAddInsUpdate(Custom&) override {}
  void OnStartupComplete(Custom& custom) override;
  void OnBeginShutdown(Custom& custom) override;

  // The running Outlook's "Outlook" connector: the one reached at
  // connection while it lives, else found again; nullptr when Outlook (or
  // the add-in in it) does not run.
  std::shared_ptr<AddInConnector> outlook_connector();

 private:
  // Finds the Outlook connector as OnConnection does; nullptr when absent.
  std::shared_ptr<AddInConnector> FindOutlookConnector();

  std::shared_ptr<AddinContext> context_;
  HostApplicationPtr word_;
  std::weak_ptr<AddInConnector> outlook_;
  bool initialized_ = false;
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_WORD_CONNECT_H_
