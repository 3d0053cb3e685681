// The pinlet command: runs a simulated Outlook with the add-in loaded.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/demo.h"
#include "app/driver.h"
#include "inspector/rtf2html_command.h"

namespace {

void PrintHelp(std::ostream& out) {
  out << "Usage:\n"
         "  pinlet [--mailbox FILE] [--registry FILE] demo      the guided tour\n"
         "  pinlet [--mailbox FILE] [--registry FILE] run FILE  run a scenario script\n"
         "  pinlet [--mailbox FILE] [--registry FILE] COMMAND [ARGS...]\n"
         "                                                     run one command\n"
         "  pinlet rtf2html [--options TEXT] [FILE|-]          convert rich text to "
         "HTML\n"
         "  pinlet --help\n"
         "\n"
         "Options:\n"
         "  --mailbox FILE   keep the mailbox in FILE (JSON); the sample mailbox when "
         "absent\n"
         "  --registry FILE  keep the registry in FILE (regedit text); fresh when "
         "absent\n"
         "\n"
         "Scenario scripts hold one command a line; # starts a comment; \"quoted "
         "words\"\n"
         "may hold blanks. expect [not] \"TEXT\" checks the previous command's output.\n"
         "say \"TEXT\" prints TEXT. Exit status: 0 done, 1 an expectation failed, 2 a "
         "bad\n"
         "command, argument or file.\n"
         "\n"
         "Commands:\n";
  for (auto& [name, command] : pinlet::app::Driver::Commands()) {
    out << "  " << command.usage << "\n      " << command.help << "\n";
  }
  out << "  expect [not] \"TEXT\"\n      check the previous command's output\n";
}

// The view file installed beside the program.
std::string ViewFilePath(const char* argv0) {
  std::error_code code;
  std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", code);
  if (code) exe = std::filesystem::absolute(argv0, code);
  std::filesystem::path beside = exe.parent_path() / "PNX.xml";
  if (std::filesystem::exists(beside, code)) return beside.string();
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "rtf2html")
    return pinlet::RunRtf2HtmlCommand({args.begin() + 1, args.end()}, std::cin, std::cout,
                                      std::cerr);
  pinlet::app::DriverOptions options;
  options.view_file_path = ViewFilePath(argv[0]);
  size_t i = 0;
  for (; i < args.size(); ++i) {
    if ((args[i] == "--mailbox" || args[i] == "--registry") && i + 1 < args.size()) {
      (args[i] == "--mailbox" ? options.mailbox_path : options.registry_path) =
          args[i + 1];
      ++i;
    } else if (args[i] == "--help" || args[i] == "-h") {
      PrintHelp(std::cout);
      return 0;
    } else if (args[i].rfind("--", 0) == 0) {
      std::cerr << "pinlet: unknown option '" << args[i] << "' (see pinlet --help)\n";
      return 2;
    } else {
      break;
    }
  }
  if (i >= args.size()) {
    PrintHelp(std::cerr);
    return 2;
  }
  std::vector<std::string> command(args.begin() + i, args.end());
  std::string script_name;
  std::stringstream script;
  if (command[0] == "demo" && command.size() == 1) {
    script_name = "demo";
    script << pinlet::app::DemoScript();
  } else if (command[0] == "run") {
    if (command.size() != 2) {
      std::cerr << "pinlet: usage: pinlet run FILE\n";
      return 2;
    }
    std::ifstream in(command[1], std::ios::binary);
    if (!in) {
      std::cerr << "pinlet: cannot read scenario " << command[1] << "\n";
      return 2;
    }
    script << in.rdbuf();
    script_name = command[1];
  }
  pinlet::app::Driver driver(std::cout, std::cerr, options);
  std::string error;
  if (!driver.Open(error)) {
    std::cerr << "pinlet: " << error << "\n";
    return 2;
  }
  int status;
  if (!script_name.empty()) {
    status = driver.RunScript(script, script_name);
  } else {
    std::string message;
    status = driver.Execute(command, message);
    if (status != 0) std::cerr << "pinlet: " << command[0] << ": " << message << "\n";
  }
  if (!driver.Close(error)) {
    std::cerr << "pinlet: " << error << "\n";
    return 2;
  }
  return status;
}
