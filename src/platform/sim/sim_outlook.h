// The simulated Outlook: the object model of outlook_items.h and
// outlook_app.h over a World's mail store.
//
// Objects handed out are handles on the store's nodes, so two handles on the
// same item see the same state, as COM objects over one MAPI object do. Each
// member first passes the world's fault injector under a name such as
// "Items.Item" or "Item.Save", then enforces the host's rules (see
// mail_store.h) and raises the host's errors.
#ifndef PINLET_PLATFORM_SIM_SIM_OUTLOOK_H_
#define PINLET_PLATFORM_SIM_SIM_OUTLOOK_H_

#include <memory>
#include <string>
#include <vector>

#include "platform/outlook_app.h"
#include "platform/sim/sim_command_bars.h"
#include "platform/sim/world.h"

namespace pinlet::sim {

class SimOutlook;

// Whether an item of class `cls` has the late-bound member `member`.
bool ClassHasMember(int cls, std::string_view member);

// Handles on store nodes, for the helper libraries and the pinlet command.
ol::ItemPtr WrapItem(World* world, std::shared_ptr<ItemNode> node);
ol::FolderPtr WrapFolder(World* world, FolderNode* node);
// The root folders of all stores, in the profile's order (NameSpace.Folders).
ol::FoldersPtr WrapStoreRoots(World* world);
// The node behind a handle made by this simulation; nullptr for foreign objects.
std::shared_ptr<ItemNode> NodeOf(const ol::ItemPtr& item);
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
  ol::NameSpacePtr GetNameSpace(std::string_view type) override;

  // Opens a main window on `folder` (the Inbox when null) and fires NewExplorer.
  std::shared_ptr<SimExplorer> OpenExplorer(FolderNode* folder = nullptr);
  // Opens an item window and fires NewInspector.
  std::shared_ptr<SimInspector> OpenInspector(const ol::ItemPtr& item);
  // Closes a window: fires its Close event and drops it from its collection.
  void CloseExplorer(const std::shared_ptr<SimExplorer>& explorer);
  void CloseInspector(const std::shared_ptr<SimInspector>& inspector);

  const std::vector<std::shared_ptr<SimExplorer>>& explorers() const {
    return explorers_;
  }
  const std::vector<std::shared_ptr<SimInspector>>& inspectors() const {
    return inspectors_;
  }
  World* world() const { return world_; }
  // What Version answers: "11.0.0.8217" (Outlook 2003) unless set.
  void set_version(std::string version) { version_ = std::move(version); }
  // Outlook's option "Use Microsoft Word to edit e-mail messages": mail
  // windows opened while it is set show Word's command bars.
  void set_word_mail_editor(bool on) { word_mail_editor_ = on; }
  bool word_mail_editor() const { return word_mail_editor_; }

 private:
  friend class SimExplorers;
  friend class SimInspectors;
  std::shared_ptr<SimCommandBars> MakeCommandBars(
      const std::vector<BarDef>& bars, const std::shared_ptr<office::Window>& window);
  World* world_;
  std::string name_;
  std::string version_ = "11.0.0.8217";
  bool word_mail_editor_ = false;
  std::shared_ptr<COMAddIns> addins_;
  std::vector<std::shared_ptr<SimExplorer>> explorers_;
  std::vector<std::shared_ptr<SimInspector>> inspectors_;
  Event<ol::ExplorerPtr> new_explorer_;
  Event<ol::InspectorPtr> new_inspector_;
  std::shared_ptr<SimExplorer> active_;
};

class SimExplorer : public ol::Explorer {
 public:
  SimExplorer(SimOutlook* app, FolderNode* folder, WindowHandle hwnd)
      : app_(app), folder_(folder), hwnd_(hwnd) {}
  int Class() override;
  std::string Caption() override;
  ol::FolderPtr CurrentFolder() override;
  void SetCurrentFolder(const ol::FolderPtr& folder) override;
  std::string CurrentView() override;
  void SetCurrentView(std::string_view view_name) override;
  WindowHandle Hwnd() override;
  void Close() override;
  Subscription OnClose(std::function<void()> handler) override;
  Subscription OnSelectionChange(std::function<void()> handler) override;
  Subscription OnFolderSwitch(std::function<void()> handler) override;
  Subscription OnViewSwitch(std::function<void()> handler) override;
  office::CommandBarsPtr CommandBars() override;

  FolderNode* folder() const { return folder_; }
  // The window's bars, built when the window opens.
  const std::shared_ptr<SimCommandBars>& command_bars() const { return bars_; }
  void set_command_bars(std::shared_ptr<SimCommandBars> bars) { bars_ = std::move(bars); }
  WindowHandle hwnd() const { return hwnd_; }
  void FireClose() { close_.Fire(); }

 private:
  Subscription Advise(Event<>& event, const char* name, std::function<void()> handler);
  SimOutlook* app_;
  FolderNode* folder_;
  WindowHandle hwnd_;
  Event<> close_, selection_change_, folder_switch_, view_switch_;
  std::shared_ptr<SimCommandBars> bars_;
};

class SimInspector : public ol::Inspector {
 public:
  SimInspector(SimOutlook* app, ol::ItemPtr item, WindowHandle hwnd)
      : app_(app), item_(std::move(item)), hwnd_(hwnd) {}
  int Class() override;
  std::string Caption() override;
  ol::ItemPtr CurrentItem() override;
  WindowHandle Hwnd() override;
  void Close(int save_mode) override;
  Subscription OnClose(std::function<void()> handler) override;
  office::CommandBarsPtr CommandBars() override;

  // The simulated host's own view of the window, not calls of the add-in's.
  const ol::ItemPtr& item() const { return item_; }
  const std::shared_ptr<SimCommandBars>& command_bars() const { return bars_; }
  void set_command_bars(std::shared_ptr<SimCommandBars> bars) { bars_ = std::move(bars); }
  WindowHandle hwnd() const { return hwnd_; }
  void FireClose() { close_.Fire(); }

 private:
  SimOutlook* app_;
  ol::ItemPtr item_;
  WindowHandle hwnd_;
  Event<> close_;
  std::shared_ptr<SimCommandBars> bars_;
};

}  // namespace pinlet::sim

#endif  // PINLET_PLATFORM_SIM_SIM_OUTLOOK_H_
