// Outlook's items and their collection served by member name. An item is
// one COM object per store item while it lives, whatever wrapper the
// platform hands out for it, so that callers see Outlook's identities.
#include <string>
#include <string_view>

#include "platform/com/com_event_ids.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

// The members only some item classes have, reached through Item::Get and
// Item::Put (outlook_items.h); a class that lacks one raises 438 itself.
constexpr std::string_view kClassMembers[] = {
    "BCC",
    "Body",
    "BodyFormat",
    "CC",
    "Categories",
    "CompanyName",
    "DLName",
    "DueDate",
    "Duration",
    "Email1Address",
    "End",
    "FlagDueBy",
    "FlagIcon",
    "FlagRequest",
    "FlagStatus",
    "FullName",
    "HTMLBody",
    "Location",
    "MemberCount",
    "ReceivedTime",
    "ReminderMinutesBeforeStart",
    "ReminderSet",
    "ReminderTime",
    "RTFBody",
    "SenderEmailAddress",
    "SenderName",
    "SentOn",
    "SentOnBehalfOfName",
    "Start",
    "StartDate",
    "Status",
    "To",
    "Type",
    "UnRead",
};

using Item = ol::Item;

const ServedType<Item>& ItemType() {
  static const ServedType<Item> type = [] {
    ServedType<Item> t("Item");
    t.Get("Class", [](Item& i, ServedCall& c) { c.Return(i.Class()); })
        .Property(
            "MessageClass", [](Item& i, ServedCall& c) { c.Return(i.MessageClass()); },
            [](Item& i, ServedCall& c) { i.SetMessageClass(c.PutText()); })
        .Property(
            "Subject", [](Item& i, ServedCall& c) { c.Return(i.Subject()); },
            [](Item& i, ServedCall& c) { i.SetSubject(c.PutText()); })
        .Get("EntryID", [](Item& i, ServedCall& c) { c.Return(i.EntryID()); })
        .Get("Parent", [](Item& i, ServedCall& c) { ReturnObject(c, i.Parent()); })
        .Get("LastModificationTime",
             [](Item& i, ServedCall& c) { c.Return(i.LastModificationTime()); })
        .Get("Saved", [](Item& i, ServedCall& c) { c.Return(i.Saved()); })
        .Get("Save", [](Item& i, ServedCall&) { i.Save(); })
        .Get("Delete", [](Item& i, ServedCall&) { i.Delete(); })
        .Get("Move",
             [](Item& i, ServedCall& c) {
               ReturnObject(c, i.Move(ArgumentOf<ol::Folder>(c.args().Object(0))));
             },
             {"DestFldr"})
        .Get("Display", [](Item& i, ServedCall&) { i.Display(); })
        .Get("GetInspector",
             [](Item& i, ServedCall& c) { ReturnObject(c, i.GetInspector()); })
        .Get("UserProperties",
             [](Item& i, ServedCall& c) { ReturnObject(c, i.UserProperties()); })
        .Get("Attachments",
             [](Item& i, ServedCall& c) { ReturnObject(c, i.Attachments()); })
        .Get("Recipients",
             [](Item& i, ServedCall& c) { ReturnObject(c, i.Recipients()); })
        .Get("Reply", [](Item& i, ServedCall& c) { ReturnObject(c, i.Reply()); })
        .Get("ReplyAll", [](Item& i, ServedCall& c) { ReturnObject(c, i.ReplyAll()); })
        .Get("Forward", [](Item& i, ServedCall& c) { ReturnObject(c, i.Forward()); });
    for (std::string_view member : kClassMembers) {
      std::string name(member);
      t.Property(
          name, [name](Item& i, ServedCall& c) { c.Return(i.Get(name)); },
          [name](Item& i, ServedCall& c) { i.Put(name, c.PutValue()); });
    }
    t.Events(kDiidItemEvents10, [](Item& i, EventFirer& fire) {
      std::vector<Subscription> subscriptions;
      subscriptions.push_back(i.OnOpen(
          [&fire](bool& cancel) { fire.FireWithCancel(kDispItemOpen, {}, cancel); }));
      return subscriptions;
    });
    return t;
  }();
  return type;
}

using Items = ol::Items;

const ServedType<Items>& ItemsType() {
  static const ServedType<Items> type = [] {
    ServedType<Items> t("Items");
    t.Get("Count", [](Items& items, ServedCall& c) { c.Return(items.Count()); })
        .Get("Item",
             [](Items& items, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, IsTextArgument(args, 0) ? items.Item(args.Text(0))
                                                       : items.Item(args.Long(0)));
             },
             {"Index"})
        .Get("Add",
             [](Items& items, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, IsTextArgument(args, 0) ? items.Add(args.Text(0))
                                                       : items.Add(args.Long(0)));
             },
             {"Type"})
        .Get("Find",
             [](Items& items, ServedCall& c) {
               ReturnObject(c, items.Find(c.args().Text(0)));
             },
             {"Filter"})
        .Default("Item");
    return t;
  }();
  return type;
}

}  // namespace

// The live served item of the same store item, if any: the platform may
// hand out a new wrapper for each lookup, and IsSameObject tells (without
// a host call) whether two wrappers are one item.
template <>
ComPtr<IDispatch> MakeServed<ol::Item>(const std::shared_ptr<ol::Item>& item) {
  for (const auto& [held, served] : ServedRegistry<ol::Item>()) {
    auto* same =
        static_cast<std::shared_ptr<ol::Item>*>(served->HeldObject(TypeTag<ol::Item>()));
    if (same && *same && (*same)->IsSameObject(item))
      return ComPtr<IDispatch>(static_cast<IDispatch*>(served));
  }
  return Serve(item, ItemType());
}

template <>
ComPtr<IDispatch> MakeServed<ol::Items>(const std::shared_ptr<ol::Items>& items) {
  return Serve(items, ItemsType());
}

}  // namespace pinlet::com
