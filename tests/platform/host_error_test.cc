#include "platform/host_error.h"

#include <gtest/gtest.h>

#include <memory>

namespace pinlet {
namespace {

TEST(HostErrorTest, IgnoreErrorSkipsOnlyTheFailingStep) {
  int done = 0;
  EXPECT_FALSE(IgnoreError([&] {
    ++done;
    throw NotFoundError("Items.Item");
    ++done;
  }));
  EXPECT_TRUE(IgnoreError([&] { ++done; }));
  EXPECT_EQ(done, 2);
}

TEST(HostErrorTest, TryGetGivesNothingForAFailedLookup) {
  auto found =
      TryGet([]() -> std::shared_ptr<int> { throw NotFoundError("Folders.Item"); });
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(*TryGet([] { return std::make_shared<int>(4); }), 4);
}

TEST(HostErrorTest, ErrorsCarryTheHostsNumbersAndTexts) {
  HostError e = NotSupportedError("FlagStatus");
  EXPECT_EQ(e.number(), 438);
  EXPECT_EQ(e.description(), "Object doesn't support this property or method");
  EXPECT_EQ(e.source(), "FlagStatus");
  EXPECT_EQ(NotFoundError("x").number(), -2147221233);
}

TEST(HostErrorTest, OtherExceptionsAreNotSwallowed) {
  EXPECT_THROW(IgnoreError([] { throw std::logic_error("bug"); }), std::logic_error);
}

}  // namespace
}  // namespace pinlet
