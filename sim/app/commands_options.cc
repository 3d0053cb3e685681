// Commands for the options dialog: the user opens it from a main window
// (what is done on it is queued with `answer form frmOptions ...`), and the
// values it reads and writes.
#include <ostream>

#include "addin/settings.h"
#include "sim/app/driver.h"
#include "sim/app/effects.h"
#include "sim/app/resolve.h"
#include "platform/display_text.h"

namespace pinlet::app {
namespace {

// The values the dialog edits, in the order OK writes them.
constexpr const char* kOptionValues[] = {"PrintItem",
                                         "PrintDate",
                                         "NoteOnTop",
                                         "NotesInOneWindow",
                                         "ItemOpen",
                                         "ReplyForward",
                                         "WarningOnNoteInsertion",
                                         "WarningOnReminder",
                                         "MarkWithFlag",
                                         "OverwriteFlag",
                                         "BackColor",
                                         "FontName",
                                         "FontBold",
                                         "FontItalic",
                                         "FontSize",
                                         "ForeColor",
                                         "FontUnderline",
                                         "FontStrikethru",
                                         "FlagIndex"};

// A stored value as `show options` prints it.
std::string Stored(Driver& d, const char* name) {
  sim::FaultInjector::Pause pause(d.world().faults);
  auto value = d.world().registry.QueryValue(kNoteKey, name);
  if (!value) return "(absent)";
  if (value->type == kRegDword)
    return "dword " + std::to_string(static_cast<int32_t>(value->dword()));
  return "\"" + Printable(value->data) + "\"";
}

int OpenOptions(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string& error) {
  if (args.size() > 1 || (args.size() == 1 && args[0] != "toolbar" && args[0] != "menu"))
    return 2;
  bool toolbar = !args.empty() && args[0] == "toolbar";
  std::shared_ptr<sim::SimExplorer> window = ActiveExplorer(d, error);
  if (!window) return 2;
  std::shared_ptr<sim::SimCommandBars> bars = window->command_bars();
  auto control =
      ResolveControl(*bars,
                     toolbar ? "Pinlet ToolBar/ /Settings..."
                             : "Menu Bar/Tools/Zarvo Options/Pinlet Options...",
                     error);
  if (!control) return 2;
  std::string path = bars->PathOf(*control);
  std::vector<std::string> before;
  std::vector<uint64_t> writes_before;
  for (const char* name : kOptionValues) {
    before.push_back(Stored(d, name));
    writes_before.push_back(d.world().registry.WritesOf(kNoteKey, name));
  }
  Effects effects(d.world());
  sim::SimCommandBars::ClickResult result = bars->Click(control);
  if (!result.refused.empty()) {
    error = "cannot click " + path + ": it " + result.refused;
    return kRefused;
  }
  out << "clicked " << path << "\n";
  effects.Print(out);
  d.RefreshWorld();
  int changed = 0;
  std::string unchanged;  // values written again with what they held
  for (size_t i = 0; i < std::size(kOptionValues); ++i) {
    std::string after = Stored(d, kOptionValues[i]);
    if (after == before[i]) {
      if (d.world().registry.WritesOf(kNoteKey, kOptionValues[i]) != writes_before[i])
        unchanged += (unchanged.empty() ? "" : ", ") + std::string(kOptionValues[i]);
      continue;
    }
    out << (changed++ ? "" : "stored:\n") << "  " << kOptionValues[i] << ": " << before[i]
        << " -> " << after << "\n";
  }
  if (!unchanged.empty()) out << "stored as they were: " << unchanged << "\n";
  if (!changed && unchanged.empty()) out << "no option was stored\n";
  return 0;
}

int ShowOptions(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (!args.empty()) return 2;
  out << "options under HKEY_CURRENT_USER\\" << kNoteKey << ":\n";
  for (const char* name : kOptionValues)
    out << "  " << name << " = " << Stored(d, name) << "\n";
  return 0;
}

}  // namespace

void AddOptionsCommands(std::map<std::string, Command>& c) {
  c["options"] = {"options [menu|toolbar]",
                  "the user opens Pinlet's options dialog from the Tools menu (or the "
                  "toolbar's Settings...); queue what is done on it with answer form "
                  "frmOptions; says what was stored",
                  OpenOptions, true};
  c["show options"] = {"show options",
                       "the nineteen values the options dialog edits, as stored",
                       ShowOptions};
}

}  // namespace pinlet::app
