// The pinlet command: runs a simulated Outlook with the add-in loaded.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "sim/app/com_loading.h"
#include "sim/app/demo.h"
#include "sim/app/driver.h"
#include "sim/app/sweep.h"
#include "sim/app/tour.h"
#include "rtf/rtf2html_command.h"
#include "platform/version.h"

namespace {

using pinlet::app::Driver;

// The commands by area, in the order a user meets them; a command not named
// here is listed under "Other commands".
const std::pair<const char*, std::vector<const char*>> kHelpAreas[] = {
    {"Outlook and the add-in", {"start", "stop", "reconnect", "show addin"}},
    {"Folders and items",
     {"show folders", "show items", "show item", "show views", "rename folder",
      "move item", "copy item", "delete item", "archive", "migrate store"}},
    {"Main windows",
     {"open explorer", "activate explorer", "close explorer", "select", "show selection",
      "switch folder", "switch view", "click", "context menu", "show explorer"}},
    {"Item windows and replies",
     {"open item", "close item", "item click", "reply", "reply all", "forward",
      "answer insertion", "start word", "show inspector"}},
    {"Notes", {"note add", "filter"}},
    {"The note window",
     {"note open", "note type", "note key", "note select", "note click", "note hover",
      "show note", "show printed", "open printed"}},
    {"Note attachments and reminders",
     {"note attach", "note attachments", "note attachment", "note reminder",
      "show reminder", "show reminders"}},
    {"Options", {"options", "show options"}},
    {"Settings and the support library",
     {"registry set", "registry get", "show registry", "show log", "show support"}},
    {"Messages and dialogs",
     {"answer", "answer colour", "answer font", "answer file", "show messages",
      "show dialogs"}},
    {"Shell and files",
     {"shell result", "show shell", "show files", "show file", "file write",
      "file delete"}},
    {"Windows, forms and timers",
     {"show windows", "activate window", "show clipboard", "show form", "form",
      "answer form", "answer menu", "show forms", "tick"}},
    {"Pictures of the screen", {"show screen", "show dialog", "open menu", "close menu"}},
    {"The sharing product",
     {"sharing install", "sharing delete", "sharing log", "show sharing"}},
    {"Faults and defects", {"fail", "show calls", "show defects"}},
    {"Scripts", {"say"}},
};

void PrintCommand(std::ostream& out, const pinlet::app::Command& command) {
  out << "  " << command.usage << "\n      " << command.help << "\n";
}

void PrintHelp(std::ostream& out) {
  out << "Usage:\n"
         "  pinlet [OPTIONS] demo [--pictures DIR]   the guided tour (writing a PNG "
         "picture\n"
         "                                           of the screen per step into DIR)\n"
         "  pinlet [OPTIONS] run [--com] [--fail-each-call|--fail-each-pair]\n"
         "                      [--outlook-version 10|11] FILE\n"
         "                                           run a scenario script (or its "
         "failure sweep);\n"
         "                                           --outlook-version: every start "
         "runs\n"
         "                                           Outlook 2002 (10) or 2003 (11, "
         "the default)\n"
         "                                           --com loads the registered COM "
         "add-in\n"
         "                                           (the Windows build, under Wine);\n"
         "                                           --without redemption|cdo (once "
         "each):\n"
         "                                           every start on a machine without "
         "it\n"
         "  pinlet [OPTIONS] shell                   type commands at a prompt\n"
         "  pinlet [OPTIONS] COMMAND [ARGS...]       run one command\n"
         "  pinlet rtf2html [--options TEXT] [FILE|-]  convert rich text to HTML\n"
         "  pinlet --help                            this text\n"
         "  pinlet --version                         the product and its version\n"
         "\n"
         "Options:\n"
         "  --mailbox FILE   keep the mailbox in FILE (JSON); the sample mailbox when "
         "absent\n"
         "  --registry FILE  keep the registry in FILE (regedit text); fresh when "
         "absent\n"
         "\n"
         "Scripts hold one command a line; # starts a comment; \"quoted words\" may "
         "hold\nblanks (\\\" and \\\\ inside), 'single quotes' take their text "
         "literally.\n"
         "expect [not] \"TEXT\" checks the previous command's output. A command that "
         "drives\nthe add-in, run alone, starts Outlook for itself. Exit status: 0 done, "
         "1 an\nexpectation failed (or, for a sweep, data lost), 2 a bad command, "
         "argument or\nfile, 3 a defect of the add-in, 4 skipped: the add-in, loaded "
         "as it is, cannot\ndo what a line asks.\n";
  std::set<std::string> listed;
  const auto& commands = Driver::Commands();
  for (auto& [area, names] : kHelpAreas) {
    out << "\n" << area << ":\n";
    for (const char* name : names) {
      auto it = commands.find(name);
      if (it == commands.end()) continue;
      PrintCommand(out, it->second);
      listed.insert(name);
    }
    if (std::string(area) == "Scripts")
      out << "  expect [not] \"TEXT\"\n      check the previous command's output\n";
  }
  bool header = false;
  for (auto& [name, command] : commands) {
    if (listed.count(name)) continue;
    if (!header) out << "\nOther commands:\n";
    header = true;
    PrintCommand(out, command);
  }
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

bool ReadScript(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  pinlet::app::UsePlainLineEnds();
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
    } else if (args[i] == "--version") {
      std::cout << PINLET_PRODUCT_NAME " " PINLET_VERSION_TEXT "\n";
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
  std::string script;
  std::string pictures;  // demo --pictures DIR
  if (command[0] == "demo" && command.size() == 3 && command[1] == "--pictures") {
    script_name = "demo";
    script = pinlet::app::DemoScript();
    pictures = command[2];
  } else if (command[0] == "demo" && command.size() == 1) {
    script_name = "demo";
    script = pinlet::app::DemoScript();
  } else if (command[0] == "run") {
    bool sweep = false, com = false;
    auto sweep_kind = pinlet::app::SweepKind::kEachCall;
    for (size_t k = 1; k + 1 < command.size(); ++k) {
      if (command[k] == "--fail-each-call" && !sweep) {
        sweep = true;
      } else if (command[k] == "--fail-each-pair" && !sweep) {
        sweep = true;
        sweep_kind = pinlet::app::SweepKind::kEachPair;
      } else if (command[k] == "--com" && !com) {
        com = true;
      } else if (command[k] == "--outlook-version" && k + 2 < command.size() &&
                 !pinlet::sim::OutlookVersionText(command[k + 1]).empty()) {
        options.outlook_version = command[++k];
      } else if (command[k] == "--without" && k + 2 < command.size() &&
                 pinlet::app::LeaveOutLibrary(command[k + 1], options.libraries)) {
        ++k;
      } else {
        command.clear();
        break;
      }
    }
    if (command.size() < 2) {
      std::cerr << "pinlet: usage: pinlet run [--com] [--fail-each-call|--fail-each-pair] "
                   "[--outlook-version 10|11] [--without redemption|cdo]... FILE\n";
      return 2;
    }
    if (com) {
      std::string why;
      options.loading = pinlet::app::MakeComLoading(why);
      if (!options.loading) {
        std::cerr << "pinlet: --com: " << why << "\n";
        return 2;
      }
    }
    script_name = command.back();
    if (!ReadScript(script_name, script)) {
      std::cerr << "pinlet: cannot read scenario " << script_name << "\n";
      return 2;
    }
    if (sweep)
      return pinlet::app::RunFailureSweep(script, script_name, options, std::cout,
                                          std::cerr, sweep_kind);
  }
  Driver driver(std::cout, std::cerr, options);
  std::string error;
  if (!driver.Open(error)) {
    std::cerr << "pinlet: " << error << "\n";
    return 2;
  }
  int status;
  if (!pictures.empty()) {
    status =
        pinlet::app::RunTourWithPictures(driver, script, pictures, std::cout, std::cerr);
  } else if (!script_name.empty()) {
    std::istringstream in(script);
    status = driver.RunScript(in, script_name);
  } else if (command[0] == "shell" && command.size() == 1) {
    status = driver.RunShell(std::cin, std::cout);
  } else {
    status = driver.RunOneShot(command);
  }
  // The files are written back as the commands left them, whatever they
  // answered: every command either completes or leaves the state unchanged.
  if (!driver.Close(error)) {
    std::cerr << "pinlet: " << error << "\n";
    return 2;
  }
  return status;
}
