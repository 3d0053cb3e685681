// Outlook's windows as clients: explorers and inspectors with their events,
// their handles (IOleWindow) and command bars.
#include "platform/com/com_event_ids.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

class ComExplorer final : public ClientObject, public ol::Explorer {
 public:
  explicit ComExplorer(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Explorer") {}

  int Class() override { return bound_.Long("Class"); }
  std::string Caption() override { return bound_.Text("Caption"); }
  ol::FolderPtr CurrentFolder() override {
    return ObjectAs<ol::Folder>(bound_, "CurrentFolder");
  }
  void SetCurrentFolder(const ol::FolderPtr& folder) override {
    bound_.PutRef("CurrentFolder", Arg(ToDispatch(folder)));
  }
  std::string CurrentView() override { return bound_.Text("CurrentView"); }
  void SetCurrentView(std::string_view view_name) override {
    bound_.Put("CurrentView", Arg(view_name));
  }
  ol::SelectionPtr Selection() override {
    return ObjectAs<ol::Selection>(bound_, "Selection");
  }
  void Activate() override { bound_.Call("Activate"); }
  WindowHandle Hwnd() override {
    return WindowHandleOf(dispatch(), "IOleWindow.GetWindow");
  }
  void Close() override { bound_.Call("Close"); }
  office::CommandBarsPtr CommandBars() override {
    return ObjectAs<office::CommandBars>(bound_, "CommandBars");
  }

  Subscription OnActivate(std::function<void()> handler) override {
    return Plain(kDispExplorerActivate, std::move(handler));
  }
  Subscription OnBeforeFolderSwitch(FolderSwitchHandler handler) override {
    return Hub()->Subscribe(
        kDispBeforeFolderSwitch, [handler = std::move(handler)](const DispArgs& args) {
          ol::FolderPtr folder = ToPlatform<ol::Folder>(args.Object(0));
          WithCancel(args, 1, [&](bool& cancel) { handler(folder, cancel); });
        });
  }
  Subscription OnFolderSwitch(std::function<void()> handler) override {
    return Plain(kDispFolderSwitch, std::move(handler));
  }
  // NewView is the view's name in Outlook 2002 and 2003.
  Subscription OnBeforeViewSwitch(ViewSwitchHandler handler) override {
    return Hub()->Subscribe(
        kDispBeforeViewSwitch, [handler = std::move(handler)](const DispArgs& args) {
          std::string view = args.Text(0);
          WithCancel(args, 1, [&](bool& cancel) { handler(view, cancel); });
        });
  }
  Subscription OnViewSwitch(std::function<void()> handler) override {
    return Plain(kDispViewSwitch, std::move(handler));
  }
  Subscription OnSelectionChange(std::function<void()> handler) override {
    return Plain(kDispSelectionChange, std::move(handler));
  }
  Subscription OnClose(std::function<void()> handler) override {
    return Plain(kDispExplorerClose, std::move(handler));
  }

 private:
  std::shared_ptr<EventHub> Hub() {
    return HubOf(events_, bound_.object(), kDiidExplorerEvents10, "Explorer events");
  }
  Subscription Plain(DISPID id, std::function<void()> handler) {
    return Hub()->Subscribe(
        id, [handler = std::move(handler)](const DispArgs&) { handler(); });
  }
  std::weak_ptr<EventHub> events_;
};

class ComInspector final : public ClientObject, public ol::Inspector {
 public:
  explicit ComInspector(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Inspector") {}

  int Class() override { return bound_.Long("Class"); }
  std::string Caption() override { return bound_.Text("Caption"); }
  ol::ItemPtr CurrentItem() override { return ObjectAs<ol::Item>(bound_, "CurrentItem"); }
  int EditorType() override { return bound_.Long("EditorType"); }
  void Activate() override { bound_.Call("Activate"); }
  WindowHandle Hwnd() override {
    return WindowHandleOf(dispatch(), "IOleWindow.GetWindow");
  }
  void Close(int save_mode) override { bound_.Call("Close", {Arg(save_mode)}); }
  office::CommandBarsPtr CommandBars() override {
    return ObjectAs<office::CommandBars>(bound_, "CommandBars");
  }
  Subscription OnActivate(std::function<void()> handler) override {
    return Plain(kDispInspectorActivate, std::move(handler));
  }
  Subscription OnClose(std::function<void()> handler) override {
    return Plain(kDispInspectorClose, std::move(handler));
  }

 private:
  Subscription Plain(DISPID id, std::function<void()> handler) {
    return HubOf(events_, bound_.object(), kDiidInspectorEvents10, "Inspector events")
        ->Subscribe(id, [handler = std::move(handler)](const DispArgs&) { handler(); });
  }
  std::weak_ptr<EventHub> events_;
};

}  // namespace

template <>
std::shared_ptr<ol::Explorer> MakeClient<ol::Explorer>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComExplorer>(object);
}

template <>
std::shared_ptr<ol::Inspector> MakeClient<ol::Inspector>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComInspector>(object);
}

}  // namespace pinlet::com
