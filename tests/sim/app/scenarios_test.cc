// Runs every scenario under examples/ and tests/scenarios/ through the pinlet
// command, as a user would.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/version.h"

namespace {

int RunPinlet(const std::string& args, std::string& output,
              const std::string& input = "") {
  std::string command = (input.empty() ? "" : "printf '" + input + "' | ") +
                        std::string(PINLET_BINARY) + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ScenarioTest, EveryScenarioRunsGreen) {
  int count = 0;
  for (const char* folder : {"/examples", "/tests/scenarios"}) {
    std::filesystem::path dir = std::string(PINLET_SOURCE_DIR) + folder;
    if (!std::filesystem::exists(dir)) continue;
    for (auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().extension() != ".pinlet") continue;
      std::string output;
      EXPECT_EQ(RunPinlet("run '" + entry.path().string() + "'", output), 0)
          << entry.path() << "\n"
          << output;
      ++count;
    }
  }
  EXPECT_GT(count, 0);
}

// A note made in one run is there, as it was left, in the next run on the
// same mailbox file.
TEST(ScenarioTest, ANoteWindowsNoteOutlivesTheRunOnItsMailboxFile) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("pinlet_note_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  auto write = [&](const char* name, const std::string& text) {
    std::string path = (dir / name).string();
    FILE* file = fopen(path.c_str(), "w");
    fputs(text.c_str(), file);
    fclose(file);
    return path;
  };
  std::string mailbox = (dir / "mailbox.json").string();
  std::string first = write("first.pinlet",
                            "start\n"
                            "note open Inbox \"Board slides\"\n"
                            "note type \"Γειά σου κόσμε\"\n"
                            "note key Enter\n"
                            "note type \"Slides by Friday\"\n"
                            "answer colour 0xCCFFCC\n"
                            "note click imgTextColor\n"
                            "answer font Georgia 12 bold\n"
                            "note click imgTextFont\n"
                            "form frmComments close\n"
                            "stop\n");
  std::string second = write("second.pinlet",
                             "start\n"
                             "note open Inbox \"Board slides\"\n"
                             "expect \"the item's note\"\n"
                             "show note\n"
                             "expect \"colours: note 0xCCFFCC, text 0x000000; font "
                             "\\\"Georgia\\\" 12 bold\"\n"
                             "expect \"text: \\\"Γειά σου κόσμε\"\n"
                             "expect \"Slides by Friday\\\"\"\n"
                             "stop\n");
  std::string output;
  EXPECT_EQ(RunPinlet("--mailbox '" + mailbox + "' run '" + first + "'", output), 0)
      << output;
  output.clear();
  EXPECT_EQ(RunPinlet("--mailbox '" + mailbox + "' run '" + second + "'", output), 0)
      << output;
  std::filesystem::remove_all(dir);
}

TEST(ScenarioTest, DemoRunsGreen) {
  std::string output;
  EXPECT_EQ(RunPinlet("demo", output), 0) << output;
  EXPECT_NE(output.find("== Demo complete =="), std::string::npos);
}

TEST(ScenarioTest, CommandLineErrorsExitWithStatusTwo) {
  std::string output;
  EXPECT_EQ(RunPinlet("--bogus", output), 2);
  EXPECT_EQ(output, "pinlet: unknown option '--bogus' (see pinlet --help)\n");
  output.clear();
  EXPECT_EQ(RunPinlet("run /nonexistent/file", output), 2);
  EXPECT_EQ(output, "pinlet: cannot read scenario /nonexistent/file\n");
  output.clear();
  EXPECT_EQ(RunPinlet("--help", output), 0);
  EXPECT_NE(output.find("registry set [--dword] KEY NAME VALUE"), std::string::npos);
}

TEST(ScenarioTest, TheShellRunsCommandsAtAPromptAndGoesOnAfterAnError) {
  std::string output;
  EXPECT_EQ(
      RunPinlet("shell", output, "say hello\\nfrobnicate\\nsay 'C:\\\\x'\\nexit\\n"), 0);
  EXPECT_EQ(output,
            "pinlet> hello\npinlet> pinlet: frobnicate: unknown command (see pinlet "
            "--help)\npinlet> C:\\x\npinlet> \n");
}

TEST(ScenarioTest, VersionPrintsTheProductAndItsVersionAndHelpListsIt) {
  std::string output;
  EXPECT_EQ(RunPinlet("--version", output), 0);
  EXPECT_EQ(output, PINLET_PRODUCT_NAME " " PINLET_VERSION_TEXT "\n");
  output.clear();
  ASSERT_EQ(RunPinlet("--help", output), 0);
  EXPECT_NE(output.find("  pinlet --version "), std::string::npos);
}

TEST(ScenarioTest, HelpListsTheCommandsByArea) {
  std::string output;
  ASSERT_EQ(RunPinlet("--help", output), 0);
  size_t host = output.find("Outlook and the add-in:");
  size_t faults = output.find("Faults and defects:");
  ASSERT_NE(host, std::string::npos);
  ASSERT_NE(faults, std::string::npos);
  EXPECT_LT(host, faults);
  EXPECT_LT(host, output.find("  start [--host NAME] [--no-windows]"));
}

}  // namespace
