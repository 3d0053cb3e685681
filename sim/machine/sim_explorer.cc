// The simulated main window: its folder, view and selection, the user's
// actions on them and the events they raise, in the order outlook_app.h
// gives.
#include <algorithm>

#include "sim/machine/boundary.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/view_filter.h"

namespace pinlet::sim {
namespace {

// A snapshot of the selection, as the host hands it out.
class SimSelection : public ol::Selection {
 public:
  SimSelection(World* world, std::vector<std::shared_ptr<ItemNode>> items)
      : world_(world), items_(std::move(items)) {}
  int Count() override {
    world_->faults.Check("Selection.Count");
    return static_cast<int>(items_.size());
  }
  ol::ItemPtr Item(int index) override {
    world_->faults.Check("Selection.Item");
    if (index < 1 || index > static_cast<int>(items_.size()))
      throw IndexError("Selection.Item");
    return WrapItem(world_, items_[index - 1]);
  }

 private:
  World* world_;
  std::vector<std::shared_ptr<ItemNode>> items_;
};

// What Outlook selects in a folder it starts showing: the first item its
// current view shows, or nothing.
std::vector<std::shared_ptr<ItemNode>> FirstShown(FolderNode* folder) {
  if (!folder) return {};
  ViewContents shown = ItemsInCurrentView(*folder, 1);
  if (shown.items.empty()) return {};
  return {shown.items.front()->shared_from_this()};
}

}  // namespace

SimExplorer::SimExplorer(SimOutlook* app, FolderNode* folder, WindowHandle hwnd)
    : app_(app), folder_(folder), hwnd_(hwnd) {
  UpdateTitle();
}

void SimExplorer::UpdateTitle() {
  if (auto* window = app_->world()->windows.Find(hwnd_))
    window->title = (folder_ ? folder_->name : std::string()) + " - Microsoft Outlook";
}

int SimExplorer::Class() {
  app_->world()->faults.Check("Explorer.Class");
  return ol::kExplorerObject;
}

WindowHandle SimExplorer::Hwnd() {
  app_->world()->faults.Check("IOleWindow.GetWindow");
  return hwnd_;
}

std::string SimExplorer::Caption() {
  app_->world()->faults.Check("Explorer.Caption");
  return (folder_ ? folder_->name : std::string()) + " - Microsoft Outlook";
}

ol::FolderPtr SimExplorer::CurrentFolder() {
  app_->world()->faults.Check("Explorer.CurrentFolder");
  return WrapFolder(app_->world(), folder_);
}

void SimExplorer::SetCurrentFolder(const ol::FolderPtr& folder) {
  app_->world()->faults.Check("Explorer.CurrentFolder");
  FolderNode* node = NodeOf(folder);
  if (!node) throw ObjectRequiredError();
  SwitchFolder(node);
}

bool SimExplorer::SwitchFolder(FolderNode* folder) {
  if (!folder || folder == folder_) return folder == folder_;
  bool cancel = false;
  before_folder_switch_.Fire(WrapFolder(app_->world(), folder), cancel);
  if (cancel) return false;
  folder_ = folder;
  UpdateTitle();
  folder_switch_.Fire();
  SwitchToFirstShown();
  return true;
}

std::string SimExplorer::CurrentView() {
  app_->world()->faults.Check("Explorer.CurrentView");
  return folder_ ? folder_->current_view : "";
}

void SimExplorer::SetCurrentView(std::string_view view_name) {
  app_->world()->faults.Check("Explorer.CurrentView");
  if (!folder_ || !folder_->FindView(view_name))
    throw HostError(errors::kInvalidArgument, "The view does not exist.",
                    "Explorer.CurrentView");
  SwitchView(view_name);
}

bool SimExplorer::SwitchView(std::string_view view_name) {
  if (!folder_ || !folder_->FindView(view_name)) return false;
  if (folder_->current_view == view_name) return true;
  bool cancel = false;
  before_view_switch_.Fire(std::string(view_name), cancel);
  if (cancel || !folder_->FindView(view_name)) return false;
  folder_->current_view = std::string(view_name);
  view_switch_.Fire();
  // The selection keeps what the new view shows, or moves to its first item.
  ViewContents shown = ItemsInCurrentView(*folder_);
  std::vector<std::shared_ptr<ItemNode>> kept;
  for (const auto& item : selection_)
    if (std::find(shown.items.begin(), shown.items.end(), item.get()) !=
        shown.items.end())
      kept.push_back(item);
  Select(kept.empty() ? FirstShown(folder_) : std::move(kept));
  return true;
}

ol::SelectionPtr SimExplorer::Selection() {
  app_->world()->faults.Check("Explorer.Selection");
  return std::make_shared<SimSelection>(app_->world(), selection_);
}

void SimExplorer::Select(std::vector<std::shared_ptr<ItemNode>> items) {
  std::erase_if(items, [](const auto& item) { return !item || item->gone; });
  if (items == selection_) return;
  selection_ = std::move(items);
  selection_change_.Fire();
}

void SimExplorer::SwitchToFirstShown() { Select(FirstShown(folder_)); }

bool SimExplorer::Deselect(const ItemNode& item) {
  return std::erase_if(selection_,
                       [&](const auto& node) { return node.get() == &item; }) > 0;
}

std::shared_ptr<SimInspector> SimExplorer::RunAnswerCommand(AnswerKind kind) {
  return app_->RunAnswerCommand(kind, selection_.empty() ? nullptr : selection_.front());
}

office::CommandBarsPtr SimExplorer::CommandBars() {
  app_->world()->faults.Check("Explorer.CommandBars");
  return bars_;
}

void SimExplorer::Activate() {
  app_->world()->faults.Check("Explorer.Activate");
  for (auto& e : app_->explorers())
    if (e.get() == this) return app_->ActivateExplorer(e);
}

void SimExplorer::Close() {
  app_->world()->faults.Check("Explorer.Close");
  for (auto& e : app_->explorers())
    if (e.get() == this) return app_->CloseExplorer(e);
}

template <typename... Args>
Subscription SimExplorer::Advise(Event<Args...>& event, const char* name,
                                 std::function<void(Args...)> handler) {
  app_->world()->faults.Check("Explorer.Advise");
  return event.Subscribe(AtBoundary(*app_->world(), name, std::move(handler)));
}

Subscription SimExplorer::OnActivate(std::function<void()> h) {
  return Advise(activate_, "Explorer.Activate event", std::move(h));
}
Subscription SimExplorer::OnBeforeFolderSwitch(FolderSwitchHandler h) {
  return Advise(before_folder_switch_, "Explorer.BeforeFolderSwitch", std::move(h));
}
Subscription SimExplorer::OnFolderSwitch(std::function<void()> h) {
  return Advise(folder_switch_, "Explorer.FolderSwitch", std::move(h));
}
Subscription SimExplorer::OnBeforeViewSwitch(ViewSwitchHandler h) {
  return Advise(before_view_switch_, "Explorer.BeforeViewSwitch", std::move(h));
}
Subscription SimExplorer::OnViewSwitch(std::function<void()> h) {
  return Advise(view_switch_, "Explorer.ViewSwitch", std::move(h));
}
Subscription SimExplorer::OnSelectionChange(std::function<void()> h) {
  return Advise(selection_change_, "Explorer.SelectionChange", std::move(h));
}
Subscription SimExplorer::OnClose(std::function<void()> h) {
  return Advise(close_, "Explorer.Close event", std::move(h));
}

}  // namespace pinlet::sim
