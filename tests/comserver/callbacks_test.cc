// The five callbacks of the test DLL's add-in object, called as Office calls
// them (vtable) and as a late-bound caller does (IDispatch): their arguments
// reach the add-in, custom makes the round trip, the add-in's host errors
// arrive with their numbers, and our defects arrive as E_UNEXPECTED marked
// as defects and written to the DLL's log. After each test the DLL holds no
// host object and may be unloaded.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "comserver/registry_tree.h"
#include "platform/com/com_error.h"
#include "platform/com/late_bound.h"
#include "platform/com/served_object.h"
#include "platform/date.h"
#include "platform/host_error.h"
#include "server_support.h"

namespace pinlet::com {
namespace {

// custom passed by reference through IDispatch, as VB passes an array.
VariantValue ByRefArray(CustomValues& custom) {
  VariantValue value;
  value.get()->vt = VT_BYREF | VT_ARRAY | VT_VARIANT;
  value.get()->pparray = custom.slot();
  return value;
}

class CallbacksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    served_before_ = ServedBase::live_objects();
    host_ = ServeFakeHost("Outlook");
    addin_ = dll_.CreateAddin();
    ASSERT_TRUE(addin_);
  }
  void TearDown() override {
    addin_.Reset();
    host_ = FakeHost();
    EXPECT_EQ(ServedBase::live_objects(), served_before_) << "the DLL kept a host object";
    EXPECT_EQ(dll_.CanUnloadNow(), S_OK) << "an object of the DLL is still alive";
    CoUninitialize();
  }
  LateBound Dispatch() {
    return LateBound(addin_.As<IDispatch>(IID_IDispatch), "Connect");
  }

  ServerDll& dll_ = ServerDll::Get(kTestDll);
  FakeHost host_;
  ComPtr<_IDTExtensibility2> addin_;
  long served_before_ = 0;
};

TEST_F(CallbacksTest, EachCallbackReachesTheAddinWithItsArguments) {
  CustomValues connection({TextVariant("given")});
  ASSERT_EQ(addin_->OnConnection(host_.application.get(), ext_cm_Startup,
                                 host_.addin.get(), connection.slot()),
            S_OK);
  EXPECT_EQ(Joined(connection.Values()),
            "given|OnConnection|Outlook|11.0|1|Pinlet.Connect");

  CustomValues update({}), startup({}), shutdown({}), disconnection({});
  ASSERT_EQ(addin_->OnAddInsUpdate(update.slot()), S_OK);
  ASSERT_EQ(addin_->OnStartupComplete(startup.slot()), S_OK);
  ASSERT_EQ(addin_->OnBeginShutdown(shutdown.slot()), S_OK);
  ASSERT_EQ(addin_->OnDisconnection(ext_dm_UserClosed, disconnection.slot()), S_OK);
  EXPECT_EQ(Joined(update.Values()), "OnAddInsUpdate");
  EXPECT_EQ(Joined(startup.Values()), "OnStartupComplete");
  EXPECT_EQ(Joined(shutdown.Values()), "OnBeginShutdown");
  EXPECT_EQ(Joined(disconnection.Values()), "OnDisconnection|1");
}

TEST_F(CallbacksTest, NothingForTheHostOrTheAddinReachesTheAddinAsNothing) {
  CustomValues custom({});
  ASSERT_EQ(addin_->OnConnection(nullptr, ext_cm_AfterStartup, nullptr, custom.slot()),
            S_OK);
  EXPECT_EQ(Joined(custom.Values()), "OnConnection|Nothing|Nothing|0|Nothing");
}

TEST_F(CallbacksTest, CustomValuesMakeTheRoundTripWithTheirTypes) {
  Date date = Date::FromParts(2003, 10, 21, 9, 30);
  CustomValues custom(
      {TextVariant("reverse"), TextVariant("Προβολή"), LongVariant(-7),
       DoubleVariant(2.5), BoolVariant(true), DateVariant(date), VariantValue()},
      /*lower_bound=*/1);
  ASSERT_EQ(addin_->OnStartupComplete(custom.slot()), S_OK);
  EXPECT_EQ(custom.lower_bound(), 1);
  std::vector<VariantValue> out = custom.Elements();
  ASSERT_EQ(out.size(), 7u);
  EXPECT_EQ(out[0].vt(), VT_EMPTY);
  EXPECT_EQ(out[1].vt(), VT_DATE);
  EXPECT_TRUE(DateOf(*out[1].get(), "custom") == date);
  EXPECT_EQ(out[2].vt(), VT_BOOL);
  EXPECT_EQ(out[2].get()->boolVal, VARIANT_TRUE);
  EXPECT_EQ(out[3].vt(), VT_R8);
  EXPECT_EQ(out[3].get()->dblVal, 2.5);
  EXPECT_EQ(out[4].vt(), VT_I4);
  EXPECT_EQ(out[4].get()->lVal, -7);
  EXPECT_EQ(out[5].vt(), VT_BSTR);
  EXPECT_EQ(TextOf(*out[5].get(), "custom"), "Προβολή");
  EXPECT_EQ(TextOf(*out[6].get(), "custom"), "reverse");
}

TEST_F(CallbacksTest, ElementsTheAddinCannotSeeAreKeptInPlace) {
  // An object and a Null are no values of the add-in's; it appends after
  // them, and they stay what they were.
  VariantValue null;
  null.get()->vt = VT_NULL;
  CustomValues custom(
      {ObjectVariant(host_.addin.get()), std::move(null), LongVariant(3)});
  ASSERT_EQ(addin_->OnBeginShutdown(custom.slot()), S_OK);
  std::vector<VariantValue> out = custom.Elements();
  ASSERT_EQ(out.size(), 4u);
  ASSERT_EQ(out[0].vt(), VT_DISPATCH);
  EXPECT_EQ(IdentityOf(out[0].get()->pdispVal), IdentityOf(host_.addin.get()));
  EXPECT_EQ(out[1].vt(), VT_NULL);
  EXPECT_EQ(out[2].vt(), VT_I4);
  EXPECT_EQ(TextOf(*out[3].get(), "custom"), "OnBeginShutdown");
}

TEST_F(CallbacksTest, WithoutAnArrayTheAddinsValuesComeInANewOne) {
  CustomValues none(nullptr);
  ASSERT_EQ(addin_->OnAddInsUpdate(none.slot()), S_OK);
  ASSERT_NE(none.get(), nullptr);
  EXPECT_EQ(none.lower_bound(), 0);
  EXPECT_EQ(Joined(none.Values()), "OnAddInsUpdate");
  // With no place to put one, the values are dropped.
  EXPECT_EQ(addin_->OnAddInsUpdate(nullptr), S_OK);
}

TEST_F(CallbacksTest, AnArrayOfAnotherKindIsATypeMismatch) {
  SAFEARRAY* texts = SafeArrayCreateVector(VT_BSTR, 0, 1);
  SAFEARRAYBOUND bounds[2] = {{1, 0}, {1, 0}};
  SAFEARRAY* table = SafeArrayCreate(VT_VARIANT, 2, bounds);
  for (SAFEARRAY* array : {texts, table}) {
    HRESULT hr = addin_->OnStartupComplete(&array);
    EXPECT_EQ(hr, HResultOfHostNumber(errors::kTypeMismatch));
    EXPECT_EQ(ErrorOfCall(hr, "OnStartupComplete").description(), "Type mismatch");
    SafeArrayDestroy(array);
  }
}

TEST_F(CallbacksTest, LateBoundCallersReachTheSameCallbacks) {
  LateBound connect = Dispatch();
  CustomValues custom({TextVariant("given")});
  connect.Call("OnConnection", {Arg(host_.application), Arg(int32_t{ext_cm_External}),
                                Arg(host_.addin), Arg(ByRefArray(custom))});
  EXPECT_EQ(Joined(custom.Values()), "given|OnConnection|Outlook|11.0|2|Pinlet.Connect");

  CustomValues named({});
  connect.Call("ondisconnection",
               {Arg::Named("custom", Arg(ByRefArray(named))),
                Arg::Named("RemoveMode", Arg(int32_t{ext_dm_UserClosed}))});
  EXPECT_EQ(Joined(named.Values()), "OnDisconnection|1");
}

TEST_F(CallbacksTest, TheAddinsHostErrorsArriveWithTheirNumbers) {
  for (int32_t number : {errors::kNotSupported, errors::kNotFound}) {
    CustomValues custom({TextVariant("raise"), LongVariant(number)});
    HRESULT hr = addin_->OnStartupComplete(custom.slot());
    EXPECT_EQ(hr, HResultOfHostNumber(number));
    HostError error = ErrorOfCall(hr, "OnStartupComplete");  // the thread's error object
    EXPECT_EQ(error.number(), number);
    EXPECT_EQ(error.description(), "refused by the add-in");
  }
  CustomValues custom({TextVariant("raise"), LongVariant(errors::kNotSupported)});
  try {
    Dispatch().Call("OnBeginShutdown", {Arg(ByRefArray(custom))});
    ADD_FAILURE() << "no error through IDispatch";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), errors::kNotSupported);
    EXPECT_EQ(error.description(), "refused by the add-in");
  }
}

// The DLL's defects: E_UNEXPECTED, marked as a defect, one line in its log.
class DefectTest : public CallbacksTest {
 protected:
  static constexpr wchar_t kSettings[] = L"Software\\Zarvo\\Pinlet";

  void SetUp() override {
    CallbacksTest::SetUp();
    had_settings_ = KeyExists(HKEY_CURRENT_USER, kSettings);
    my_dir_ = ReadTextValue(HKEY_CURRENT_USER, kSettings, L"MyDir");
    wchar_t temp[MAX_PATH + 1];
    temp_folder_.assign(temp, GetTempPathW(MAX_PATH + 1, temp));
    user_folder_ = temp_folder_ + L"pinlet-comserver-tests\\";
    CreateDirectoryW(user_folder_.c_str(), nullptr);
    DeleteFileW((user_folder_ + L"Pinlet.log").c_str());
  }
  void TearDown() override {
    if (my_dir_)
      WriteTextValue(HKEY_CURRENT_USER, kSettings, L"MyDir", *my_dir_);
    else if (had_settings_)
      DeleteMyDir();
    else
      DeleteKeyTree(HKEY_CURRENT_USER, kSettings, L"Software");
    DeleteFileW((user_folder_ + L"Pinlet.log").c_str());
    RemoveDirectoryW(user_folder_.c_str());
    CallbacksTest::TearDown();
  }
  static void DeleteMyDir() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettings, 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
      return;
    RegDeleteValueW(key, L"MyDir");
    RegCloseKey(key);
  }
  HRESULT Crash() {
    CustomValues custom({TextVariant("crash")});
    return addin_->OnAddInsUpdate(custom.slot());
  }

  bool had_settings_ = false;
  std::optional<std::wstring> my_dir_;
  std::wstring temp_folder_, user_folder_;
};

const std::regex kLogLine(
    R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d  Connect\.OnAddInsUpdate: the add-in broke)");

TEST_F(DefectTest, ADefectIsUnexpectedMarkedAndLoggedInTheUserFolder) {
  WriteTextValue(HKEY_CURRENT_USER, kSettings, L"MyDir", user_folder_);
  EXPECT_EQ(Crash(), E_UNEXPECTED);
  std::string what;
  EXPECT_TRUE(TakeDefectOfErrorInfo(&what));
  EXPECT_EQ(what, "Connect.OnAddInsUpdate: the add-in broke");
  std::vector<std::string> lines = ReadLines(user_folder_ + L"Pinlet.log");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(std::regex_match(lines[0], kLogLine)) << lines[0];

  // Through IDispatch too, marked as a defect for the caller to record.
  CustomValues custom({TextVariant("crash")});
  try {
    Dispatch().Call("OnAddInsUpdate", {Arg(ByRefArray(custom))});
    ADD_FAILURE() << "no error through IDispatch";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), HostNumberOf(E_UNEXPECTED));
    EXPECT_EQ(error.source(), kDefectSource);
  }
  EXPECT_EQ(ReadLines(user_folder_ + L"Pinlet.log").size(), 2u);
}

TEST_F(DefectTest, WithoutAUserFolderTheLogIsInTheTemporaryFolder) {
  // A user folder that does not exist counts as none.
  WriteTextValue(HKEY_CURRENT_USER, kSettings, L"MyDir", user_folder_ + L"missing\\");
  std::wstring log = temp_folder_ + L"Pinlet.log";
  size_t before = ReadLines(log).size();
  EXPECT_EQ(Crash(), E_UNEXPECTED);
  std::vector<std::string> lines = ReadLines(log);
  ASSERT_EQ(lines.size(), before + 1);
  EXPECT_TRUE(std::regex_match(lines.back(), kLogLine)) << lines.back();
  EXPECT_TRUE(ReadLines(user_folder_ + L"Pinlet.log").empty());
}

}  // namespace
}  // namespace pinlet::com
