// Commands that drive the host and look at the machine: starting and stopping
// Outlook, the registry, the support library's log, faults.
#include <algorithm>
#include <optional>
#include <ostream>

#include "addin/settings.h"
#include "sim/app/driver.h"
#include "sim/app/script.h"
#include "platform/display_text.h"
#include "platform/host_error.h"
#include "sim/machine/sim_mapi_helpers.h"

namespace pinlet::app {
namespace {

// The connector that serves the running host: the host's own, when it
// initialised, else "Default".
std::string ActiveConnector(Driver& d) {
  for (const char* key : {"Outlook", "Microsoft Word"})
    if (d.session() && ConnectorInitialized(d.world(), *d.session(), key)) return key;
  return "Default";
}

constexpr const char* kStartUsage =
    "start [--host NAME] [--no-windows] [--outlook-version 10|11] "
    "[--without redemption|cdo|none]...";

// "; without Redemption and CDO" for the libraries the machine lacks.
std::string MissingLibraries(Driver& d) {
  auto* objects = dynamic_cast<sim::SimObjectFactory*>(d.world().objects.get());
  if (!objects) return "";
  std::vector<std::string> missing;
  if (!objects->redemption_installed) missing.push_back("Redemption");
  if (!objects->cdo_installed) missing.push_back("CDO");
  if (missing.empty()) return "";
  return "; without " + missing[0] + (missing.size() > 1 ? " and " + missing[1] : "");
}

int Start(Driver& d, const std::vector<std::string>& args, std::ostream& out,
          std::string& error) {
  sim::HostOptions options;
  std::optional<Libraries> libraries;  // the run's, less what is given
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--host" && i + 1 < args.size()) {
      options.host_name = args[++i];
    } else if (args[i] == "--no-windows") {
      options.with_windows = false;
    } else if (args[i] == "--outlook-version" && i + 1 < args.size() &&
               !sim::OutlookVersionText(args[i + 1]).empty()) {
      options.outlook_version = sim::OutlookVersionText(args[++i]);
    } else if (args[i] == "--without" && i + 1 < args.size()) {
      if (!libraries) libraries = d.run_libraries();
      if (!LeaveOutLibrary(args[++i], *libraries)) {
        error = "unknown library '" + args[i] + "'; --without redemption|cdo|none";
        return 2;
      }
    } else {
      error = "unknown option '" + args[i] + "'; usage: " + kStartUsage;
      return 2;
    }
  }
  if (!d.StartHost(options, error, libraries ? &*libraries : nullptr)) return 2;
  out << options.host_name << " started"
      << (options.host_name == "Outlook" && !options.with_windows ? " without windows"
                                                                  : "")
      << "; Pinlet loaded; connector: " << ActiveConnector(d) << MissingLibraries(d)
      << "\n";
  return 0;
}

int Stop(Driver& d, const std::vector<std::string>& args, std::ostream& out,
         std::string& error) {
  if (!args.empty()) return 2;
  if (!d.StopHost(error)) return 2;
  out << "Pinlet unloaded; host closed\n";
  return 0;
}

int Reconnect(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (!args.empty()) return 2;
  if (!d.session()) {
    error = "the host is not running";
    return 2;
  }
  d.session()->Reconnect();
  out << "Pinlet switched off and on again; connector: " << ActiveConnector(d) << "\n";
  return 0;
}

int ShowAddin(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (!args.empty()) return 2;
  int status = kDone;
  if (d.session() && !d.LinkedAddin(error, &status)) return status;
  d.DescribeAddin(out);
  return 0;
}

std::string Describe(const std::optional<RegValue>& value) {
  if (!value) return "(absent)";
  if (value->type == kRegSz) return "\"" + Printable(value->data) + "\"";
  if (value->type == kRegDword)
    return "dword " + std::to_string(static_cast<int32_t>(value->dword()));
  return "(type " + std::to_string(value->type) + ", " +
         std::to_string(value->data.size()) + " bytes)";
}

int RegistrySet(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string& error) {
  bool dword = !args.empty() && args[0] == "--dword";
  size_t first = dword ? 1 : 0;
  if (args.size() != first + 3) return 2;
  const std::string& key = args[first];
  const std::string& name = args[first + 1];
  const std::string& value = args[first + 2];
  RegValue stored = RegValue::Text(value);
  if (dword) {
    auto number = ParseInteger(value, INT32_MIN, UINT32_MAX);
    if (!number) {
      error = "'" + value + "' is not a 32-bit number";
      return 2;
    }
    stored = RegValue::Dword(static_cast<uint32_t>(*number));
  }
  // The user's own edit of the registry is not a call of the add-in's.
  sim::FaultInjector::Pause pause(d.world().faults);
  if (!d.world().registry.SetValue(key, name, stored)) {
    error = "cannot write " + key;
    return 2;
  }
  out << key << "\\" << name << " = " << Describe(stored) << "\n";
  return 0;
}

int RegistryGet(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (args.size() != 2) return 2;
  sim::FaultInjector::Pause pause(d.world().faults);
  out << args[0] << "\\" << args[1] << " = "
      << Describe(d.world().registry.QueryValue(args[0], args[1])) << "\n";
  return 0;
}

int ShowRegistry(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string&) {
  if (args.size() > 1) return 2;
  std::string text = d.world().registry.Export(args.empty() ? "" : args[0]);
  out << PrintableLines(text, "");
  return 0;
}

int ShowLog(Driver& d, const std::vector<std::string>& args, std::ostream& out,
            std::string& error) {
  if (!args.empty()) return 2;
  auto log = d.world().files.Peek(d.world().support->log_path());
  if (!log || log->empty()) {
    out << "(the log is empty)\n";
    return 0;
  }
  // A COM add-in's support library stamps each line with the real clock.
  if (!d.linked_in()) {
    error =
        "show log prints what the support library logged; as a COM add-in, Pinlet's "
        "support library stamps each line with the machine's own clock";
    return kSkipped;
  }
  out << PrintableLines(*log, "");
  return 0;
}

int ShowSupport(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (!args.empty()) return 2;
  const auto& calls = d.world().support->calls();
  if (calls.empty()) out << "(the support library was not called)\n";
  for (const std::string& call : calls) out << call << "\n";
  return 0;
}

// Reads the options after `fail call N` or `fail member NAME`.
bool FailOptions(const std::vector<std::string>& args, size_t first, bool allow_nth,
                 int32_t& number, int64_t& nth, std::string& error) {
  for (size_t i = first; i < args.size(); ++i) {
    bool is_number = args[i] == "--number";
    if ((!is_number && !(allow_nth && args[i] == "--nth")) || i + 1 >= args.size()) {
      error = "unknown option '" + args[i] + "'";
      return false;
    }
    const std::string& text = args[++i];
    auto value = is_number ? ParseInteger(text, INT32_MIN, UINT32_MAX)
                           : ParseInteger(text, 1, INT64_MAX);
    if (!value || (is_number && *value == 0)) {
      error = "'" + text + "' is not " +
              (is_number ? "an error number" : "a positive whole number");
      return false;
    }
    if (is_number)
      number = static_cast<int32_t>(static_cast<uint32_t>(*value));
    else
      nth = *value;
  }
  return true;
}

int Fail(Driver& d, const std::vector<std::string>& args, std::ostream& out,
         std::string& error) {
  sim::FaultInjector& faults = d.world().faults;
  if (args.size() == 1 && args[0] == "clear") {
    faults.Clear();
    out << "no host call fails\n";
    return 0;
  }
  if (args.size() < 2 || (args[0] != "member" && args[0] != "call")) return 2;
  int32_t number = errors::kOperationFailed;
  int64_t nth = 0;
  if (!FailOptions(args, 2, args[0] == "member", number, nth, error)) return 2;
  if (args[0] == "member") {
    if (!sim::IsHostMember(args[1])) {
      error = "the host has no member '" + args[1] + "' (see show calls)";
      return 2;
    }
    // A COM add-in makes these calls of the machine's own, which no fault
    // of the simulated one reaches.
    static const char* const kMachinesOwn[] = {
        "CreateButtonMask", "OpenClipboard",   "CloseClipboard", "EmptyClipboard",
        "SetClipboardData", "GetClipboardData", "SetWindowPos"};
    if (!d.linked_in() && std::find(std::begin(kMachinesOwn), std::end(kMachinesOwn),
                                    args[1]) != std::end(kMachinesOwn)) {
      error = "as a COM add-in, Pinlet makes its calls of " + args[1] +
              " to the machine itself, which the test host does not make fail";
      return kSkipped;
    }
    faults.FailMember(args[1], number, nth);
    if (nth > 0)
      out << "call " << nth << " of " << args[1] << " from now fails";
    else
      out << "every call of " << args[1] << " fails";
    out << " with error " << number << "\n";
    return 0;
  }
  auto n = ParseInteger(args[1], 1, INT64_MAX);
  if (!n) {
    error = "'" + args[1] + "' is not a positive whole number";
    return 2;
  }
  if (*n <= faults.call_count()) {
    error = "host call " + std::to_string(*n) + " was made already (" +
            std::to_string(faults.call_count()) + " calls so far)";
    return 2;
  }
  faults.FailCall(*n, number);
  out << "host call " << *n << " fails with error " << number << "\n";
  return 0;
}

int ShowCalls(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  // The list counts the Windows services' calls too, which the simulated
  // machine answers only for a linked-in add-in.
  if (!d.linked_in()) {
    error =
        "show calls lists the Windows services' calls as the simulated machine answers "
        "them; as a COM add-in, Pinlet calls the real ones";
    return kSkipped;
  }
  const auto& calls = d.world().faults.calls();
  size_t first = 0;
  if (args.size() == 2 && args[0] == "--last") {
    auto last = ParseInteger(args[1], 1, INT64_MAX);
    if (!last) {
      error = "'" + args[1] + "' is not a positive whole number";
      return 2;
    }
    if (static_cast<size_t>(*last) < calls.size()) first = calls.size() - *last;
  } else if (!args.empty()) {
    return 2;
  }
  out << calls.size() << " host calls so far\n";
  for (size_t i = first; i < calls.size(); ++i) {
    out << (i + 1) << ". " << calls[i].member;
    if (!calls[i].target.empty()) out << " [" << calls[i].target << "]";
    out << "\n";
  }
  for (const auto& failure : d.world().faults.failures())
    out << "call " << failure.call << " (" << failure.member << ") failed with error "
        << failure.number << "\n";
  return 0;
}

int ShowDefects(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (!args.empty()) return 2;
  const auto& defects = d.world().defects();
  if (defects.empty()) out << "(no defects)\n";
  for (const std::string& defect : defects) out << defect << "\n";
  return 0;
}

int Say(Driver&, const std::vector<std::string>& args, std::ostream& out, std::string&) {
  for (size_t i = 0; i < args.size(); ++i) out << (i ? " " : "") << args[i];
  out << "\n";
  return 0;
}

}  // namespace

void AddHostCommands(std::map<std::string, Command>& c) {
  c["start"] = {kStartUsage,
                "start the host (Outlook by default; Outlook 2003 unless 10, Outlook "
                "2002, is named) and load Pinlet; --without: on a machine without "
                "that helper library (given again for both)",
                Start};
  c["stop"] = {"stop", "close the host's windows and unload Pinlet", Stop};
  c["reconnect"] = {"reconnect", "switch Pinlet off and on again in the running host",
                    Reconnect};
  c["show addin"] = {"show addin",
                     "the host, the active connector and the add-in's lists", ShowAddin};
  c["registry set"] = {"registry set [--dword] KEY NAME VALUE",
                       "write a value under HKEY_CURRENT_USER (text, or a DWORD)",
                       RegistrySet};
  c["registry get"] = {"registry get KEY NAME", "read one value", RegistryGet};
  c["show registry"] = {"show registry [KEY]",
                        "the registry (or one key) in regedit's format", ShowRegistry};
  c["show log"] = {"show log", "the support library's error log", ShowLog};
  c["show support"] = {
      "show support",
      "every call of the support library: start, log, about box, help pages",
      ShowSupport};
  c["show calls"] = {"show calls [--last K]",
                     "the host calls the add-in made, numbered as fail call counts them",
                     ShowCalls};
  c["show defects"] = {"show defects",
                       "defects of the add-in the host had to stop (none, normally)",
                       ShowDefects};
  c["say"] = {"say \"TEXT\"", "print a line of text", Say};
  c["fail"] = {
      "fail call N [--number E] | fail member NAME [--number E] [--nth K] | "
      "fail clear",
      "make a host call fail with error E: the run's call N (as show calls "
      "numbers them), or every (or the K-th next) call of a member",
      Fail};
}

}  // namespace pinlet::app
