// The helper libraries across COM: Redemption, CDO, VBScript's RegExp and
// the sharing product, created by ProgID through ComHostObjects, and the
// running application found through GetActiveObject.
#include <windows.h>

#include "com_fixture.h"
#include "platform/com/com_error.h"
#include "platform/com/com_helpers.h"
#include "platform/wide_text.h"
#include "sim/machine/sim_mapi_helpers.h"

namespace pinlet::com {
namespace {

using Answers = std::vector<std::string>;

// A class whose objects `make` gives, registered for this process under a
// ProgID of the machine's registry while it lives.
class RegisteredClass final : public IClassFactory {
 public:
  RegisteredClass(std::string prog_id, std::function<ComPtr<IDispatch>()> make)
      : prog_id_(std::move(prog_id)),
        clsid_(GuidOfTypeName("test class " + prog_id_)),
        make_(std::move(make)) {
    HKEY key = nullptr;
    std::wstring path = Wide("Software\\Classes\\" + prog_id_ + "\\CLSID");
    wchar_t text[40] = {};
    StringFromGUID2(clsid_, text, 40);
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                    &key, nullptr);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    CoRegisterClassObject(clsid_, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                          &cookie_);
  }
  ~RegisteredClass() {
    CoRevokeClassObject(cookie_);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE,
                  Wide("Software\\Classes\\" + prog_id_ + "\\CLSID").c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide("Software\\Classes\\" + prog_id_).c_str());
  }
  const CLSID& clsid() const { return clsid_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  // Lives on the test's stack: references are not counted.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                           void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<IDispatch> object;
    HRESULT hr = AtComBoundary("CreateInstance", [&] { object = make_(); });
    if (FAILED(hr)) return hr;
    return object->QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  std::string prog_id_;
  CLSID clsid_;
  std::function<ComPtr<IDispatch>()> make_;
  DWORD cookie_ = 0;
};

// The helper libraries of `sim`, registered as the real ones are.
struct RegisteredHelpers {
  explicit RegisteredHelpers(SimHost& sim)
      : mapi_utils("Redemption.MAPIUtils",
                   [&sim] { return ToDispatch(sim.world.objects->CreateMapiUtils()); }),
        cdo("MAPI.Session",
            [&sim] { return ToDispatch(sim.world.objects->CreateCdoSession()); }),
        rdo("Redemption.RDOSession",
            [&sim] { return ToDispatch(sim.world.objects->CreateRdoSession()); }),
        safe_mail("Redemption.SafeMailItem",
                  [&sim] { return ToDispatch(sim.world.objects->CreateSafeMailItem()); }),
        sharing("Relaybook.Engine", [&sim] {
          return ToDispatch(sim.world.objects->CreateSharingProduct());
        }) {}
  RegisteredClass mapi_utils, cdo, rdo, safe_mail, sharing;
};

// The add-in's extension, as the sharing module implements it.
struct FakeExtension : IRelaybookExt {
  std::vector<std::string> calls;
  std::string DatabasePath() override { return "C:\\Data\\UserOutlookrelaybook.mdb"; }
  std::string ProductCode() override { return "Pinlet"; }
  void onItemAdded(const ol::ItemPtr& item, bool& result) override {
    Record("added", item, result);
  }
  void onItemChanged(const ol::ItemPtr& item, bool& result) override {
    Record("changed", item, result);
  }
  void onItemDeleted(const ol::ItemPtr& item, bool& result) override {
    Record("deleted", item, result);
  }
  void onItemReceived(const ol::ItemPtr& item, const std::string& info,
                      bool& result) override {
    Record("received " + info, item, result);
  }
  void onItemResend(const ol::ItemPtr& item, const std::string& info,
                    bool& result) override {
    Record("resend " + info, item, result);
  }
  void onFolderReceived(const ol::FolderPtr& folder, const std::string& info) override {
    calls.push_back("folder " + folder->Name() + " " + info);
  }
  void onPostprocess(const std::string& info, const std::string& detail) override {
    calls.push_back("postprocess " + info + " " + detail);
  }
  void Record(const std::string& what, const ol::ItemPtr& item, bool& result) {
    calls.push_back(what + " " + (item ? item->Subject() : "Nothing") +
                    (result ? " true" : " false"));
    result = true;
  }
};

void HelperSteps(ol::Application& app, ComObjectFactory& objects, SimHost& sim,
                 Answers& out) {
  auto inbox = app.GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox);
  auto mail = inbox->Items()->Item("Board slides");
  // MAPIUtils on the flag properties.
  auto utils = objects.CreateMapiUtils();
  out.push_back(ErrorOf([&] { utils->HrGetOneProp(mail, kPrFlagStatus); }));
  utils->HrSetOneProp(mail, kPrFlagIcon, Variant(int32_t{3}), true);
  out.push_back(ToText(utils->HrGetOneProp(mail, kPrFlagIcon)) + "|" +
                ToText(mail->Get("FlagIcon")));
  out.push_back(ErrorOf([&] { utils->HrGetOneProp(nullptr, kPrFlagIcon); }));
  // CDO's fields.
  auto cdo = objects.CreateCdoSession();
  out.push_back(ErrorOf([&] { cdo->GetMessage(mail->EntryID(), ""); }));
  cdo->Logon(false, false);
  auto message = cdo->GetMessage(mail->EntryID(), inbox->StoreID());
  auto fields = message->Fields();
  out.push_back(ErrorOf([&] { fields->Item("ZPNTitle"); }));
  auto field = fields->Add("ZPNTitle", 8, Variant("kept"));
  message->Update();
  field->SetValue(Variant("changed"));
  out.push_back(ToText(fields->Item("zpntitle")->Value()) + "|" + field->Name() + "|" +
                std::to_string(fields->Count()));
  field->Delete();
  out.push_back(std::to_string(fields->Count()));
  // RDO's session.
  auto rdo = objects.CreateRdoSession();
  out.push_back(ErrorOf([&] { rdo->ProfileName(); }));
  rdo->Logon(false, false);
  out.push_back(rdo->ProfileName());
  out.push_back(ErrorOf([&] { rdo->GetFolderFromID(inbox->EntryID()); }));
  rdo->AttachToOutlook();
  out.push_back(rdo->GetFolderFromID(inbox->EntryID())->FolderPath());
  // SafeMailItem.
  auto safe = objects.CreateSafeMailItem();
  out.push_back(ErrorOf([&] { safe->Subject(); }));
  safe->SetItem(mail);
  out.push_back(safe->Subject() + "|" + safe->SenderName() + "|" +
                safe->SentOnBehalfOfName() + "|" + ToText(Variant(safe->SentOn())) + "|" +
                safe->Body() + "|[" + safe->RTFBody() + "]|" + safe->Item()->Subject());
  auto recipients = safe->Recipients();
  out.push_back(std::to_string(recipients->Count()) + "|" + recipients->Item(1)->Name());
  out.push_back(ErrorOf([&] { safe->SetItem(nullptr); }));
  // The sharing product, installed and not.
  out.push_back(ErrorOf([&] { objects.CreateSharingProduct(); }));
  sim.world.sharing.Install();
  auto product = objects.CreateSharingProduct();
  auto extension = std::make_shared<FakeExtension>();
  auto engine = product->AddExtension(extension);
  engine->AddSharedFolder(inbox->EntryID(), inbox->StoreID());
  out.push_back(std::to_string(sim.world.sharing.live_registrations()) + "|" +
                sim.world.sharing.registrations().back()->product_code + "|" +
                sim.world.sharing.reported_folders().back().folder_path);
  out.push_back(ErrorOf([&] { product->AddExtension(nullptr); }));
  engine.reset();
  out.push_back(std::to_string(sim.world.sharing.live_registrations()));
}

TEST_F(ComObjectsTest, HelperLibrariesAnswerAsTheHostWithOneCallEach) {
  SimHost direct, over_com;
  Answers direct_answers, com_answers;
  HelperSteps(*direct.outlook, *direct.world.objects, direct, direct_answers);
  {
    RegisteredHelpers registered(over_com);
    ComHostObjects objects;
    HelperSteps(*ClientOf(over_com), objects, over_com, com_answers);
  }
  EXPECT_EQ(direct_answers, com_answers);
  EXPECT_EQ(direct.Calls(), over_com.Calls());
}

TEST_F(ComObjectsTest, AClassThatCannotBeCreatedRaises429WithItsProgId) {
  ComHostObjects objects;
  std::optional<HostError> error = Attempt([&] { objects.CreateMapiUtils(); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), errors::kCannotCreateObject);
  EXPECT_EQ(error->source(), "Redemption.MAPIUtils");
  EXPECT_EQ(ErrorOf([&] { objects.CreateSharingProduct(); }), "error 429");
  // A registered class whose creation fails is no better.
  auto& factory = static_cast<sim::SimObjectFactory&>(*host.world.objects);
  factory.cdo_installed = false;
  RegisteredHelpers registered(host);
  EXPECT_EQ(ErrorOf([&] { objects.CreateCdoSession(); }), "error 429");
}

TEST_F(ComObjectsTest, LogonTakesItsFlagsByNameOrByPosition) {
  auto cdo = host.world.objects->CreateCdoSession();
  LateBound session(ToDispatch(cdo), "Session");
  session.Call("Logon", {Arg::Missing(), Arg::Missing(), Arg(false), Arg(false)});
  session.Call("Logon", {Arg::Named("newsession", Arg(true)),
                         Arg::Named("ShowDialog", Arg(false))});
  EXPECT_EQ(
      ErrorOf([&] { session.Call("Logon", {Arg::Named("NoSuchFlag", Arg(true))}); }),
      "error 438");
  auto rdo = host.world.objects->CreateRdoSession();
  LateBound rdo_session(ToDispatch(rdo), "RDOSession");
  rdo_session.Call("Logon",
                   {Arg("Outlook"), Arg(""), Arg::Named("NewSession", Arg(false))});
  EXPECT_EQ(rdo_session.Text("ProfileName"), "Outlook");
}

TEST_F(ComObjectsTest, FailuresOfTheHelpersArriveWithTheirNumbers) {
  app = ClientOf(host);
  RegisteredHelpers registered(host);
  ComHostObjects objects;
  auto cdo = objects.CreateCdoSession();
  cdo->Logon(false, true);
  host.world.faults.FailMember("Session.GetMessage", errors::kNotFound, 1);
  EXPECT_EQ(ErrorOf([&] { cdo->GetMessage("00", ""); }),
            "error " + std::to_string(errors::kNotFound));
  // SafeMailItem refuses what is no item: a folder handed over as one.
  auto safe = objects.CreateSafeMailItem();
  auto inbox = app->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox);
  ComPtr<IDispatch> folder = ToDispatch(inbox);
  EXPECT_EQ(ErrorOf([&] {
              LateBound(ToDispatch(safe), "SafeMailItem").Put("Item", Arg(folder));
            }),
            "error 13");
}

// VBScript's own RegExp, which Wine provides, and the simulated one answer
// alike through the same client.
TEST_F(ComObjectsTest, RegularExpressionsOfVBScriptAndOfTheHostAgree) {
  ComHostObjects objects;
  RegExpPtr real = objects.CreateRegExp();
  RegExpPtr simulated = Client(host.world.objects->CreateRegExp());
  for (const RegExpPtr& regexp : {real, simulated}) {
    SCOPED_TRACE(regexp == real ? "VBScript" : "simulated");
    EXPECT_EQ(regexp->Pattern(), "");
    EXPECT_FALSE(regexp->IgnoreCase());
    regexp->SetPattern("\\.(exe|bat|vbs)$");
    EXPECT_EQ(regexp->Pattern(), "\\.(exe|bat|vbs)$");
    EXPECT_FALSE(regexp->Test("SETUP.EXE"));
    regexp->SetIgnoreCase(true);
    regexp->SetGlobal(true);
    EXPECT_TRUE(regexp->IgnoreCase());
    EXPECT_TRUE(regexp->Global());
    EXPECT_TRUE(regexp->Test("SETUP.EXE"));
    EXPECT_FALSE(regexp->Test("setup.exe.txt"));
    EXPECT_TRUE(regexp->Test("Grüße.vbs"));
    regexp->SetPattern("(unclosed");
    std::optional<HostError> error = Attempt([&] { regexp->Test("x"); });
    ASSERT_TRUE(error);
    // Windows' VBScript raises 5017; Wine's raises E_FAIL.
    if (regexp == simulated) {
      EXPECT_EQ(error->number(), errors::kRegExpSyntax);
    }
  }
}

TEST_F(ComObjectsTest, TheRunningOutlookIsFoundAsAnOutlook) {
  RegisteredClass outlook_class("Outlook.Application",
                                [] { return ComPtr<IDispatch>(); });
  EXPECT_EQ(GetActiveHostApplication("Outlook.Application"), nullptr);  // not running
  EXPECT_EQ(GetActiveHostApplication("No.Such.Application"), nullptr);
  ComPtr<IDispatch> running = ToDispatch<HostApplication>(host.outlook);
  DWORD cookie = 0;
  ASSERT_EQ(RegisterActiveObject(running.get(), outlook_class.clsid(),
                                 ACTIVEOBJECT_STRONG, &cookie),
            S_OK);
  {
    std::shared_ptr<HostApplication> found =
        GetActiveHostApplication("Outlook.Application");
    ASSERT_TRUE(found);
    auto outlook = std::dynamic_pointer_cast<ol::Application>(found);
    ASSERT_TRUE(outlook);
    EXPECT_EQ(outlook->Name(), "Outlook");
    EXPECT_EQ(outlook->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox)->Name(),
              "Inbox");
  }
  RevokeActiveObject(cookie, nullptr);
  running.Reset();
  EXPECT_EQ(GetActiveHostApplication("Outlook.Application"), nullptr);
}

TEST_F(ComObjectsTest, TheExtensionCrossesFromTheAddInToTheProduct) {
  host.world.sharing.Install();
  auto extension = std::make_shared<FakeExtension>();
  // The product's side holds the add-in's extension as a client.
  std::shared_ptr<IRelaybookExt> held = Client<IRelaybookExt>(extension);
  auto engine = host.world.objects->CreateSharingProduct()->AddExtension(held);
  const auto& registration = *host.world.sharing.registrations().back();
  EXPECT_EQ(registration.product_code, "Pinlet");
  EXPECT_EQ(registration.database_path, "C:\\Data\\UserOutlookrelaybook.mdb");
  auto node = host.Default(ol::kFolderInbox)->items.front();
  auto deletion = host.world.sharing.DeleteSharedItem(node);
  ASSERT_TRUE(deletion);
  EXPECT_EQ(deletion->answers, std::vector<bool>{true});  // the result came back
  // The mail as it is now in Deleted Items (a new item of the Exchange mailbox).
  auto item = sim::WrapItem(&host.world, host.Default(ol::kFolderDeletedItems)->items.back());
  bool result = false;
  held->onItemReceived(item, "from Dana", result);
  EXPECT_TRUE(result);
  result = false;
  held->onItemAdded(item, result);
  held->onItemChanged(nullptr, result);
  held->onItemResend(item, "again", result);
  held->onFolderReceived(sim::WrapFolder(&host.world, host.Default(ol::kFolderInbox)),
                         "shared");
  held->onPostprocess("done", "3 items");
  EXPECT_EQ(extension->calls,
            (std::vector<std::string>{
                "deleted Quarterly budget review false",
                "received from Dana Quarterly budget review false",
                "added Quarterly budget review false", "changed Nothing true",
                "resend again Quarterly budget review true", "folder Inbox shared",
                "postprocess done 3 items"}));
  engine.reset();
  held.reset();
  EXPECT_EQ(host.world.sharing.live_registrations(), 0);
}

}  // namespace
}  // namespace pinlet::com
