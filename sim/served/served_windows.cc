// Outlook's windows served by member name: explorers and inspectors answer
// the IIDs of Outlook's _Explorer and _Inspector, give their handles through
// IOleWindow, and unwrap as the office::Window they also are.
#include "platform/com/com_event_ids.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

using ol::Explorer;
using ol::Inspector;

// Fires `id` to the sinks each time `subscribe` reports.
template <typename T>
Subscription Forward(T& window, Subscription (T::*subscribe)(std::function<void()>),
                     EventFirer& fire, DISPID id) {
  return (window.*subscribe)([&fire, id] { fire.Fire(id, {}); });
}

const ServedType<Explorer>& ExplorerType() {
  static const ServedType<Explorer> type = [] {
    ServedType<Explorer> t("Explorer");
    t.Get("Class", [](Explorer& e, ServedCall& c) { c.Return(e.Class()); })
        .Get("Caption", [](Explorer& e, ServedCall& c) { c.Return(e.Caption()); })
        .Property(
            "CurrentFolder",
            [](Explorer& e, ServedCall& c) { ReturnObject(c, e.CurrentFolder()); },
            [](Explorer& e, ServedCall& c) {
              e.SetCurrentFolder(ArgumentOf<ol::Folder>(c.PutObject()));
            })
        .Property(
            "CurrentView", [](Explorer& e, ServedCall& c) { c.Return(e.CurrentView()); },
            [](Explorer& e, ServedCall& c) { e.SetCurrentView(c.PutText()); })
        .Get("Selection",
             [](Explorer& e, ServedCall& c) { ReturnObject(c, e.Selection()); })
        .Get("Activate", [](Explorer& e, ServedCall&) { e.Activate(); })
        .Get("Close", [](Explorer& e, ServedCall&) { e.Close(); })
        .Get("CommandBars",
             [](Explorer& e, ServedCall& c) { ReturnObject(c, e.CommandBars()); })
        .Window([](Explorer& e) { return e.Hwnd(); })
        .Answers(kIidOutlookExplorer)
        .AlsoAs<office::Window>()
        // Every event of the interface, subscribed when the first sink
        // connects.
        .Events(kDiidExplorerEvents10, [](Explorer& e, EventFirer& fire) {
          std::vector<Subscription> subs;
          subs.push_back(Forward(e, &Explorer::OnActivate, fire, kDispExplorerActivate));
          subs.push_back(
              e.OnBeforeFolderSwitch([&fire](const ol::FolderPtr& folder, bool& cancel) {
                fire.FireWithCancel(kDispBeforeFolderSwitch,
                                    {ObjectVariant(ToDispatch(folder).get())}, cancel);
              }));
          subs.push_back(Forward(e, &Explorer::OnFolderSwitch, fire, kDispFolderSwitch));
          subs.push_back(
              e.OnBeforeViewSwitch([&fire](const std::string& view, bool& cancel) {
                fire.FireWithCancel(kDispBeforeViewSwitch, {TextVariant(view)}, cancel);
              }));
          subs.push_back(Forward(e, &Explorer::OnViewSwitch, fire, kDispViewSwitch));
          subs.push_back(
              Forward(e, &Explorer::OnSelectionChange, fire, kDispSelectionChange));
          subs.push_back(Forward(e, &Explorer::OnClose, fire, kDispExplorerClose));
          return subs;
        });
    return t;
  }();
  return type;
}

const ServedType<Inspector>& InspectorType() {
  static const ServedType<Inspector> type = [] {
    ServedType<Inspector> t("Inspector");
    t.Get("Class", [](Inspector& i, ServedCall& c) { c.Return(i.Class()); })
        .Get("Caption", [](Inspector& i, ServedCall& c) { c.Return(i.Caption()); })
        .Get("CurrentItem",
             [](Inspector& i, ServedCall& c) { ReturnObject(c, i.CurrentItem()); })
        .Get("EditorType", [](Inspector& i, ServedCall& c) { c.Return(i.EditorType()); })
        .Get("Activate", [](Inspector& i, ServedCall&) { i.Activate(); })
        .Get("Close", [](Inspector& i, ServedCall& c) { i.Close(c.args().Long(0)); },
             {"SaveMode"})
        .Get("CommandBars",
             [](Inspector& i, ServedCall& c) { ReturnObject(c, i.CommandBars()); })
        .Window([](Inspector& i) { return i.Hwnd(); })
        .Answers(kIidOutlookInspector)
        .AlsoAs<office::Window>()
        .Events(kDiidInspectorEvents10, [](Inspector& i, EventFirer& fire) {
          std::vector<Subscription> subs;
          subs.push_back(
              Forward(i, &Inspector::OnActivate, fire, kDispInspectorActivate));
          subs.push_back(Forward(i, &Inspector::OnClose, fire, kDispInspectorClose));
          return subs;
        });
    return t;
  }();
  return type;
}

}  // namespace

template <>
ComPtr<IDispatch> MakeServed<Explorer>(const std::shared_ptr<Explorer>& object) {
  return Serve(object, ExplorerType());
}

template <>
ComPtr<IDispatch> MakeServed<Inspector>(const std::shared_ptr<Inspector>& object) {
  return Serve(object, InspectorType());
}

}  // namespace pinlet::com
