// Outlook's application, namespace and window collections served by member
// name. The application answers Outlook's _Application IID and unwraps as
// the HostApplication it also is.
#include "platform/com/client_host.h"
#include "platform/com/com_event_ids.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

using ol::Application;

const ServedType<Application>& OutlookType() {
  static const ServedType<Application> type = [] {
    ServedType<Application> t("OutlookApplication");
    AddHostMembers(t)
        .Get("Explorers",
             [](Application& a, ServedCall& c) { ReturnObject(c, a.Explorers()); })
        .Get("Inspectors",
             [](Application& a, ServedCall& c) { ReturnObject(c, a.Inspectors()); })
        .Get("ActiveExplorer",
             [](Application& a, ServedCall& c) { ReturnObject(c, a.ActiveExplorer()); })
        .Get("ActiveInspector",
             [](Application& a, ServedCall& c) { ReturnObject(c, a.ActiveInspector()); })
        .Get("GetNameSpace",
             [](Application& a, ServedCall& c) {
               ReturnObject(c, a.GetNameSpace(c.args().Text(0)));
             },
             {"Type"})
        .Answers(kIidOutlookApplication)
        .AlsoAs<HostApplication>();
    return t;
  }();
  return type;
}

using ol::NameSpace;

// Optional store IDs left out are "".
std::string OptionalText(const DispArgs& args, size_t i) {
  return args.Has(i) ? args.Text(i) : std::string();
}

const ServedType<NameSpace>& NameSpaceType() {
  static const ServedType<NameSpace> type = [] {
    ServedType<NameSpace> t("NameSpace");
    t.Get("GetDefaultFolder",
          [](NameSpace& n, ServedCall& c) {
            ReturnObject(c, n.GetDefaultFolder(c.args().Long(0)));
          },
          {"FolderType"})
        .Get("Folders", [](NameSpace& n, ServedCall& c) { ReturnObject(c, n.Folders()); })
        .Get("GetFolderFromID",
             [](NameSpace& n, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, n.GetFolderFromID(args.Text(0), OptionalText(args, 1)));
             },
             {"EntryIDFolder", "EntryIDStore"})
        .Get("GetItemFromID",
             [](NameSpace& n, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, n.GetItemFromID(args.Text(0), OptionalText(args, 1)));
             },
             {"EntryIDItem", "EntryIDStore"})
        .Get("CurrentProfileName",
             [](NameSpace& n, ServedCall& c) { c.Return(n.CurrentProfileName()); })
        // Outlook's MAPI session, which a Redemption session is attached to
        // by assigning it. The simulated Outlook has none of its own; its
        // Redemption takes any value, so a token stands for it.
        .Get("MAPIOBJECT",
             [](NameSpace&, ServedCall& c) { c.Return("the simulated MAPI session"); });
    return t;
  }();
  return type;
}

using ol::Selection;

const ServedType<Selection>& SelectionType() {
  static const ServedType<Selection> type = [] {
    ServedType<Selection> t("Selection");
    t.Get("Count", [](Selection& s, ServedCall& c) { c.Return(s.Count()); })
        .Get("Item",
             [](Selection& s, ServedCall& c) {
               ReturnObject(c, s.Item(c.args().Long(0)));
             },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

using ol::Explorers;

const ServedType<Explorers>& ExplorersType() {
  static const ServedType<Explorers> type = [] {
    ServedType<Explorers> t("Explorers");
    t.Get("Count", [](Explorers& e, ServedCall& c) { c.Return(e.Count()); })
        .Get("Item",
             [](Explorers& e, ServedCall& c) {
               ReturnObject(c, e.Item(c.args().Long(0)));
             },
             {"Index"})
        .Default("Item")
        .Events(kDiidExplorersEvents, [](Explorers& e, EventFirer& fire) {
          std::vector<Subscription> subscriptions;
          subscriptions.push_back(e.OnNewExplorer([&fire](ol::ExplorerPtr explorer) {
            fire.Fire(kDispNewExplorer, {ObjectVariant(ToDispatch(explorer).get())});
          }));
          return subscriptions;
        });
    return t;
  }();
  return type;
}

using ol::Inspectors;

const ServedType<Inspectors>& InspectorsType() {
  static const ServedType<Inspectors> type = [] {
    ServedType<Inspectors> t("Inspectors");
    t.Get("Count", [](Inspectors& i, ServedCall& c) { c.Return(i.Count()); })
        .Get("Item",
             [](Inspectors& i, ServedCall& c) {
               ReturnObject(c, i.Item(c.args().Long(0)));
             },
             {"Index"})
        .Default("Item")
        .Events(kDiidInspectorsEvents, [](Inspectors& i, EventFirer& fire) {
          std::vector<Subscription> subscriptions;
          subscriptions.push_back(i.OnNewInspector([&fire](ol::InspectorPtr inspector) {
            fire.Fire(kDispNewInspector, {ObjectVariant(ToDispatch(inspector).get())});
          }));
          return subscriptions;
        });
    return t;
  }();
  return type;
}

}  // namespace

template <>
ComPtr<IDispatch> MakeServed<Application>(const std::shared_ptr<Application>& object) {
  return Serve(object, OutlookType());
}

template <>
ComPtr<IDispatch> MakeServed<NameSpace>(const std::shared_ptr<NameSpace>& object) {
  return Serve(object, NameSpaceType());
}

template <>
ComPtr<IDispatch> MakeServed<Selection>(const std::shared_ptr<Selection>& object) {
  return Serve(object, SelectionType());
}

template <>
ComPtr<IDispatch> MakeServed<Explorers>(const std::shared_ptr<Explorers>& object) {
  return Serve(object, ExplorersType());
}

template <>
ComPtr<IDispatch> MakeServed<Inspectors>(const std::shared_ptr<Inspectors>& object) {
  return Serve(object, InspectorsType());
}

}  // namespace pinlet::com
