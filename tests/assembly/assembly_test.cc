// The assembled add-in links and starts without the simulated host: this
// binary links nothing of it.
#include <gtest/gtest.h>

#include "assembly/addin_factory.h"

namespace pinlet {
namespace {

TEST(AssemblyTest, TheAddInIsMadeWithoutTheSimulatedHost) {
  auto addin = assembly::CreatePinletAddin(Platform{});
  ASSERT_TRUE(addin);
  EXPECT_EQ(addin->connectors().size(), 1u);  // "Default" until a host connects
  EXPECT_TRUE(addin->connectors().Find("Default")->IsInitialized());
  // A host that hands over nothing reaches the do-nothing connector.
  Custom custom;
  addin->OnConnection(nullptr, kConnectStartup, nullptr, custom);
  addin->OnStartupComplete(custom);
  EXPECT_FALSE(addin->host_application());
}

}  // namespace
}  // namespace pinlet
