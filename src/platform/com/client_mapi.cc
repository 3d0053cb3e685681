// CDO 1.2 and Redemption as clients: MAPIUtils, the CDO session with its
// messages and fields, RDOSession and SafeMailItem.
#include "platform/com/com_helpers.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

// A property tag as the 32-bit integer the libraries take.
Arg TagArg(uint32_t tag) { return Arg(static_cast<int32_t>(tag)); }

class ComMapiUtils final : public ClientObject, public MapiUtils {
 public:
  explicit ComMapiUtils(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "MAPIUtils") {}
  // The item itself is handed over: MAPIUtils takes an Outlook item as well
  // as its MAPIOBJECT.
  Variant HrGetOneProp(const ol::ItemPtr& item, uint32_t prop_tag) override {
    return bound_.Value("HrGetOneProp", {Arg(ToDispatch(item)), TagArg(prop_tag)});
  }
  void HrSetOneProp(const ol::ItemPtr& item, uint32_t prop_tag, const Variant& value,
                    bool save) override {
    bound_.Call("HrSetOneProp",
                {Arg(ToDispatch(item)), TagArg(prop_tag), Arg(value), Arg(save)});
  }
};

class ComCdoField final : public ClientObject, public CdoField {
 public:
  explicit ComCdoField(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Field") {}
  std::string Name() override { return bound_.Text("Name"); }
  Variant Value() override { return bound_.Value("Value"); }
  void SetValue(const Variant& value) override { bound_.Put("Value", Arg(value)); }
  void Delete() override { bound_.Call("Delete"); }
};

class ComCdoFields final : public ClientObject, public CdoFields {
 public:
  explicit ComCdoFields(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Fields") {}
  int Count() override { return bound_.Long("Count"); }
  std::shared_ptr<CdoField> Item(std::string_view name) override {
    return ObjectAs<CdoField>(bound_, "Item", {Arg(name)});
  }
  // Add(Name, Class, Value).
  std::shared_ptr<CdoField> Add(std::string_view name, int type,
                                const Variant& value) override {
    return ObjectAs<CdoField>(bound_, "Add", {Arg(name), Arg(type), Arg(value)});
  }
};

class ComCdoMessage final : public ClientObject, public CdoMessage {
 public:
  explicit ComCdoMessage(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Message") {}
  std::shared_ptr<CdoFields> Fields() override {
    return ObjectAs<CdoFields>(bound_, "Fields");
  }
  void Update() override { bound_.Call("Update"); }
};

// Logon's ShowDialog and NewSession, by name.
std::vector<Arg> LogonArgs(bool show_dialog, bool new_session) {
  return {Arg::Named("ShowDialog", Arg(show_dialog)),
          Arg::Named("NewSession", Arg(new_session))};
}

class ComCdoSession final : public ClientObject, public CdoSession {
 public:
  explicit ComCdoSession(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Session") {}
  void Logon(bool show_dialog, bool new_session) override {
    bound_.Call("Logon", LogonArgs(show_dialog, new_session));
  }
  std::shared_ptr<CdoMessage> GetMessage(std::string_view entry_id,
                                         std::string_view store_id) override {
    return ObjectAs<CdoMessage>(bound_, "GetMessage",
                                {Arg(entry_id), TextOrMissing(store_id)});
  }
};

class ComRdoSession final : public ClientObject, public RdoSession {
 public:
  ComRdoSession(ComPtr<IDispatch> object, ComHostObjects::SessionSource outlook_session)
      : ClientObject(std::move(object), "RDOSession"),
        outlook_session_(std::move(outlook_session)) {}
  // RDOSession.MAPIOBJECT = Outlook's NameSpace.MAPIOBJECT.
  void AttachToOutlook() override {
    bound_.Put("MAPIOBJECT", Arg(outlook_session_ ? outlook_session_() : VariantValue()));
  }
  void Logon(bool show_dialog, bool new_session) override {
    bound_.Call("Logon", LogonArgs(show_dialog, new_session));
  }
  ol::FolderPtr GetFolderFromID(std::string_view entry_id) override {
    return ObjectAs<ol::Folder>(bound_, "GetFolderFromID", {Arg(entry_id)});
  }
  std::string ProfileName() override { return bound_.Text("ProfileName"); }

 private:
  ComHostObjects::SessionSource outlook_session_;
};

class ComSafeMailItem final : public ClientObject, public SafeMailItem {
 public:
  explicit ComSafeMailItem(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "SafeMailItem") {}
  // SafeItem.Item = item, as Redemption's callers assign it.
  void SetItem(const ol::ItemPtr& item) override {
    bound_.Put("Item", Arg(ToDispatch(item)));
  }
  ol::ItemPtr Item() override { return ObjectAs<ol::Item>(bound_, "Item"); }
  std::string Subject() override { return bound_.Text("Subject"); }
  std::string SenderName() override { return bound_.Text("SenderName"); }
  std::string SentOnBehalfOfName() override { return bound_.Text("SentOnBehalfOfName"); }
  Date SentOn() override { return bound_.DateOf("SentOn"); }
  ol::RecipientsPtr Recipients() override {
    return ObjectAs<ol::Recipients>(bound_, "Recipients");
  }
  std::string Body() override { return bound_.Text("Body"); }
  std::string RTFBody() override { return bound_.Text("RTFBody"); }
};

}  // namespace

template <>
std::shared_ptr<MapiUtils> MakeClient<MapiUtils>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComMapiUtils>(object);
}

template <>
std::shared_ptr<CdoSession> MakeClient<CdoSession>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCdoSession>(object);
}

template <>
std::shared_ptr<CdoMessage> MakeClient<CdoMessage>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCdoMessage>(object);
}

template <>
std::shared_ptr<CdoFields> MakeClient<CdoFields>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCdoFields>(object);
}

template <>
std::shared_ptr<CdoField> MakeClient<CdoField>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCdoField>(object);
}

template <>
std::shared_ptr<RdoSession> MakeClient<RdoSession>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComRdoSession>(object, nullptr);
}

std::shared_ptr<RdoSession> MakeRdoSessionClient(const ComPtr<IDispatch>& object,
                                                 ComHostObjects::SessionSource session) {
  return std::make_shared<ComRdoSession>(object, std::move(session));
}

template <>
std::shared_ptr<SafeMailItem> MakeClient<SafeMailItem>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComSafeMailItem>(object);
}

}  // namespace pinlet::com
