// The Outlook connector and its inspector event sink.
//
// COutlookConnect builds the process-wide state at connection (the three
// lists, the namespace, the folders from the settings, the notes folder),
// starts the support library and the trackers when start-up completes, and
// takes everything down again at shut-down and disconnection, in the host's
// order. OutAddIn follows Outlook's item windows so that a note window kept
// on top comes back on top when the item window it opened closes.
#ifndef PINLET_ADDIN_OUTLOOK_CONNECT_H_
#define PINLET_ADDIN_OUTLOOK_CONNECT_H_

#include <memory>
#include <string>

#include "addin/connect.h"

namespace pinlet {

class OutAddIn {
 public:
  explicit OutAddIn(AddinContext& context) : context_(context) {}
  // Releases the item windows it follows, then the sharing-product objects
  // (registration, product, extension).
  ~OutAddIn();

  // Keeps the application and ProgID and follows Application.Inspectors.
  void InitHandler(ol::ApplicationPtr application, std::string prog_id);
  // Releases the process-wide objects, in order: explorer tracker, inspector
  // tracker, the followed inspector and its item, the inspectors, the
  // application, the support library object, the namespace, the hand-over.
  void UnInitHandler();

  const std::string& ProgId() const { return prog_id_; }

 private:
  void colInsp_NewInspector(const ol::InspectorPtr& inspector);
  void objInsp_Close();

  AddinContext& context_;
  std::string prog_id_;
  ol::ApplicationPtr application_;
  ol::InspectorsPtr colInsp_;
  Subscription colInsp_events_;
  ol::InspectorPtr objInsp_;
  Subscription objInsp_events_;
  ol::ItemPtr current_item_;
};

class COutlookConnect : public Connector {
 public:
  explicit COutlookConnect(std::shared_ptr<AddinContext> context)
      : context_(std::move(context)) {}
  ~COutlookConnect() override;

  bool IsInitialized() override { return initialized_; }
  void OnConnection(HostApplicationPtr application, int connect_mode,
                    std::shared_ptr<COMAddIn> addin_inst, Custom& custom) override;
  void OnDisconnection(int remove_mode, Custom& custom) override;
  void OnAddInsUpdate(Custom&) override {}
  void OnStartupComplete(Custom& custom) override;
  void OnBeginShutdown(Custom& custom) override;

  // The reply/forward list (empty before connection and after shut-down).
  ReplyForms GetReplyForms() override;
  ol::NameSpacePtr GetNameSpace() { return context_->name_space; }

  // Shows or creates the note of a mail item for another host's connector.
  // With "View Note" the existing note is opened; otherwise a never-saved mail
  // is saved first when the user agrees. Only `caption` and `mail` matter.
  void PinletClick(const std::string& caption, bool toolbar_click,
                   const ol::ItemPtr& mail, const std::shared_ptr<void>& window,
                   bool& close_form,
                   const std::shared_ptr<void>& spell_check_implementer) override;

  OutAddIn* out_addin() { return out_addin_.get(); }

 private:
  OutAddIn& GetOutAddIn();

  std::shared_ptr<AddinContext> context_;
  ol::ApplicationPtr m_app_;
  bool initialized_ = false;
  std::unique_ptr<OutAddIn> out_addin_;
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_OUTLOOK_CONNECT_H_
