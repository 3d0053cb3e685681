// What hangs off an item, served by member name: user properties,
// attachments and recipients with their collections.
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

using ol::UserProperties;
using ol::UserProperty;

const ServedType<UserProperty>& UserPropertyType() {
  static const ServedType<UserProperty> type = [] {
    ServedType<UserProperty> t("UserProperty");
    t.Get("Name", [](UserProperty& p, ServedCall& c) { c.Return(p.Name()); })
        .Get("Type", [](UserProperty& p, ServedCall& c) { c.Return(p.Type()); })
        .Property(
            "Value", [](UserProperty& p, ServedCall& c) { c.Return(p.Value()); },
            [](UserProperty& p, ServedCall& c) { p.SetValue(c.PutValue()); })
        .Get("Delete", [](UserProperty& p, ServedCall&) { p.Delete(); })
        .Default("Value");
    return t;
  }();
  return type;
}

const ServedType<UserProperties>& UserPropertiesType() {
  static const ServedType<UserProperties> type = [] {
    ServedType<UserProperties> t("UserProperties");
    t.Get("Count", [](UserProperties& p, ServedCall& c) { c.Return(p.Count()); })
        .Get("Item",
             [](UserProperties& p, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, IsTextArgument(args, 0) ? p.Item(args.Text(0))
                                                       : p.Item(args.Long(0)));
             },
             {"Index"})
        .Get("Find",
             [](UserProperties& p, ServedCall& c) {
               ReturnObject(c, p.Find(c.args().Text(0)));
             },
             {"Name", "Custom"})
        // Add(Name, Type, AddToFolderFields, DisplayFormat): Outlook adds
        // the name to the folder's fields unless told otherwise.
        .Get("Add",
             [](UserProperties& p, ServedCall& c) {
               const DispArgs& args = c.args();
               bool to_folder = args.Has(2) ? args.Bool(2) : true;
               ReturnObject(c, p.Add(args.Text(0), args.Long(1), to_folder));
             },
             {"Name", "Type", "AddToFolderFields", "DisplayFormat"})
        .Get("Remove",
             [](UserProperties& p, ServedCall& c) { p.Remove(c.args().Long(0)); },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

using ol::Attachment;
using ol::Attachments;

const ServedType<Attachment>& AttachmentType() {
  static const ServedType<Attachment> type = [] {
    ServedType<Attachment> t("Attachment");
    t.Get("FileName", [](Attachment& a, ServedCall& c) { c.Return(a.FileName()); })
        .Get("DisplayName",
             [](Attachment& a, ServedCall& c) { c.Return(a.DisplayName()); })
        .Get("PathName", [](Attachment& a, ServedCall& c) { c.Return(a.PathName()); })
        .Get("Type", [](Attachment& a, ServedCall& c) { c.Return(a.Type()); })
        .Get("Index", [](Attachment& a, ServedCall& c) { c.Return(a.Index()); })
        .Get("SaveAsFile",
             [](Attachment& a, ServedCall& c) { a.SaveAsFile(c.args().Text(0)); },
             {"Path"})
        .Get("Delete", [](Attachment& a, ServedCall&) { a.Delete(); });
    return t;
  }();
  return type;
}

const ServedType<Attachments>& AttachmentsType() {
  static const ServedType<Attachments> type = [] {
    ServedType<Attachments> t("Attachments");
    t.Get("Count", [](Attachments& a, ServedCall& c) { c.Return(a.Count()); })
        .Get("Item",
             [](Attachments& a, ServedCall& c) {
               ReturnObject(c, a.Item(c.args().Long(0)));
             },
             {"Index"})
        // Add(Source, Type, Position, DisplayName); the position is
        // Outlook's to choose.
        .Get("Add",
             [](Attachments& a, ServedCall& c) {
               const DispArgs& args = c.args();
               int type = args.Has(1) ? args.Long(1) : ol::kOlByValue;
               std::string name = args.Has(3) ? args.Text(3) : "";
               ReturnObject(c, a.Add(args.Text(0), type, name));
             },
             {"Source", "Type", "Position", "DisplayName"})
        .Get("Remove", [](Attachments& a, ServedCall& c) { a.Remove(c.args().Long(0)); },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

using ol::Recipient;
using ol::Recipients;

const ServedType<Recipient>& RecipientType() {
  static const ServedType<Recipient> type = [] {
    ServedType<Recipient> t("Recipient");
    t.Get("Name", [](Recipient& r, ServedCall& c) { c.Return(r.Name()); })
        .Get("Address", [](Recipient& r, ServedCall& c) { c.Return(r.Address()); })
        .Property(
            "Type", [](Recipient& r, ServedCall& c) { c.Return(r.Type()); },
            [](Recipient& r, ServedCall& c) { r.SetType(c.PutLong()); })
        .Get("Resolved", [](Recipient& r, ServedCall& c) { c.Return(r.Resolved()); })
        .Get("Resolve", [](Recipient& r, ServedCall& c) { c.Return(r.Resolve()); })
        .Get("Delete", [](Recipient& r, ServedCall&) { r.Delete(); });
    return t;
  }();
  return type;
}

const ServedType<Recipients>& RecipientsType() {
  static const ServedType<Recipients> type = [] {
    ServedType<Recipients> t("Recipients");
    t.Get("Count", [](Recipients& r, ServedCall& c) { c.Return(r.Count()); })
        .Get("Item",
             [](Recipients& r, ServedCall& c) {
               ReturnObject(c, r.Item(c.args().Long(0)));
             },
             {"Index"})
        .Get("Add",
             [](Recipients& r, ServedCall& c) {
               ReturnObject(c, r.Add(c.args().Text(0)));
             },
             {"Name"})
        .Get("Remove", [](Recipients& r, ServedCall& c) { r.Remove(c.args().Long(0)); },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

}  // namespace

template <>
ComPtr<IDispatch> MakeServed<UserProperty>(const std::shared_ptr<UserProperty>& object) {
  return Serve(object, UserPropertyType());
}

template <>
ComPtr<IDispatch> MakeServed<UserProperties>(
    const std::shared_ptr<UserProperties>& object) {
  return Serve(object, UserPropertiesType());
}

template <>
ComPtr<IDispatch> MakeServed<Attachment>(const std::shared_ptr<Attachment>& object) {
  return Serve(object, AttachmentType());
}

template <>
ComPtr<IDispatch> MakeServed<Attachments>(const std::shared_ptr<Attachments>& object) {
  return Serve(object, AttachmentsType());
}

template <>
ComPtr<IDispatch> MakeServed<Recipient>(const std::shared_ptr<Recipient>& object) {
  return Serve(object, RecipientType());
}

template <>
ComPtr<IDispatch> MakeServed<Recipients>(const std::shared_ptr<Recipients>& object) {
  return Serve(object, RecipientsType());
}

}  // namespace pinlet::com
