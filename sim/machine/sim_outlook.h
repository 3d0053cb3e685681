// The simulated Outlook: the object model of outlook_items.h and
// outlook_app.h over a World's mail store.
//
// Objects handed out are handles on the store's nodes, so two handles on the
// same item see the same state, as COM objects over one MAPI object do. Each
// member first passes the world's fault injector under a name such as
// "Items.Item" or "Item.Save", then enforces the host's rules (see
// mail_store.h) and raises the host's errors. Windows raise their events in
// the order outlook_app.h describes.
//
// The driver side (the user's actions: opening windows and items, choosing
// folders, views and items, Outlook's own commands) is not a call of the
// add-in's: it passes no fault check, and the events it raises reach the
// add-in's handlers through the host boundary like any other.
#ifndef PINLET_SIM_MACHINE_SIM_OUTLOOK_H_
#define PINLET_SIM_MACHINE_SIM_OUTLOOK_H_

#include <memory>
#include <string>
#include <vector>

#include "platform/host_error.h"
#include "platform/outlook_app.h"
#include "sim/machine/item_object.h"
#include "sim/machine/mail_answers.h"
#include "sim/machine/sim_command_bars.h"
#include "sim/machine/sim_reminders.h"
#include "sim/machine/world.h"

namespace pinlet::sim {

class SimOutlook;

// Whether an item of class `cls` has the late-bound member `member`.
bool ClassHasMember(int cls, std::string_view member);

// Handles on store nodes, for the helper libraries and the pinlet command.
// WrapItem makes a new item object, as fetching the item from the store
// does: it shows the stored item. WrapObject is one more handle on an
// existing object, with its unsaved changes (item_object.h).
ol::ItemPtr WrapItem(World* world, std::shared_ptr<ItemNode> node);
ol::ItemPtr WrapObject(World* world, std::shared_ptr<ItemObject> object);
// One more handle on the object, outside the object model guard's trust (one
// not derived from the Application handed the add-in; object_model_guard.h).
ol::ItemPtr WrapUntrustedObject(World* world, std::shared_ptr<ItemObject> object);
ol::FolderPtr WrapFolder(World* world, FolderNode* node);
// The root folders of all stores, in the profile's order (NameSpace.Folders).
ol::FoldersPtr WrapStoreRoots(World* world);
ol::AttachmentsPtr WrapAttachments(World* world, std::shared_ptr<ItemObject> owner);
// An item's recipients under the host names of `kind`: "Recipient" for
// Outlook's (Recipients.Count, Recipient.Name, ...), "SafeRecipient" for the
// helper library's (SafeRecipients.Count, SafeRecipient.Name, ...).
ol::RecipientsPtr WrapRecipients(World* world, std::shared_ptr<ItemObject> owner,
                                 std::string_view kind = "Recipient");
// The host's errors for an index out of range and for an item deleted for good.
HostError IndexError(const char* member);
HostError ItemGoneError(const char* member);
// The stored item behind a handle made by this simulation, and the item
// object the handle is; nullptr for foreign objects.
std::shared_ptr<ItemNode> NodeOf(const ol::ItemPtr& item);
std::shared_ptr<ItemObject> ObjectOf(const ol::ItemPtr& item);
FolderNode* NodeOf(const ol::FolderPtr& folder);

class SimExplorer;
class SimInspector;

class SimOutlook : public ol::Application,
                   public std::enable_shared_from_this<SimOutlook> {
 public:
  // An Outlook running on `world` with the add-ins registered under the given
  // ProgIDs. `name` is what Name answers ("Outlook").
  SimOutlook(World* world, std::vector<std::string> addin_progids,
             std::string name = "Outlook");
  ~SimOutlook() override;

  std::string Name() override;
  std::string Version() override;
  std::shared_ptr<COMAddIns> GetCOMAddIns() override;
  ol::ExplorersPtr Explorers() override;
  ol::InspectorsPtr Inspectors() override;
  ol::ExplorerPtr ActiveExplorer() override;
  ol::InspectorPtr ActiveInspector() override;
  ol::NameSpacePtr GetNameSpace(std::string_view type) override;

  // The user's actions.
  // Opens a main window on `folder` (the Inbox when null): NewExplorer,
  // Activate, and SelectionChange for the folder's first item.
  std::shared_ptr<SimExplorer> OpenExplorer(FolderNode* folder = nullptr);
  // Opens an item's window: NewInspector, the item's Open, Activate. Returns
  // the window, or nullptr when a handler cancelled Open. An item whose
  // window is open gets that window activated. The user opening a stored
  // item gets a new item object; an item object's Display shows that object,
  // its unsaved changes with it, and the window's CurrentItem is that object.
  std::shared_ptr<SimInspector> OpenItem(const std::shared_ptr<ItemNode>& item);
  std::shared_ptr<SimInspector> OpenItem(const ol::ItemPtr& item);
  std::shared_ptr<SimInspector> OpenInspector(const ol::ItemPtr& item) {
    return OpenItem(item);
  }
  // A window for the item with its command bars, not yet among Inspectors:
  // shown (with a window handle) for OpenItem, or hidden, as GetInspector
  // makes one for an item that has no window open.
  std::shared_ptr<SimInspector> MakeInspector(const ol::ItemPtr& item, bool shown);
  // Outlook's start-up window showing once the add-ins are loaded: it is
  // activated (again), so its Activate fires.
  void ShowStartupWindow(const std::shared_ptr<SimExplorer>& explorer);
  // Brings a window to the front; its Activate fires unless it was active.
  void ActivateExplorer(const std::shared_ptr<SimExplorer>& explorer);
  void ActivateInspector(const std::shared_ptr<SimInspector>& inspector);
  // Closes a window: fires its Close event and drops it from its collection.
  void CloseExplorer(const std::shared_ptr<SimExplorer>& explorer);
  void CloseInspector(const std::shared_ptr<SimInspector>& inspector);
  // Outlook's Reply, Reply to All or Forward command on `source`: makes the
  // answer and opens its window (NewInspector, then the answer's Open).
  // Returns the window; nullptr when there is no source, its class has no
  // such command, or the answer's Open was cancelled. It is the built-in
  // action of the windows' controls 354, 355 and 356, run after their Click
  // unless a handler cancelled the default. The answer, and the mail
  // windows shown after it, are recorded in World::answers.
  std::shared_ptr<SimInspector> RunAnswerCommand(AnswerKind kind,
                                                 const std::shared_ptr<ItemNode>& source);

  // What the store tells the windows (the simulated host's own work).
  // A saved change to an item: windows selecting it redraw their selection.
  void ItemChanged(const ItemNode& item);
  // An item deleted or moved: it leaves the selections that held it.
  void ItemLeftFolder(const ItemNode& item);

  // Outlook's reminders and their window.
  SimReminders& reminders() { return reminders_; }
  const SimReminders& reminders() const { return reminders_; }

  const std::vector<std::shared_ptr<SimExplorer>>& explorers() const {
    return explorers_;
  }
  const std::vector<std::shared_ptr<SimInspector>>& inspectors() const {
    return inspectors_;
  }
  World* world() const { return world_; }
  // The windows that have the focus of their kind (the machine's view).
  const std::shared_ptr<SimExplorer>& active_explorer() const { return active_explorer_; }
  const std::shared_ptr<SimInspector>& active_inspector() const {
    return active_inspector_;
  }
  // What Version answers: "11.0.0.8217" (Outlook 2003) unless set, for
  // example to "10.0.0.6626" (Outlook 2002) or "9.0.0.6627" (Outlook 2000).
  // The members the host offers follow its major version (the world's
  // fault injector refuses the others).
  void set_version(std::string version);
  // The major version number the version text starts with.
  int major_version() const;
  // Outlook's option "Use Microsoft Word to edit e-mail messages": mail
  // windows opened while it is set show Word's command bars and report
  // EditorType 4.
  void set_word_mail_editor(bool on) { word_mail_editor_ = on; }
  bool word_mail_editor() const { return word_mail_editor_; }

 private:
  friend class SimExplorers;
  friend class SimInspectors;
  friend class SimExplorer;
  friend class SimInspector;
  void Activate(WindowHandle hwnd, const std::function<void()>& fire);
  // Makes the desktop's activation of `hwnd` activate the Outlook window
  // (`activate`), and its deactivation leave Outlook without a focused window.
  void FollowDesktop(WindowHandle hwnd, std::function<void()> activate);
  // Outlook's Reply, Reply to All and Forward as the built-in actions of
  // the bars' controls 354, 355 and 356, on what `source` answers.
  void WireAnswerCommands(SimCommandBars& bars,
                          std::function<std::shared_ptr<ItemNode>()> source);

  std::shared_ptr<SimCommandBars> MakeCommandBars(
      const std::vector<BarDef>& bars, const std::shared_ptr<office::Window>& window);
  World* world_;
  std::string name_;
  std::string version_ = "11.0.0.8217";
  bool word_mail_editor_ = false;
  std::shared_ptr<COMAddIns> addins_;
  // The bars of Outlook's own windows, for the routing of clicks by Tag.
  std::shared_ptr<BarProcess> bar_process_ = std::make_shared<BarProcess>();
  std::vector<std::shared_ptr<SimExplorer>> explorers_;
  std::vector<std::shared_ptr<SimInspector>> inspectors_;
  Event<ol::ExplorerPtr> new_explorer_;
  Event<ol::InspectorPtr> new_inspector_;
  std::shared_ptr<SimExplorer> active_explorer_;
  std::shared_ptr<SimInspector> active_inspector_;
  WindowHandle active_window_ = 0;  // the Outlook window that has the focus
  SimReminders reminders_{world_};
};

class SimExplorer : public ol::Explorer {
 public:
  SimExplorer(SimOutlook* app, FolderNode* folder, WindowHandle hwnd);
  int Class() override;
  std::string Caption() override;
  ol::FolderPtr CurrentFolder() override;
  void SetCurrentFolder(const ol::FolderPtr& folder) override;
  std::string CurrentView() override;
  void SetCurrentView(std::string_view view_name) override;
  ol::SelectionPtr Selection() override;
  void Activate() override;
  WindowHandle Hwnd() override;
  void Close() override;
  Subscription OnActivate(std::function<void()> handler) override;
  Subscription OnBeforeFolderSwitch(FolderSwitchHandler handler) override;
  Subscription OnFolderSwitch(std::function<void()> handler) override;
  Subscription OnBeforeViewSwitch(ViewSwitchHandler handler) override;
  Subscription OnViewSwitch(std::function<void()> handler) override;
  Subscription OnSelectionChange(std::function<void()> handler) override;
  Subscription OnClose(std::function<void()> handler) override;

  // The user's actions. Each raises the events outlook_app.h lists.
  // Chooses a folder; false when a BeforeFolderSwitch handler cancelled.
  bool SwitchFolder(FolderNode* folder);
  // Chooses a view of the folder; false when cancelled or the folder has no
  // view of that name.
  bool SwitchView(std::string_view view_name);
  // Selects these items (in this order); nothing happens when they are
  // selected already.
  void Select(std::vector<std::shared_ptr<ItemNode>> items);
  // Outlook's Reply, Reply to All or Forward command of this window, on the
  // first selected item (SimOutlook::RunAnswerCommand).
  std::shared_ptr<SimInspector> RunAnswerCommand(AnswerKind kind);
  // Selects the first item the folder's current view shows, as Outlook does
  // in a folder it starts showing.
  void SwitchToFirstShown();

  FolderNode* folder() const { return folder_; }
  const std::vector<std::shared_ptr<ItemNode>>& selection() const { return selection_; }
  office::CommandBarsPtr CommandBars() override;
  // The window's bars, built when the window opens.
  const std::shared_ptr<SimCommandBars>& command_bars() const { return bars_; }
  void set_command_bars(std::shared_ptr<SimCommandBars> bars) { bars_ = std::move(bars); }
  WindowHandle hwnd() const { return hwnd_; }
  void FireClose() { close_.Fire(); }
  void FireActivate() { activate_.Fire(); }
  void FireSelectionChange() { selection_change_.Fire(); }
  // Drops `item` from the selection; true when it was selected.
  bool Deselect(const ItemNode& item);

 private:
  template <typename... Args>
  Subscription Advise(Event<Args...>& event, const char* name,
                      std::function<void(Args...)> handler);
  void UpdateTitle();
  SimOutlook* app_;
  FolderNode* folder_;
  WindowHandle hwnd_;
  std::vector<std::shared_ptr<ItemNode>> selection_;
  Event<> activate_, folder_switch_, view_switch_, selection_change_, close_;
  Event<const ol::FolderPtr&, bool&> before_folder_switch_;
  Event<const std::string&, bool&> before_view_switch_;
  std::shared_ptr<SimCommandBars> bars_;
};

class SimInspector : public ol::Inspector {
 public:
  // A shown window gets a window handle; the hidden window GetInspector
  // makes for an item that has none open has none (0).
  SimInspector(SimOutlook* app, ol::ItemPtr item, bool shown);
  int Class() override;
  std::string Caption() override;
  ol::ItemPtr CurrentItem() override;
  int EditorType() override;
  void Activate() override;
  WindowHandle Hwnd() override;
  void Close(int save_mode) override;
  Subscription OnActivate(std::function<void()> handler) override;
  Subscription OnClose(std::function<void()> handler) override;
  office::CommandBarsPtr CommandBars() override;

  // Outlook's Reply, Reply to All or Forward command of this window, on its
  // item (SimOutlook::RunAnswerCommand).
  std::shared_ptr<SimInspector> RunAnswerCommand(AnswerKind kind);

  // The simulated host's own view of the window, not calls of the add-in's.
  const ol::ItemPtr& item() const { return item_; }
  // What the window shows of its item: its object's unsaved changes over
  // the stored item.
  const ItemContent* content() const;
  const std::shared_ptr<SimCommandBars>& command_bars() const { return bars_; }
  void set_command_bars(std::shared_ptr<SimCommandBars> bars) { bars_ = std::move(bars); }
  WindowHandle hwnd() const { return hwnd_; }
  // The caption, computed without a call of the add-in's.
  std::string caption() const;
  void FireClose() { close_.Fire(); }
  void FireActivate() { activate_.Fire(); }

 private:
  SimOutlook* app_;
  ol::ItemPtr item_;
  WindowHandle hwnd_ = 0;
  Event<> activate_, close_;
  std::shared_ptr<SimCommandBars> bars_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_OUTLOOK_H_
