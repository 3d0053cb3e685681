// CDO 1.2 and Redemption served by member name, with the libraries'
// parameter names and defaults.
#include "platform/com/com_helpers.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

uint32_t TagOf(const DispArgs& args, size_t i) {
  return static_cast<uint32_t>(args.Long(i));
}

const ServedType<MapiUtils>& MapiUtilsType() {
  static const ServedType<MapiUtils> type = [] {
    ServedType<MapiUtils> t("MAPIUtils");
    t.Get(
         "HrGetOneProp",
         [](MapiUtils& u, ServedCall& c) {
           const DispArgs& args = c.args();
           c.Return(u.HrGetOneProp(ArgumentOf<ol::Item>(args.Object(0)), TagOf(args, 1)));
         },
         {"MAPIProp", "PropTag"})
        .Get("HrSetOneProp",
             [](MapiUtils& u, ServedCall& c) {
               const DispArgs& args = c.args();
               bool save = args.Has(3) ? args.Bool(3) : true;
               u.HrSetOneProp(ArgumentOf<ol::Item>(args.Object(0)), TagOf(args, 1),
                              args.Value(2), save);
             },
             {"MAPIProp", "PropTag", "Value", "bSave"});
    return t;
  }();
  return type;
}

const ServedType<CdoField>& FieldType() {
  static const ServedType<CdoField> type = [] {
    ServedType<CdoField> t("Field");
    t.Get("Name", [](CdoField& f, ServedCall& c) { c.Return(f.Name()); })
        .Property(
            "Value", [](CdoField& f, ServedCall& c) { c.Return(f.Value()); },
            [](CdoField& f, ServedCall& c) { f.SetValue(c.PutValue()); })
        .Get("Delete", [](CdoField& f, ServedCall&) { f.Delete(); })
        .Default("Value");
    return t;
  }();
  return type;
}

const ServedType<CdoFields>& FieldsType() {
  static const ServedType<CdoFields> type = [] {
    ServedType<CdoFields> t("Fields");
    t.Get("Count", [](CdoFields& f, ServedCall& c) { c.Return(f.Count()); })
        .Get("Item",
             [](CdoFields& f, ServedCall& c) {
               ReturnObject(c, f.Item(c.args().Text(0)));
             },
             {"Index", "PropsetID"})
        .Get("Add",
             [](CdoFields& f, ServedCall& c) {
               const DispArgs& args = c.args();
               Variant value = args.Has(2) ? args.Value(2) : Variant();
               ReturnObject(c, f.Add(args.Text(0), args.Long(1), value));
             },
             {"Name", "Class", "Value", "PropsetID"})
        .Default("Item");
    return t;
  }();
  return type;
}

const ServedType<CdoMessage>& MessageType() {
  static const ServedType<CdoMessage> type = [] {
    ServedType<CdoMessage> t("Message");
    t.Get("Fields", [](CdoMessage& m, ServedCall& c) { ReturnObject(c, m.Fields()); })
        .Get("Update", [](CdoMessage& m, ServedCall&) { m.Update(); },
             {"MakePermanent", "RefreshObject"});
    return t;
  }();
  return type;
}

// Logon(ProfileName, ProfilePassword, ShowDialog, NewSession, ...): both
// flags are true unless given, as in CDO and Redemption.
void Logon(const DispArgs& args, const std::function<void(bool, bool)>& logon) {
  logon(args.Has(2) ? args.Bool(2) : true, args.Has(3) ? args.Bool(3) : true);
}

const ServedType<CdoSession>& SessionType() {
  static const ServedType<CdoSession> type = [] {
    ServedType<CdoSession> t("Session");
    t.Get("Logon",
          [](CdoSession& s, ServedCall& c) {
            Logon(c.args(), [&](bool show, bool fresh) { s.Logon(show, fresh); });
          },
          {"ProfileName", "ProfilePassword", "ShowDialog", "NewSession", "ParentWindow",
           "NoMail", "ProfileInfo"})
        .Get("GetMessage",
             [](CdoSession& s, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c,
                            s.GetMessage(args.Text(0), args.Has(1) ? args.Text(1) : ""));
             },
             {"ID", "StoreID"});
    return t;
  }();
  return type;
}

// Assigning MAPIOBJECT attaches the session to Outlook's: the value is
// Outlook's own session, which only the real library can use.
const ServedType<RdoSession>& RdoSessionType() {
  static const ServedType<RdoSession> type = [] {
    ServedType<RdoSession> t("RDOSession");
    t.Property("MAPIOBJECT", nullptr,
               [](RdoSession& s, ServedCall& c) {
                 c.args().PutValue();  // a value must be assigned
                 s.AttachToOutlook();
               })
        .Get("Logon",
             [](RdoSession& s, ServedCall& c) {
               Logon(c.args(), [&](bool show, bool fresh) { s.Logon(show, fresh); });
             },
             {"ProfileName", "Password", "ShowDialog", "NewSession", "ParentWindowHandle",
              "NoMail"})
        .Get("GetFolderFromID",
             [](RdoSession& s, ServedCall& c) {
               ReturnObject(c, s.GetFolderFromID(c.args().Text(0)));
             },
             {"EntryID", "StoreID", "Flags"})
        .Get("ProfileName",
             [](RdoSession& s, ServedCall& c) { c.Return(s.ProfileName()); });
    return t;
  }();
  return type;
}

const ServedType<SafeMailItem>& SafeMailItemType() {
  static const ServedType<SafeMailItem> type = [] {
    ServedType<SafeMailItem> t("SafeMailItem");
    t.Property(
         "Item", [](SafeMailItem& s, ServedCall& c) { ReturnObject(c, s.Item()); },
         [](SafeMailItem& s, ServedCall& c) {
           s.SetItem(ArgumentOf<ol::Item>(c.PutObject()));
         })
        .Get("Subject", [](SafeMailItem& s, ServedCall& c) { c.Return(s.Subject()); })
        .Get("SenderName",
             [](SafeMailItem& s, ServedCall& c) { c.Return(s.SenderName()); })
        .Get("SentOnBehalfOfName",
             [](SafeMailItem& s, ServedCall& c) { c.Return(s.SentOnBehalfOfName()); })
        .Get("SentOn", [](SafeMailItem& s, ServedCall& c) { c.Return(s.SentOn()); })
        .Get("Recipients",
             [](SafeMailItem& s, ServedCall& c) { ReturnObject(c, s.Recipients()); })
        .Get("Body", [](SafeMailItem& s, ServedCall& c) { c.Return(s.Body()); })
        .Get("RTFBody", [](SafeMailItem& s, ServedCall& c) { c.Return(s.RTFBody()); });
    return t;
  }();
  return type;
}

}  // namespace

template <>
ComPtr<IDispatch> MakeServed<MapiUtils>(const std::shared_ptr<MapiUtils>& object) {
  return Serve(object, MapiUtilsType());
}

template <>
ComPtr<IDispatch> MakeServed<CdoSession>(const std::shared_ptr<CdoSession>& object) {
  return Serve(object, SessionType());
}

template <>
ComPtr<IDispatch> MakeServed<CdoMessage>(const std::shared_ptr<CdoMessage>& object) {
  return Serve(object, MessageType());
}

template <>
ComPtr<IDispatch> MakeServed<CdoFields>(const std::shared_ptr<CdoFields>& object) {
  return Serve(object, FieldsType());
}

template <>
ComPtr<IDispatch> MakeServed<CdoField>(const std::shared_ptr<CdoField>& object) {
  return Serve(object, FieldType());
}

template <>
ComPtr<IDispatch> MakeServed<RdoSession>(const std::shared_ptr<RdoSession>& object) {
  return Serve(object, RdoSessionType());
}

template <>
ComPtr<IDispatch> MakeServed<SafeMailItem>(const std::shared_ptr<SafeMailItem>& object) {
  return Serve(object, SafeMailItemType());
}

}  // namespace pinlet::com
