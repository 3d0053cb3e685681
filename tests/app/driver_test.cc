#include "app/driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pinlet::app {
namespace {

class DriverTest : public ::testing::Test {
 protected:
  int Run(const std::string& script, DriverOptions options = {}) {
    Driver driver(out, err, options);
    std::string error;
    if (!driver.Open(error)) {
      err << error;
      return 2;
    }
    std::istringstream in(script);
    int status = driver.RunScript(in, "test");
    if (!driver.Close(error)) return 2;
    return status;
  }
  std::ostringstream out, err;
};

TEST_F(DriverTest, ExpectChecksThePreviousCommandsOutput) {
  EXPECT_EQ(Run("say \"hello world\"\nexpect \"lo wo\"\nexpect not \"bye\"\n"), 0);
  EXPECT_EQ(out.str(), "hello world\n");
  EXPECT_EQ(Run("say one\nsay two\nexpect one\n"), 1);
  EXPECT_EQ(
      err.str(),
      "pinlet: test:3: expect: expect failed: the output does not contain \"one\"\n");
}

TEST_F(DriverTest, BadLinesStopTheRunWithStatusTwoNamingLineAndCommand) {
  EXPECT_EQ(Run("# comment\n\nfrobnicate now\nsay never\n"), 2);
  EXPECT_EQ(err.str(),
            "pinlet: test:3: frobnicate: unknown command (see pinlet --help)\n");
  EXPECT_EQ(out.str(), "");
  err.str("");
  EXPECT_EQ(Run("registry get OnlyKey\n"), 2);
  EXPECT_EQ(err.str(), "pinlet: test:1: registry: usage: registry get KEY NAME\n");
  err.str("");
  EXPECT_EQ(Run("say \"unterminated\n"), 2);
  EXPECT_EQ(err.str(), "pinlet: test:1: unterminated quotation\n");
  err.str("");
  EXPECT_EQ(Run("stop\n"), 2);
  EXPECT_EQ(err.str(), "pinlet: test:1: stop: the host is not running\n");
  err.str("");
  EXPECT_EQ(Run("registry set --dword K N 12x\n"), 2);
  EXPECT_EQ(err.str(), "pinlet: test:1: registry: '12x' is not a 32-bit number\n");
}

TEST_F(DriverTest, RegistryAndMailboxFilesKeepStateBetweenRuns) {
  std::string dir = testing::TempDir();
  DriverOptions options{dir + "/driver_mailbox.json", dir + "/driver_registry.reg", ""};
  std::remove(options.mailbox_path.c_str());
  std::remove(options.registry_path.c_str());
  ASSERT_EQ(Run("registry set \"Software\\Zarvo\\Pinlet\\Note\" ItemOpen 1\n", options),
            0);
  ASSERT_TRUE(std::filesystem::exists(options.mailbox_path));
  ASSERT_EQ(Run("registry get \"Software\\Zarvo\\Pinlet\\Note\" ItemOpen\nexpect \"= "
                "\\\"1\\\"\"\n",
                options),
            0)
      << err.str();
  std::ofstream(options.registry_path)
      << "Windows Registry Editor Version 5.00\n[broken\n";
  err.str("");
  EXPECT_EQ(Run("say x\n", options), 2);
  EXPECT_NE(err.str().find("line 2: a key line must end with ]"), std::string::npos);
  std::remove(options.mailbox_path.c_str());
  std::remove(options.registry_path.c_str());
}

TEST_F(DriverTest, FaultsFromAScriptNeverReachTheHost) {
  EXPECT_EQ(
      Run("fail member Application.Explorers\nstart\nexpect \"connector: Default\"\n"
          "fail clear\nstop\nexpect not ERROR\n"),
      0)
      << err.str();
}

}  // namespace
}  // namespace pinlet::app
