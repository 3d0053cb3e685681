// The COM layer's two halves against each other: a served object called by
// member name through LateBound, its events received through an EventHub,
// and errors and defects crossing with their numbers.
#include "platform/com/served_object.h"

#include <gtest/gtest.h>
#include <mapicode.h>
#include <winerror.h>

#include <string>
#include <vector>

#include "platform/com/com_boundary.h"
#include "platform/com/com_error.h"
#include "platform/com/event_hub.h"
#include "platform/com/late_bound.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

// {0A1B2C3D-1111-4222-8333-444455556666}: the test's own event interface.
const IID kCounterEvents = {
    0x0a1b2c3d, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
constexpr DISPID kChanged = 1;
constexpr DISPID kBeforeReset = 2;

// A small object of the platform's kind: state, members that raise, events.
struct Counter {
  int value = 0;
  std::string name = "first";
  Event<int> changed;
  Event<bool&> before_reset;
  void Add(int by) {
    value += by;
    changed.Fire(value);
  }
};

const ServedType<Counter>& CounterType() {
  static const ServedType<Counter> type = [] {
    ServedType<Counter> t("Counter");
    t.Property(
         "Name", [](Counter& c, ServedCall& call) { call.Return(c.name); },
         [](Counter& c, ServedCall& call) { c.name = call.PutText(); })
        .Get("Value", [](Counter& c, ServedCall& call) { call.Return(c.value); })
        .Get("Add",
             [](Counter& c, ServedCall& call) {
               c.Add(call.args().Has(0) ? call.args().Long(0) : 1);
             },
             {"By"})
        .Get("Reset",
             [](Counter& c, ServedCall&) {
               bool cancel = false;
               c.before_reset.Fire(cancel);
               if (!cancel) c.value = 0;
             })
        .Get("Fail",
             [](Counter&, ServedCall& call) {
               throw HostError(call.args().Long(0), "refused", "Counter.Fail");
             },
             {"Number"})
        .Get("Crash", [](Counter&, ServedCall&) { throw std::runtime_error("broken"); })
        .Default("Value")
        .Events(kCounterEvents, [](Counter& c, EventFirer& fire) {
          std::vector<Subscription> subs;
          subs.push_back(c.changed.Subscribe(
              [&fire](int value) { fire.Fire(kChanged, {LongVariant(value)}); }));
          subs.push_back(c.before_reset.Subscribe(
              [&fire](bool& cancel) { fire.FireWithCancel(kBeforeReset, {}, cancel); }));
          return subs;
        });
    return t;
  }();
  return type;
}

class ServedObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    live_before_ = ServedBase::live_objects();
    SetDefectRecorder([this](const std::string& what) { defects_.push_back(what); });
  }
  void TearDown() override {
    SetDefectRecorder(nullptr);
    EXPECT_EQ(ServedBase::live_objects(), live_before_) << "a served object leaked";
    EXPECT_EQ(EventHub::connected_sinks(), 0) << "a sink stayed connected";
    CoUninitialize();
  }
  LateBound Counted(const std::shared_ptr<Counter>& counter) {
    return LateBound(Serve(counter, CounterType()), "Counter");
  }

  long live_before_ = 0;
  std::vector<std::string> defects_;
};

TEST_F(ServedObjectTest, MembersAreCalledByNameInAnyCase) {
  auto counter = std::make_shared<Counter>();
  LateBound object = Counted(counter);
  object.Call("add", {Arg(5)});
  object.Call("ADD");
  EXPECT_EQ(object.Long("Value"), 6);
  object.Put("Name", Arg("Προβολή"));
  EXPECT_EQ(counter->name, "Προβολή");
  EXPECT_EQ(object.Text("name"), "Προβολή");
  // Named arguments go by the parameter's name.
  object.Call("Add", {Arg::Named("by", Arg(10))});
  EXPECT_EQ(counter->value, 16);
}

TEST_F(ServedObjectTest, DispidsAreLookedUpOncePerType) {
  auto first = std::make_shared<Counter>();
  auto second = std::make_shared<Counter>();
  LateBound::ClearTypeCache();
  int64_t before = LateBound::name_lookups();
  Counted(first).Long("Value");
  Counted(second).Long("Value");
  Counted(first).Call("Add");
  EXPECT_EQ(LateBound::name_lookups() - before, 2);  // Value and Add, once each
}

TEST_F(ServedObjectTest, HostErrorsArriveWithTheirNumbers) {
  LateBound object = Counted(std::make_shared<Counter>());
  for (int32_t number : {438, 5, errors::kNotFound, errors::kOperationFailed}) {
    try {
      object.Call("Fail", {Arg(number)});
      ADD_FAILURE() << "no error for " << number;
    } catch (const HostError& error) {
      EXPECT_EQ(error.number(), number);
      EXPECT_EQ(error.description(), "refused");
    }
  }
  try {
    object.Call("NoSuchMember");
    ADD_FAILURE() << "an unknown member answered";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), errors::kNotSupported);
    EXPECT_EQ(error.source(), "Counter.NoSuchMember");
  }
  try {
    object.Call("Fail");
    ADD_FAILURE() << "a missing argument was accepted";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), 449);
  }
  EXPECT_TRUE(defects_.empty());
}

TEST_F(ServedObjectTest, NothingRaises91) {
  LateBound nothing(ComPtr<IDispatch>(), "Counter");
  try {
    nothing.Long("Value");
    ADD_FAILURE();
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), errors::kObjectNotSet);
  }
}

TEST_F(ServedObjectTest, ADefectIsRecordedAndCrossesAsEUnexpected) {
  LateBound object = Counted(std::make_shared<Counter>());
  try {
    object.Call("Crash");
    ADD_FAILURE();
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), static_cast<int32_t>(E_UNEXPECTED));
    EXPECT_EQ(error.source(), kDefectSource);
  }
  // Recorded where it happened and by the caller, which is this same module.
  ASSERT_EQ(defects_.size(), 2u);
  EXPECT_EQ(defects_[0], "Counter.Crash: broken");
  EXPECT_EQ(defects_[1], "Counter.Crash: broken");
}

TEST_F(ServedObjectTest, OneObjectKeepsOneIdentityAndUnwrapsToItself) {
  auto counter = std::make_shared<Counter>();
  ComPtr<IDispatch> a = Serve(counter, CounterType());
  ComPtr<IDispatch> b = Serve(counter, CounterType());
  EXPECT_EQ(IdentityOf(a.get()), IdentityOf(b.get()));
  EXPECT_NE(IdentityOf(a.get()),
            IdentityOf(Serve(std::make_shared<Counter>(), CounterType()).get()));
  EXPECT_EQ(Unwrap<Counter>(a.get()), counter);
  EXPECT_EQ(Unwrap<std::string>(a.get()), nullptr);  // not served as that type
}

TEST_F(ServedObjectTest, EventsReachTheSinkAndCancelComesBack) {
  auto counter = std::make_shared<Counter>();
  ComPtr<IDispatch> served = Serve(counter, CounterType());
  auto hub = std::make_shared<EventHub>(served, kCounterEvents, "Counter events");
  std::vector<int> seen;
  {
    Subscription changed = hub->Subscribe(
        kChanged, [&](const DispArgs& args) { seen.push_back(args.Long(0)); });
    Subscription reset =
        hub->Subscribe(kBeforeReset, [](const DispArgs& args) { args.SetBool(0, true); });
    EXPECT_EQ(EventHub::connected_sinks(), 1);  // one connection for both
    counter->Add(2);
    counter->Add(3);
    LateBound(served, "Counter").Call("Reset");
    EXPECT_EQ(counter->value, 5);  // the sink cancelled the reset
  }
  EXPECT_EQ(seen, (std::vector<int>{2, 5}));
  EXPECT_EQ(EventHub::connected_sinks(), 0);
  counter->Add(1);
  EXPECT_EQ(seen.size(), 2u);  // nothing after the last subscription went
  EXPECT_EQ(counter->changed.handler_count(), 0u);
}

TEST_F(ServedObjectTest, WhatEscapesAnEventHandlerIsADefect) {
  auto counter = std::make_shared<Counter>();
  auto hub = std::make_shared<EventHub>(Serve(counter, CounterType()), kCounterEvents,
                                        "Counter events");
  Subscription changed = hub->Subscribe(kChanged, [](const DispArgs&) {
    throw HostError(errors::kOperationFailed, "not handled");
  });
  counter->Add(1);
  ASSERT_EQ(defects_.size(), 2u);  // the sink's own record, and the firer's
  EXPECT_NE(defects_[0].find("unhandled host error"), std::string::npos);
}

TEST(ComErrorTest, NumbersMapAsTheRuntimeMapsThem) {
  EXPECT_EQ(HostNumberOf(static_cast<HRESULT>(0x800A01B6)), 438);
  EXPECT_EQ(HostNumberOf(E_INVALIDARG), 5);
  EXPECT_EQ(HostNumberOf(DISP_E_TYPEMISMATCH), 13);
  EXPECT_EQ(HostNumberOf(DISP_E_UNKNOWNNAME), 438);
  EXPECT_EQ(HostNumberOf(E_FAIL), errors::kOperationFailed);
  EXPECT_EQ(HostNumberOf(static_cast<HRESULT>(0x8004010F)), errors::kNotFound);
  for (int32_t number : {5, 91, 438, 32755, errors::kNotFound, errors::kOperationFailed})
    EXPECT_EQ(HostNumberOf(HResultOfHostNumber(number)), number);

  EXCEPINFO by_wcode{};
  by_wcode.wCode = 91;
  EXPECT_EQ(ErrorOfInvoke(DISP_E_EXCEPTION, &by_wcode, "X.Y").number(), 91);
  EXCEPINFO by_scode{};
  by_scode.scode = static_cast<SCODE>(0x8004010F);
  by_scode.wCode = 91;  // scode wins
  EXPECT_EQ(ErrorOfInvoke(DISP_E_EXCEPTION, &by_scode, "X.Y").number(),
            errors::kNotFound);
  EXPECT_EQ(ErrorOfInvoke(E_FAIL, nullptr, "X.Y").number(), errors::kOperationFailed);
}

TEST(ComErrorTest, NamedNumbersAreThoseOfTheWindowsHeaders) {
  EXPECT_EQ(errors::kOperationFailed, E_FAIL);
  EXPECT_EQ(errors::kNotFound, MAPI_E_NOT_FOUND);
  EXPECT_EQ(errors::kObjectDeleted, MAPI_E_OBJECT_DELETED);
  EXPECT_EQ(errors::kNotInitialized, MAPI_E_NOT_INITIALIZED);
  EXPECT_EQ(errors::kHostFileNotFound, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(errors::kHostPathNotFound, HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  // vbObjectError + 513, and the runtime's own range for RegExp's 5017.
  EXPECT_EQ(errors::kRegistryKeyName, MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 513));
  EXPECT_EQ(HostNumberOf(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5017)),
            errors::kRegExpSyntax);
}

}  // namespace
}  // namespace pinlet::com
