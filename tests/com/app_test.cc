// Outlook's window side and the add-in host across COM: the application,
// its namespace, explorers and inspectors with their events, the COM
// add-ins and the objects the add-in publishes.
#include "com_fixture.h"
#include "platform/com/com_support.h"
#include "sim/machine/host_session.h"

namespace pinlet::com {
namespace {

using Answers = std::vector<std::string>;

TEST_F(ComObjectsTest, WindowMembersAnswerAsTheHostWithOneCallEach) {
  ExpectSameRun([](ol::Application& app, SimHost& sim, Answers& out) {
    auto window = sim.outlook->OpenExplorer();  // the user's doing: no call
    out.push_back(app.Name() + "|" + app.Version());
    auto explorer = app.ActiveExplorer();
    out.push_back(explorer->Caption() + "|" + std::to_string(explorer->Class()) + "|" +
                  explorer->CurrentFolder()->Name() + "|" + explorer->CurrentView());
    out.push_back(std::to_string(explorer->Hwnd()));
    auto selection = explorer->Selection();
    out.push_back(std::to_string(selection->Count()) + "|" +
                  selection->Item(1)->Subject());
    explorer->SetCurrentView("Unread Messages");
    out.push_back(explorer->CurrentView());
    out.push_back(ErrorOf([&] { explorer->SetCurrentView("No such view"); }));
    auto ns = app.GetNameSpace("MAPI");
    auto projects = ns->GetDefaultFolder(ol::kFolderInbox)->Folders()->Item("Projects");
    explorer->SetCurrentFolder(projects);
    out.push_back(explorer->CurrentFolder()->FolderPath());
    out.push_back(ErrorOf([&] { explorer->SetCurrentFolder(nullptr); }));
    auto explorers = app.Explorers();
    out.push_back(std::to_string(explorers->Count()) + "|" +
                  explorers->Item(1)->Caption());
    explorer->Activate();
    // An item window.
    auto mail = projects->Items()->Item(1);
    mail->Display();
    auto inspector = app.ActiveInspector();
    out.push_back(inspector->Caption() + "|" + std::to_string(inspector->Class()) + "|" +
                  std::to_string(inspector->EditorType()) + "|" +
                  inspector->CurrentItem()->Subject());
    out.push_back(std::to_string(inspector->Hwnd()));
    out.push_back(std::to_string(app.Inspectors()->Count()) + "|" +
                  app.Inspectors()->Item(1)->Caption());
    inspector->Activate();
    auto hidden =
        ns->GetDefaultFolder(ol::kFolderInbox)->Items()->Item(2)->GetInspector();
    out.push_back(hidden->Caption() + "|" + std::to_string(hidden->Hwnd()));
    inspector->Close(ol::kOlDiscard);
    out.push_back(std::to_string(app.Inspectors()->Count()));
    // The add-in host's side.
    auto addins = app.GetCOMAddIns();
    auto addin = addins->Item(sim::kPinletProgId);
    out.push_back(std::to_string(addins->Count()) + "|" + addin->ProgId() + "|" +
                  addin->Description() + "|" + ToText(Variant(addin->Connect())) + "|" +
                  (addin->Object() ? "an object" : "Nothing"));
    out.push_back(ErrorOf([&] { addins->Item("No.Such"); }));
    out.push_back(ErrorOf([&] { app.GetNameSpace("LDAP"); }));
    explorer->Close();
    out.push_back(std::to_string(explorers->Count()) + "|" +
                  (app.ActiveExplorer() ? "active" : "none"));
    (void)window;
  });
}

TEST_F(ComObjectsTest, ExplorerEventsReachTheClientAndCancelComesBack) {
  app = ClientOf(host);
  auto window = host.outlook->OpenExplorer();
  auto explorer = app->ActiveExplorer();
  std::vector<std::string> seen;
  int64_t before = host.count();
  long sinks = EventHub::connected_sinks();
  {
    std::vector<Subscription> subs;
    subs.push_back(
        explorer->OnBeforeFolderSwitch([&](const ol::FolderPtr& folder, bool& cancel) {
          seen.push_back("before " + folder->Name());
          cancel = folder->Name() == "Projects";
        }));
    // Every event of the interface is subscribed with the first handler.
    EXPECT_EQ(host.count(), before + 7);
    EXPECT_EQ(host.Calls(host.world.faults.calls().size() - 1),
              std::vector<std::string>{"Explorer.Advise "});
    subs.push_back(explorer->OnFolderSwitch([&] { seen.push_back("switched"); }));
    subs.push_back(explorer->OnSelectionChange([&] { seen.push_back("selection"); }));
    subs.push_back(
        explorer->OnBeforeViewSwitch([&](const std::string& view, bool& cancel) {
          seen.push_back("before view " + view);
          cancel = true;
        }));
    subs.push_back(explorer->OnViewSwitch([&] { seen.push_back("view"); }));
    subs.push_back(explorer->OnActivate([&] { seen.push_back("activate"); }));
    subs.push_back(explorer->OnClose([&] { seen.push_back("close"); }));
    EXPECT_EQ(EventHub::connected_sinks(), sinks + 1);
    EXPECT_EQ(host.count(), before + 7);  // later handlers share the connection

    auto inbox = host.Default(ol::kFolderInbox);
    EXPECT_FALSE(window->SwitchFolder(inbox->children.front().get()));  // cancelled
    EXPECT_EQ(window->folder(), inbox);
    EXPECT_TRUE(window->SwitchFolder(host.Default(ol::kFolderContacts)));
    EXPECT_FALSE(window->SwitchView("Phone List"));
    host.outlook->CloseExplorer(window);
  }
  EXPECT_EQ(seen,
            (std::vector<std::string>{"before Projects", "before Contacts", "switched",
                                      "selection", "before view Phone List", "close"}));
  EXPECT_EQ(EventHub::connected_sinks(), sinks);
}

TEST_F(ComObjectsTest, NewWindowsArriveAsClientsOfTheirOwnKind) {
  app = ClientOf(host);
  ol::ExplorerPtr new_explorer;
  ol::InspectorPtr new_inspector;
  int closed = 0;
  Subscription inspector_closed;
  {
    Subscription explorers =
        app->Explorers()->OnNewExplorer([&](ol::ExplorerPtr e) { new_explorer = e; });
    Subscription inspectors = app->Inspectors()->OnNewInspector([&](ol::InspectorPtr i) {
      new_inspector = i;
      inspector_closed = i->OnClose([&] { ++closed; });
    });
    host.outlook->OpenExplorer();
    host.outlook->OpenItem(host.Default(ol::kFolderInbox)->items.front());
  }
  ASSERT_TRUE(new_explorer);
  ASSERT_TRUE(new_inspector);
  EXPECT_TRUE(dynamic_cast<ClientObject*>(new_explorer.get()));
  EXPECT_EQ(new_explorer, app->ActiveExplorer());  // one client per window
  EXPECT_EQ(new_inspector->CurrentItem()->Subject(), "Quarterly budget review");
  host.outlook->CloseInspector(host.outlook->inspectors().front());
  EXPECT_EQ(closed, 1);
  inspector_closed.Reset();
  new_inspector.reset();
  new_explorer.reset();
}

TEST_F(ComObjectsTest, WindowsAndApplicationsAreToldApartWithoutACall) {
  app = ClientOf(host);
  host.outlook->OpenExplorer();
  int64_t before = host.count();
  // Outlook's application is a HostApplication that is an ol::Application,
  // and both views of it are one client.
  ComPtr<IDispatch> served = ToDispatch<HostApplication>(host.outlook);
  std::shared_ptr<HostApplication> as_host = ToPlatform<HostApplication>(served);
  EXPECT_EQ(std::dynamic_pointer_cast<ol::Application>(as_host), app);
  // Another Office host is none.
  auto other = ToPlatform<HostApplication>(
      ToDispatch<HostApplication>(sim::MakeOtherHost(&host.world, "Microsoft Excel")));
  EXPECT_FALSE(std::dynamic_pointer_cast<ol::Application>(other));
  EXPECT_EQ(host.count(), before);
  EXPECT_EQ(other->Name(), "Microsoft Excel");
  // The side that served them takes its own objects back as themselves, as
  // whichever type they are asked for.
  EXPECT_EQ(ArgumentOf<HostApplication>(served), host.outlook);
  auto window = host.outlook->explorers().front();
  EXPECT_EQ(ArgumentOf<office::Window>(ToDispatch<ol::Explorer>(window)), window);
}

TEST_F(ComObjectsTest, WindowHandleFailuresArriveWithTheirNumbers) {
  app = ClientOf(host);
  host.outlook->OpenExplorer();
  auto explorer = app->ActiveExplorer();
  EXPECT_NE(explorer->Hwnd(), 0);
  host.world.faults.FailMember("IOleWindow.GetWindow", errors::kOperationFailed, 1);
  EXPECT_EQ(ErrorOf([&] { explorer->Hwnd(); }),
            "error " + std::to_string(errors::kOperationFailed));
  host.world.faults.FailMember("Explorer.Advise", errors::kNotFound, 3);
  EXPECT_EQ(ErrorOf([&] { explorer->OnClose([] {}); }),
            "error " + std::to_string(errors::kNotFound));
  Subscription later = explorer->OnClose([] {});
  EXPECT_TRUE(later.connected());
}

// ---------------------------------------------------------------------------
// What the add-in publishes, served from the DLL's side and called from
// another host's.

struct FakeReplyForward : ReplyForwardObject {
  ol::InspectorPtr inspector;
  ol::ItemPtr note;
  ol::InspectorPtr objInspector() override { return inspector; }
  ol::ItemPtr objNote() override { return note; }
};

struct FakeConnector : AddInConnector {
  bool initialized = true;
  std::vector<std::string> clicks;
  ReplyForms forms;
  bool IsInitialized() override { return initialized; }
  void PinletClick(const std::string& caption, bool toolbar_click,
                   const ol::ItemPtr& mail, const std::shared_ptr<void>& window,
                   bool& close_form, const std::shared_ptr<void>& spell) override {
    if (caption == "fail")
      throw HostError(errors::kNotFound, "no such note", "Connector");
    clicks.push_back(caption + "|" + (toolbar_click ? "toolbar" : "menu") + "|" +
                     (mail ? mail->Subject() : "Nothing") + "|" + (window ? "w" : "-") +
                     (spell ? "s" : "-") + (close_form ? "close" : "keep"));
    close_form = true;
  }
  ReplyForms GetReplyForms() override { return forms; }
};

struct FakeConnectors : AddInConnectors {
  std::vector<std::pair<std::string, std::shared_ptr<AddInConnector>>> connectors;
  int Count() override { return static_cast<int>(connectors.size()); }
  std::shared_ptr<AddInConnector> Item(int index) override {
    if (index < 1 || index > Count()) throw InvalidArgumentError("Item");
    return connectors[index - 1].second;
  }
  std::shared_ptr<AddInConnector> Item(std::string_view key) override {
    for (auto& [name, connector] : connectors)
      if (name == key) return connector;
    throw InvalidArgumentError("Item");
  }
};

struct FakeAddIn : AddInObject {
  std::shared_ptr<AddInConnectors> connectors;
  std::shared_ptr<AddInConnectors> GetConnectors() override { return connectors; }
};

TEST_F(ComObjectsTest, ThePublishedObjectReachesItsConnectorsThroughTheHost) {
  app = ClientOf(host);
  auto connector = std::make_shared<FakeConnector>();
  auto connectors = std::make_shared<FakeConnectors>();
  connectors->connectors = {{"Outlook", connector},
                            {"Word", std::make_shared<FakeConnector>()}};
  auto published = std::make_shared<FakeAddIn>();
  published->connectors = connectors;

  // The add-in publishes itself through its COMAddIn, as the DLL does.
  auto addin = app->GetCOMAddIns()->Item(sim::kPinletProgId);
  addin->SetObject(published);
  // Another host's code finds it there, late-bound.
  std::shared_ptr<AddInObject> found = addin->Object();
  ASSERT_TRUE(found);
  EXPECT_TRUE(dynamic_cast<ClientObject*>(found.get()));
  auto reached = found->GetConnectors();
  EXPECT_EQ(reached->Count(), 2);
  auto outlook = reached->Item("Outlook");
  EXPECT_TRUE(outlook->IsInitialized());
  EXPECT_EQ(reached->Item(1), outlook);
  EXPECT_EQ(ErrorOf([&] { reached->Item("Excel"); }), "error 5");

  auto mail =
      app->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox)->Items()->Item(1);
  bool close_form = false;
  outlook->PinletClick("Show note", true, mail, nullptr, close_form, nullptr);
  EXPECT_TRUE(close_form);  // written back through the reference
  outlook->PinletClick("Show note", false, nullptr, nullptr, close_form, nullptr);
  EXPECT_EQ(connector->clicks,
            (std::vector<std::string>{"Show note|toolbar|Quarterly budget review|--keep",
                                      "Show note|menu|Nothing|--close"}));
  EXPECT_EQ(ErrorOf([&] {
              outlook->PinletClick("fail", true, mail, nullptr, close_form, nullptr);
            }),
            "error " + std::to_string(errors::kNotFound));

  // The reply/forward objects come as a collection.
  EXPECT_TRUE(outlook->GetReplyForms().empty());
  host.outlook->OpenItem(host.Default(ol::kFolderInbox)->items.front());
  auto form = std::make_shared<FakeReplyForward>();
  form->inspector = host.outlook->inspectors().front();
  form->note = sim::WrapItem(&host.world, host.Default(ol::kFolderInbox)->items.back());
  connector->forms = {form, std::make_shared<FakeReplyForward>()};
  ReplyForms forms = outlook->GetReplyForms();
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0]->objInspector()->CurrentItem()->Subject(),
            "Quarterly budget review");
  EXPECT_EQ(forms[0]->objNote()->Subject(), "Holiday rota");
  EXPECT_EQ(forms[1]->objNote(), nullptr);

  addin->SetObject(nullptr);
  EXPECT_EQ(addin->Object(), nullptr);
}

// An object whose "Object" property is set by reference only, as a
// propputref property is: a by-value put is not found.
class ByReferenceOnly final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = (iid == IID_IUnknown || iid == IID_IDispatch) ? static_cast<IDispatch*>(this)
                                                         : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                          DISPID* ids) override {
    ids[0] = 7;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT*, EXCEPINFO*, UINT*) override {
    invokes.push_back(flags);
    if (flags != DISPATCH_PROPERTYPUTREF) return DISP_E_MEMBERNOTFOUND;
    held = ObjectOf(params->rgvarg[0], "Object");
    return S_OK;
  }
  std::vector<WORD> invokes;
  ComPtr<IDispatch> held;
};

TEST_F(ComObjectsTest, AnObjectPropertyIsSetByValueElseByReference) {
  app = ClientOf(host);
  ComPtr<IDispatch> value = ToDispatch(app);
  ByReferenceOnly by_reference;
  PutObject(LateBound(ComPtr<IDispatch>(&by_reference), "COMAddIn"), "Object", value);
  EXPECT_EQ(by_reference.invokes,
            (std::vector<WORD>{DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF}));
  EXPECT_EQ(by_reference.held.get(), value.get());
  by_reference.held.Reset();
  // The host's own COMAddIn takes it by value: one call.
  auto addin = app->GetCOMAddIns()->Item(sim::kPinletProgId);
  size_t mark = host.world.faults.calls().size();
  addin->SetObject(std::make_shared<FakeAddIn>());
  EXPECT_EQ(host.Calls(mark), std::vector<std::string>{"COMAddIn.Object "});
  addin->SetObject(nullptr);
}

}  // namespace
}  // namespace pinlet::com
