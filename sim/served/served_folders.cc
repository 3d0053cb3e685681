// Outlook's folders, their collections and views, served by member name. A
// folder answers Outlook's MAPIFolder IID, by which clients tell a folder
// from the NameSpace a store's root answers as its Parent.
#include "platform/com/com_event_ids.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

using ol::Folder;
using ol::Folders;
using ol::View;
using ol::Views;

const ServedType<Folder>& FolderType() {
  static const ServedType<Folder> type = [] {
    ServedType<Folder> t("Folder");
    t.Get("Class", [](Folder& f, ServedCall& c) { c.Return(f.Class()); })
        .Property(
            "Name", [](Folder& f, ServedCall& c) { c.Return(f.Name()); },
            [](Folder& f, ServedCall& c) { f.SetName(c.PutText()); })
        .Get("EntryID", [](Folder& f, ServedCall& c) { c.Return(f.EntryID()); })
        .Get("StoreID", [](Folder& f, ServedCall& c) { c.Return(f.StoreID()); })
        .Get("FolderPath", [](Folder& f, ServedCall& c) { c.Return(f.FolderPath()); })
        .Property(
            "Description", [](Folder& f, ServedCall& c) { c.Return(f.Description()); },
            [](Folder& f, ServedCall& c) { f.SetDescription(c.PutText()); })
        .Get("Parent", [](Folder& f, ServedCall& c) { ReturnObject(c, f.Parent()); })
        .Get("Folders", [](Folder& f, ServedCall& c) { ReturnObject(c, f.Folders()); })
        .Get("Items", [](Folder& f, ServedCall& c) { ReturnObject(c, f.Items()); })
        .Get("Views", [](Folder& f, ServedCall& c) { ReturnObject(c, f.Views()); })
        .Get("CurrentView",
             [](Folder& f, ServedCall& c) { ReturnObject(c, f.CurrentView()); })
        .Property(
            "CustomViewsOnly",
            [](Folder& f, ServedCall& c) { c.Return(f.CustomViewsOnly()); },
            [](Folder& f, ServedCall& c) { f.SetCustomViewsOnly(c.PutBool()); })
        .Get("Delete", [](Folder& f, ServedCall&) { f.Delete(); })
        .Answers(kIidOutlookFolder);
    return t;
  }();
  return type;
}

const ServedType<Folders>& FoldersType() {
  static const ServedType<Folders> type = [] {
    ServedType<Folders> t("Folders");
    t.Get("Count", [](Folders& f, ServedCall& c) { c.Return(f.Count()); })
        .Get("Item",
             [](Folders& f, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, IsTextArgument(args, 0) ? f.Item(args.Text(0))
                                                       : f.Item(args.Long(0)));
             },
             {"Index"})
        .Get("Add",
             [](Folders& f, ServedCall& c) {
               ReturnObject(c, f.Add(c.args().Text(0), c.args().Long(1)));
             },
             {"Name", "Type"})
        .Default("Item");
    return t;
  }();
  return type;
}

const ServedType<View>& ViewType() {
  static const ServedType<View> type = [] {
    ServedType<View> t("View");
    t.Get("Name", [](View& v, ServedCall& c) { c.Return(v.Name()); })
        .Get("ViewType", [](View& v, ServedCall& c) { c.Return(v.ViewType()); })
        .Property(
            "XML", [](View& v, ServedCall& c) { c.Return(v.XML()); },
            [](View& v, ServedCall& c) { v.SetXML(c.PutText()); })
        .Get("Save", [](View& v, ServedCall&) { v.Save(); });
    return t;
  }();
  return type;
}

const ServedType<Views>& ViewsType() {
  static const ServedType<Views> type = [] {
    ServedType<Views> t("Views");
    t.Get("Count", [](Views& v, ServedCall& c) { c.Return(v.Count()); })
        .Get("Item",
             [](Views& v, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, IsTextArgument(args, 0) ? v.Item(args.Text(0))
                                                       : v.Item(args.Long(0)));
             },
             {"Index"})
        .Get("Add",
             [](Views& v, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(
                   c, v.Add(args.Text(0), args.Long(1), args.Has(2) ? args.Long(2) : 0));
             },
             {"Name", "ViewType", "SaveOption"})
        .Get("Remove", [](Views& v, ServedCall& c) { v.Remove(c.args().Long(0)); },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

}  // namespace

template <>
ComPtr<IDispatch> MakeServed<Folder>(const std::shared_ptr<Folder>& object) {
  return Serve(object, FolderType());
}

template <>
ComPtr<IDispatch> MakeServed<Folders>(const std::shared_ptr<Folders>& object) {
  return Serve(object, FoldersType());
}

template <>
ComPtr<IDispatch> MakeServed<View>(const std::shared_ptr<View>& object) {
  return Serve(object, ViewType());
}

template <>
ComPtr<IDispatch> MakeServed<Views>(const std::shared_ptr<Views>& object) {
  return Serve(object, ViewsType());
}

}  // namespace pinlet::com
