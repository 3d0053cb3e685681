// The DLL's class factory and its add-in object as COM sees them: the one
// class it makes, the interfaces of that object, GetConnectors beside the
// type library's names, when the DLL may be unloaded, and creation through
// the registration as Office does it.
#include <gtest/gtest.h>

#include <string>

#include "comserver/registry_tree.h"
#include "platform/com/late_bound.h"
#include "platform/host_error.h"
#include "server_support.h"

namespace pinlet::com {
namespace {

DISPID IdOfName(IDispatch* object, const wchar_t* member) {
  std::wstring name(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return SUCCEEDED(hr) ? id : DISPID_UNKNOWN;
}

// Both DLLs have the same server; these hold for each.
class ClassFactoryTest : public ::testing::TestWithParam<const wchar_t*> {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override {
    EXPECT_EQ(dll().CanUnloadNow(), S_OK) << "an object of the DLL is still alive";
    CoUninitialize();
  }
  ServerDll& dll() { return ServerDll::Get(GetParam()); }
};

TEST_P(ClassFactoryTest, MakesOnlyPinletConnect) {
  void* out = this;
  EXPECT_EQ(dll().GetClassObject(IID_IDispatch, IID_IClassFactory, &out),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(dll().GetClassObject(CLSID_Connect, IID_IClassFactory, nullptr), E_POINTER);
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(dll().GetClassObject(CLSID_Connect, IID_IDispatch, unknown.PutVoid()),
            E_NOINTERFACE);
  EXPECT_FALSE(unknown);
}

TEST_P(ClassFactoryTest, RefusesAggregation) {
  ComPtr<IClassFactory> factory = dll().Factory();
  ASSERT_TRUE(factory);
  ComPtr<IUnknown> inner;
  EXPECT_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, inner.PutVoid()),
            CLASS_E_NOAGGREGATION);
  EXPECT_FALSE(inner);
}

TEST_P(ClassFactoryTest, TheObjectIsTheAddinInterfaceAndItsIDispatch) {
  ComPtr<IClassFactory> factory = dll().Factory();
  ASSERT_TRUE(factory);
  ComPtr<IUnknown> unknown;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, unknown.PutVoid()), S_OK);
  auto addin = unknown.As<_IDTExtensibility2>(IID__IDTExtensibility2);
  auto dispatch = unknown.As<IDispatch>(IID_IDispatch);
  ASSERT_TRUE(addin && dispatch);
  EXPECT_EQ(IdentityOf(addin.get()), unknown.get());
  EXPECT_EQ(IdentityOf(dispatch.get()), unknown.get());
  auto errors = unknown.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
  ASSERT_TRUE(errors);
  EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID__IDTExtensibility2), S_OK);
  EXPECT_FALSE(unknown.As<IClassFactory>(IID_IClassFactory));
  ComPtr<IUnknown> none;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, none.PutVoid()),
            E_NOINTERFACE);

  // Its type information is Office's interface, from the DLL's own type
  // library, and the library stays unregistered.
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()), S_OK);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_TRUE(attr->guid == IID__IDTExtensibility2);
  EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
  info->ReleaseTypeAttr(attr);
  HKEY key = nullptr;
  EXPECT_NE(
      RegOpenKeyExW(HKEY_CLASSES_ROOT, L"TypeLib\\{93DE7661-03DA-4E3D-9CDA-DA2BAD713AB8}",
                    0, KEY_READ, &key),
      ERROR_SUCCESS);
  EXPECT_FALSE(
      KeyExists(HKEY_CLASSES_ROOT, L"Interface\\{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}"));

  // Office's DISPIDs in any case, GetConnectors beside them.
  EXPECT_EQ(IdOfName(dispatch.get(), L"onconnection"), 1);
  EXPECT_EQ(IdOfName(dispatch.get(), L"OnDisconnection"), 2);
  EXPECT_EQ(IdOfName(dispatch.get(), L"OnAddInsUpdate"), 3);
  EXPECT_EQ(IdOfName(dispatch.get(), L"OnStartupComplete"), 4);
  EXPECT_EQ(IdOfName(dispatch.get(), L"ONBEGINSHUTDOWN"), 5);
  DISPID connectors = IdOfName(dispatch.get(), L"getConnectors");
  EXPECT_NE(connectors, DISPID_UNKNOWN);
  EXPECT_TRUE(connectors < 1 || connectors > 5);
  EXPECT_EQ(IdOfName(dispatch.get(), L"NoSuchMember"), DISPID_UNKNOWN);
}

TEST_P(ClassFactoryTest, CanUnloadOnlyWhenNoObjectLivesAndNoLockIsHeld) {
  EXPECT_EQ(dll().CanUnloadNow(), S_OK);
  ComPtr<IClassFactory> factory = dll().Factory();
  EXPECT_EQ(dll().CanUnloadNow(), S_FALSE) << "the factory lives";
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(dll().CanUnloadNow(), S_FALSE) << "the lock is held";
  factory = dll().Factory();
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  ComPtr<_IDTExtensibility2> addin;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID__IDTExtensibility2, addin.PutVoid()),
            S_OK);
  factory.Reset();
  EXPECT_EQ(dll().CanUnloadNow(), S_FALSE) << "the add-in object lives";
  addin.Reset();
  EXPECT_EQ(dll().CanUnloadNow(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(BothDlls, ClassFactoryTest,
                         ::testing::Values(kShippedDll, kTestDll), [](const auto& info) {
                           return std::string(info.param == kShippedDll ? "Shipped"
                                                                        : "Test");
                         });

class PublishedObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(PublishedObjectTest, GetConnectorsGivesTheAddinsConnectorsByName) {
  ServerDll& dll = ServerDll::Get(kTestDll);
  FakeHost host = ServeFakeHost("Outlook");
  ComPtr<_IDTExtensibility2> addin = dll.CreateAddin();
  ASSERT_TRUE(addin);
  CustomValues custom({});
  ASSERT_EQ(addin->OnConnection(host.application.get(), ext_cm_Startup, host.addin.get(),
                                custom.slot()),
            S_OK);

  // As another host's code reaches it: late-bound, by name.
  LateBound connect(addin.As<IDispatch>(IID_IDispatch), "Connect");
  LateBound connectors(connect.Object("GetConnectors"), "AddInConnectors");
  EXPECT_EQ(connectors.Long("Count"), 1);
  EXPECT_TRUE(LateBound(connectors.Object("Item", {Arg("Outlook")}), "AddInConnector")
                  .Bool("IsInitialized"));
  EXPECT_TRUE(LateBound(connectors.Object("Item", {Arg(1)}), "AddInConnector")
                  .Bool("IsInitialized"));
  // The published object's own name is no argument of GetConnectors.
  try {
    connect.Call("GetConnectors", {Arg(1)});
    ADD_FAILURE() << "GetConnectors took an argument";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), 450);
  }

  // The connectors are objects of the DLL: while a caller holds them the DLL
  // stays loaded, though the add-in object is gone.
  connect = LateBound();
  addin.Reset();
  EXPECT_EQ(dll.CanUnloadNow(), S_FALSE);
  connectors = LateBound();
  EXPECT_EQ(dll.CanUnloadNow(), S_OK);
}

// The add-in that ships, in a host that is Outlook by name only (it has no
// namespace, no windows): every callback answers S_OK, the connectors are
// published, and once the host forgets the published object, as Office
// does when it unloads an add-in, nothing of the DLL stays alive.
TEST_F(PublishedObjectTest,
       TheShippedAddinAnswersEveryCallbackAndPublishesItsConnectors) {
  ServerDll& dll = ServerDll::Get(kShippedDll);
  FakeHost host = ServeFakeHost("Outlook");
  ComPtr<_IDTExtensibility2> addin = dll.CreateAddin();
  ASSERT_TRUE(addin);
  CustomValues custom({TextVariant("kept")});
  EXPECT_EQ(addin->OnConnection(host.application.get(), ext_cm_Startup, host.addin.get(),
                                custom.slot()),
            S_OK);
  EXPECT_EQ(addin->OnAddInsUpdate(custom.slot()), S_OK);
  EXPECT_EQ(addin->OnStartupComplete(custom.slot()), S_OK);
  {
    LateBound published(LateBound(host.addin, "COMAddIn").Object("Object"), "Connect");
    LateBound connectors(published.Object("GetConnectors"), "Connectors");
    EXPECT_EQ(connectors.Long("Count"), 3);
    // Without a namespace and windows the Outlook connector stays
    // uninitialised, as for Outlook started by another program.
    EXPECT_FALSE(LateBound(connectors.Object("Item", {Arg("Outlook")}), "Connector")
                     .Bool("IsInitialized"));
  }
  EXPECT_EQ(addin->OnBeginShutdown(custom.slot()), S_OK);
  EXPECT_EQ(addin->OnDisconnection(ext_dm_HostShutdown, custom.slot()), S_OK);
  EXPECT_EQ(Joined(custom.Values()), "kept");
  LateBound(host.addin, "COMAddIn")
      .PutRef("Object", Arg(static_cast<IDispatch*>(nullptr)));
  addin.Reset();
  EXPECT_EQ(dll.CanUnloadNow(), S_OK);
}

// What the add-in says of its windows is asked by name. A window that is
// none of its forms is refused with 5 by the add-in that ships, and an
// add-in that describes no windows refuses with 438; both take exactly the
// window and the aspect.
TEST_F(PublishedObjectTest, DescribeWindowRefusesAWindowThatIsNoneOfTheAddinsForms) {
  HWND other = CreateWindowExW(0, L"STATIC", L"not a form", WS_OVERLAPPED, 0, 0, 10, 10,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(other);
  auto handle = static_cast<int32_t>(reinterpret_cast<intptr_t>(other));
  auto error_of = [](const LateBound& connect, std::vector<Arg> args) {
    try {
      connect.Call("DescribeWindow", std::move(args));
    } catch (const HostError& error) {
      return error.number();
    }
    return 0;
  };
  for (auto [which, refused] : {std::pair{kShippedDll, 5}, std::pair{kTestDll, 438}}) {
    ComPtr<_IDTExtensibility2> addin = ServerDll::Get(which).CreateAddin();
    ASSERT_TRUE(addin);
    LateBound connect(addin.As<IDispatch>(IID_IDispatch), "Connect");
    EXPECT_EQ(error_of(connect, {Arg(handle), Arg("form")}), refused) << which;
    EXPECT_EQ(error_of(connect, {Arg(handle)}), 450) << which;
  }
  DestroyWindow(other);
}

// Office creates the class from the registration: the ProgID leads to the
// CLSID, and the CLSID to the DLL.
TEST_F(PublishedObjectTest, CreatedFromItsRegistrationAsOfficeDoes) {
  ServerDll& dll = ServerDll::Get(kTestDll);
  ASSERT_EQ(dll.Register(), S_OK);
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(L"Pinlet.Connect", &clsid), S_OK);
  EXPECT_TRUE(clsid == CLSID_Connect);
  ComPtr<_IDTExtensibility2> addin;
  EXPECT_EQ(CoCreateInstance(CLSID_Connect, nullptr, CLSCTX_INPROC_SERVER,
                             IID__IDTExtensibility2, addin.PutVoid()),
            S_OK);
  if (addin) {
    // The test DLL's add-in, loaded from the registered path.
    CustomValues custom({});
    EXPECT_EQ(addin->OnAddInsUpdate(custom.slot()), S_OK);
    EXPECT_EQ(Joined(custom.Values()), "OnAddInsUpdate");
  }
  addin.Reset();
  EXPECT_EQ(dll.CanUnloadNow(), S_OK);
  EXPECT_EQ(dll.Unregister(), S_OK);
}

}  // namespace
}  // namespace pinlet::com
