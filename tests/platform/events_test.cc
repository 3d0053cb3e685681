#include "platform/events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pinlet {
namespace {

TEST(EventTest, HandlersRunInOrderUntilTheirSubscriptionIsReleased) {
  Event<int> event;
  std::vector<std::string> calls;
  Subscription a =
      event.Subscribe([&](int v) { calls.push_back("a" + std::to_string(v)); });
  {
    Subscription b =
        event.Subscribe([&](int v) { calls.push_back("b" + std::to_string(v)); });
    event.Fire(1);
  }
  event.Fire(2);
  a.Reset();
  event.Fire(3);
  EXPECT_EQ(calls, (std::vector<std::string>{"a1", "b1", "a2"}));
  EXPECT_EQ(event.handler_count(), 0u);
}

TEST(EventTest, AHandlerRemovedWhileFiringIsNotCalledAfterwards) {
  Event<> event;
  std::vector<std::string> calls;
  Subscription second;
  Subscription first = event.Subscribe([&] {
    calls.push_back("first");
    second.Reset();
  });
  second = event.Subscribe([&] { calls.push_back("second"); });
  event.Fire();
  EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
}

TEST(EventTest, SubscriptionOutlivingItsEventIsHarmless) {
  Subscription kept;
  {
    Event<> event;
    kept = event.Subscribe([] {});
  }
  kept.Reset();
  EXPECT_FALSE(kept.connected());
}

TEST(EventTest, MovedSubscriptionKeepsTheConnection) {
  Event<> event;
  int calls = 0;
  Subscription original = event.Subscribe([&] { ++calls; });
  Subscription moved = std::move(original);
  event.Fire();
  original.Reset();
  event.Fire();
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace pinlet
