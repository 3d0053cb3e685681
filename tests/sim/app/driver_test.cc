#include "sim/app/driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "assembly/addin_factory.h"
#include "platform/display_text.h"

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
  EXPECT_EQ(err.str(), "pinlet: test:1: registry get: usage: registry get KEY NAME\n");
  err.str("");
  EXPECT_EQ(Run("say \"unterminated\n"), 2);
  EXPECT_EQ(err.str(), "pinlet: test:1: unterminated quotation\n");
  err.str("");
  EXPECT_EQ(Run("stop\n"), 2);
  EXPECT_EQ(err.str(), "pinlet: test:1: stop: the host is not running\n");
  err.str("");
  EXPECT_EQ(Run("registry set --dword K N 12x\n"), 2);
  EXPECT_EQ(err.str(), "pinlet: test:1: registry set: '12x' is not a 32-bit number\n");
}

TEST_F(DriverTest, TheRunsOutlookVersionIsEveryStartsUnlessAStartNamesOne) {
  DriverOptions options;
  options.outlook_version = "10";
  EXPECT_EQ(Run("start\n"
                "show addin\n"
                "expect \"version: 10.0.0.6626 (Outlook 2002)\"\n"
                "stop\n"
                "start --outlook-version 11\n"
                "show addin\n"
                "expect \"version: 11.0.0.8217 (Outlook 2003)\"\n"
                "stop\n",
                options),
            0)
      << err.str();
  EXPECT_EQ(Run("start --outlook-version 10\n"
                "show addin\n"
                "expect \"(Outlook 2002)\"\n"
                "stop\n"
                "start\n"
                "show addin\n"
                "expect \"(Outlook 2003)\"\n"),
            0)
      << err.str();
  EXPECT_EQ(Run("start --outlook-version 12\n"), 2);
  EXPECT_NE(err.str().find("usage: start [--host NAME] [--no-windows] "
                           "[--outlook-version 10|11] [--without redemption|cdo|none]..."),
            std::string::npos)
      << err.str();
}

TEST_F(DriverTest, WithoutALibraryEveryStartLacksItAndMoreWhenItNamesMore) {
  DriverOptions options;
  options.libraries.redemption = false;
  ASSERT_EQ(Run("start\nexpect \"connector: Outlook; without Redemption\"\nexpect not "
                "\"CDO\"\nstop\n"
                "start --without cdo\nexpect \"without Redemption and CDO\"\nstop\n"
                "start --without none\nexpect not \"without\"\nstop\n"
                "start --without none --without cdo\n"
                "expect \"connector: Outlook; without CDO\"\nstop\n",
                options),
            0)
      << err.str();
  EXPECT_EQ(Run("start --without word\n"), 2);
  EXPECT_NE(err.str().find("unknown library 'word'"), std::string::npos);
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
          "fail clear\nstop\nshow defects\nexpect \"(no defects)\"\n"),
      0)
      << err.str();
}

TEST_F(DriverTest, FaultCommandsAreExactAboutWhatTheyFail) {
  EXPECT_EQ(Run("fail member Items.Frobnicate\n"), 2);
  EXPECT_EQ(err.str(),
            "pinlet: test:1: fail: the host has no member 'Items.Frobnicate' (see show "
            "calls)\n");
  err.str("");
  EXPECT_EQ(Run("fail call 1e3\n"), 2);
  EXPECT_EQ(err.str(), "pinlet: test:1: fail: '1e3' is not a positive whole number\n");
  err.str("");
  EXPECT_EQ(Run("start\nfail call 3\n"), 2);
  EXPECT_NE(err.str().find("was made already"), std::string::npos);
  out.str("");
  EXPECT_EQ(Run("fail member Items.Item --number 0x8004010F --nth 2\n"), 0);
  EXPECT_EQ(out.str(), "call 2 of Items.Item from now fails with error -2147221233\n");
}

TEST_F(DriverTest, WhatTheAddInLetsEscapeIsRecordedAsADefect) {
  Driver driver(out, err, {});
  std::string error;
  ASSERT_TRUE(driver.Open(error));
  driver.CallAddin("Explorer.SelectionChange",
                   [] { throw std::logic_error("a broken invariant"); });
  ASSERT_EQ(driver.world().defects().size(), 1u);
  EXPECT_EQ(driver.world().defects()[0],
            "Explorer.SelectionChange: a broken invariant reached the host");
  std::string message;
  ASSERT_EQ(driver.Execute({"show", "defects"}, message), kDone);
  EXPECT_EQ(out.str(), "Explorer.SelectionChange: a broken invariant reached the host\n");
}

TEST_F(DriverTest, MailboxTextIsPrintedWithItsControlCharactersVisible) {
  EXPECT_EQ(Printable("a\x1B]0;owned\x07"
                      "b\tc\r\n"),
            "a\\x1B]0;owned\\x07b\\tc\\r\\n");
  EXPECT_EQ(Printable("caf\xC3\xA9 \xE2\x80\xAE \xC2\x85 \xFF"),
            "caf\xC3\xA9 \\u202E \\u0085 \\xFF");
  EXPECT_EQ(PrintableLines("one\r\ntwo\x1B", "  "), "one\n  two\\x1B");
}

TEST_F(DriverTest, OneShotCommandsStartTheHostThemselves) {
  Driver driver(out, err, {});
  std::string error;
  ASSERT_TRUE(driver.Open(error));
  EXPECT_EQ(driver.RunOneShot({"note", "add", "Inbox", "1"}), 0) << err.str();
  EXPECT_NE(out.str().find("note added: Subject: Quarterly budget review"),
            std::string::npos);
  EXPECT_EQ(driver.session(), nullptr);  // stopped again
  out.str("");
  EXPECT_EQ(driver.RunOneShot({"note", "add", "Inbox", "1"}), 0);
  EXPECT_NE(out.str().find("already has a note; nothing was added"), std::string::npos);
  EXPECT_EQ(driver.RunOneShot({"show", "item", "Inbox", "99"}), 2);
  EXPECT_NE(err.str().find("pinlet: show item: no item '99' in"), std::string::npos);
}

// A loading of the add-in other than linked in, as the COM test host's is:
// it creates the add-in its own way, is told of every command, and says
// when a command needed what it does not offer.
class RecordingLoading : public AddinLoading {
 public:
  bool Prepare(sim::World&, std::string& error) override {
    events.push_back("prepare");
    if (refuse) error = "not here";
    return !refuse;
  }
  std::shared_ptr<IDTExtensibility2> Create(sim::World&, const Platform& p) override {
    events.push_back("create");
    return assembly::CreatePinletAddin(p);
  }
  void BeforeCommand(sim::World&) override { events.push_back("before"); }
  std::string AfterCommand(sim::World&) override {
    events.push_back("after");
    return --commands_until_needed == 0 ? needed : "";
  }
  void Finish(sim::World&) override { events.push_back("finish"); }

  bool refuse = false;
  // The command after which `needed` is said, counting from now.
  int commands_until_needed = -1;
  std::string needed;
  std::vector<std::string> events;
};

TEST_F(DriverTest, AnotherLoadingCreatesTheAddinAndSkipsWhatItCannotDo) {
  auto loading = std::make_shared<RecordingLoading>();
  DriverOptions options;
  options.loading = loading;
  Driver driver(out, err, options);
  std::string error;
  ASSERT_TRUE(driver.Open(error)) << error;
  EXPECT_FALSE(driver.linked_in());
  std::string message;
  ASSERT_EQ(driver.Execute({"start"}, message), kDone) << message;
  EXPECT_EQ(loading->events,
            (std::vector<std::string>{"prepare", "before", "create", "after"}));
  EXPECT_EQ(driver.addin(), nullptr);  // not linked in: nothing to look into

  // A command that looks into the add-in's own objects is skipped, and
  // prints nothing.
  out.str("");
  EXPECT_EQ(driver.Execute({"show", "addin"}, message), kSkipped);
  EXPECT_EQ(message,
            "this looks into the add-in's own objects, which only a linked-in add-in "
            "shows");
  EXPECT_EQ(out.str(), "");
  // Work the loading could not do skips the command that asked for it, and
  // its output is not shown: a script stops there, skipped.
  loading->needed = "the add-in needed the Windows user interface (form frmComments)";
  loading->commands_until_needed = 2;
  std::istringstream script("say before\nselect Inbox 2\nsay never\n");
  EXPECT_EQ(driver.RunScript(script, "s"), kSkipped);
  EXPECT_EQ(out.str(), "before\n");
  EXPECT_EQ(err.str(),
            "pinlet: s:2: select: skipped: the add-in needed the Windows user interface "
            "(form frmComments)\n");
  // Once a command needed what the loading cannot give, whatever it answered
  // (here a failure) is not what was asked: the line is skipped.
  loading->needed = "the add-in needed the real shell (ShellExecute open \"a.txt\")";
  loading->commands_until_needed = 1;
  EXPECT_EQ(driver.Execute({"select", "Inbox", "99"}, message), kSkipped);
  EXPECT_EQ(message, loading->needed);
  // What another host's code sees of the add-in works as linked in.
  EXPECT_TRUE(ConnectorInitialized(driver.world(), *driver.session(), "Outlook"));
  ASSERT_TRUE(driver.Close(error)) << error;
  EXPECT_EQ(loading->events.back(), "finish");

  auto refusing = std::make_shared<RecordingLoading>();
  refusing->refuse = true;
  options.loading = refusing;
  Driver refused(out, err, options);
  EXPECT_FALSE(refused.Open(error));
  EXPECT_EQ(error, "not here");
}

}  // namespace
}  // namespace pinlet::app
