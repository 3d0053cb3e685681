// The process-wide state of one loaded add-in instance.
//
// Everything the add-in keeps between host callbacks lives here: the Outlook
// application and namespace, the three lists (open note windows, reply and
// forward objects, item-window wrappers), the folders read from the settings,
// the support library object, the trackers, the reply/forward hand-over and
// the guards. One context belongs to each Connect object, so two add-in
// instances in one process never share state. Members are typed; the classes
// of later layers are only declared here. Subsystems (subsystems.h) is how
// this layer reaches the subsystems built on top of it (the connector
// starting the trackers, the note store showing a note window).
#ifndef PINLET_ADDIN_CONTEXT_H_
#define PINLET_ADDIN_CONTEXT_H_

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "addin/lib_zarvo.h"
#include "addin/note_window.h"
#include "addin/subsystems.h"
#include "platform/addin_object.h"
#include "platform/outlook_app.h"
#include "platform/platform.h"

namespace pinlet {

struct AddinContext;
class COutlookConnect;
// Classes of the layers built on this one.
class clsExplorers;
class frmOptions;
class clsInspectors;
class clsInspector;
class CWordMailButtons;
class cLibAddin;
class SharingProduct;
class SharingEngine;
class GCommonDialog;

struct AddinContext {
  AddinContext(Platform platform, Subsystems subsystems)
      : platform(std::move(platform)), subsystems(std::move(subsystems)) {}

  Platform platform;
  Subsystems subsystems;

  ol::ApplicationPtr application;
  ol::NameSpacePtr name_space;
  // The application this instance serves: Outlook, or Word in Word's
  // instance; set by the host's connector from its connection to its
  // disconnection. Its version decides how button faces are set.
  HostApplicationPtr host;
  COutlookConnect* outlook_connector = nullptr;

  // The three lists exist from connection to shut-down (nullopt otherwise).
  std::optional<std::vector<std::shared_ptr<NoteWindow>>> note_windows;
  std::optional<ReplyForms> reply_forwards;
  std::optional<std::vector<std::shared_ptr<clsInspector>>> inspector_wrappers;

  std::string install_dir;
  std::string user_dir;

  std::unique_ptr<CLibZarvo> support;
  std::shared_ptr<clsExplorers> explorer_tracker;
  // The options dialog, made the first time it is shown; it keeps its
  // custom colour from one showing to the next.
  std::shared_ptr<frmOptions> options_dialog;
  std::shared_ptr<clsInspectors> inspector_tracker;
  // In Word's instance: the buttons of Word's mail windows.
  std::shared_ptr<CWordMailButtons> word_buttons;

  // Sharing-product objects: the extension, the product's object, and the
  // engine interface it returned when the extension was registered.
  std::shared_ptr<cLibAddin> sharing_extension;
  std::shared_ptr<SharingProduct> sharing_product;
  std::shared_ptr<SharingEngine> sharing_registration;

  // The shared CDO session of the sharing product, when it made one.
  std::shared_ptr<CdoSession> cdo_session;
  // The colour dialog's custom colours, shared by every note window; made
  // by the first window that needs them.
  std::shared_ptr<GCommonDialog> common_dialog;

  // The reply/forward hand-over: set when Outlook's Reply, Reply to All or
  // Forward runs on an item with a note, for the next reply or forward
  // window to take: the flag, the item replied to and its note.
  bool handover = false;
  ol::ItemPtr handover_item;
  ol::ItemPtr handover_note;

  // The re-entrancy flags below are set only through a FlagScope (or
  // ItemUpdateScope), for exactly as long as what they mark lasts.
  //
  // Set while the add-in writes to a parent item, so the selection handler
  // ignores the events that causes (the parent-update flag).
  bool item_update = false;
  // Set by a note window while it asks the explorer to re-handle a selection.
  bool note_refresh = false;
  // Set while a note window opens its parent item.
  bool parent_opening = false;
  // Set by a note window while it loads or deletes its note.
  bool note_loading = false;
  // The user was told that Redemption, or CDO, is not installed (once a
  // session; addin/helper_libraries.h).
  bool told_no_redemption = false;
  bool told_no_cdo = false;
  // The number of the last Tag given to a button of this instance's
  // (ControlTag).
  int control_tags = 0;

  Registry& registry() { return *platform.registry; }
};

// Sets one of the context's re-entrancy flags while it lives, and puts back
// what it found when it goes: the one way those flags change, so that a
// nested scope never clears an outer one's flag.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = was_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

// While it lives, the add-in writes an item of its own accord, and the
// selection events that causes are its own (item_update). The code that
// writes the parent holds it, around the writing alone.
class ItemUpdateScope : public FlagScope {
 public:
  explicit ItemUpdateScope(AddinContext& ctx) : FlagScope(ctx.item_update) {}
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_CONTEXT_H_
