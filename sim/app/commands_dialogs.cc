// Commands for what the user answers and what the machine keeps: message
// boxes and common dialogs answered in advance and shown afterwards, the
// shell's results and records, and the simulated files.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <ostream>

#include "sim/app/driver.h"
#include "sim/app/script.h"
#include "platform/display_text.h"

namespace pinlet::app {
namespace {

using sim::DialogKind;
using sim::SimDialogs;
using sim::SimMessageBoxes;

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", value);
  return text;
}

// Prints text with its line breaks as the user would read them.
void PrintText(std::ostream& out, const std::string& text) {
  for (char c : text)
    if (c != '\r') out << c;
}

// A colour word: 0xBBGGRR (the host's colour values) or a decimal number.
std::optional<uint32_t> ParseColour(const std::string& word) {
  auto value = ParseInteger(word, 0, 0xFFFFFF);
  if (!value) return std::nullopt;
  return static_cast<uint32_t>(*value);
}

int AnswerColour(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error);

int AnswerBox(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  // "answer color ..." is "answer colour ...", spelled the American way.
  if (!args.empty() && args[0] == "color")
    return AnswerColour(d, {args.begin() + 1, args.end()}, out, error);
  if (args.empty() || args.size() > 2) return 2;
  static const std::pair<const char*, int> kButtons[] = {
      {"yes", mb::kYes},       {"no", mb::kNo},       {"ok", mb::kOk},
      {"cancel", mb::kCancel}, {"abort", mb::kAbort}, {"retry", mb::kRetry},
      {"ignore", mb::kIgnore}};
  for (auto& [word, button] : kButtons) {
    if (args[0] != word) continue;
    std::string match = args.size() == 2 ? args[1] : "";
    d.world().message_boxes.QueueAnswer(button, match);
    out << (match.empty() ? "the next message box"
                          : "the next message box saying \"" + match + "\"")
        << " will be answered " << word << "\n";
    return 0;
  }
  error = "answer yes, no, ok, cancel, abort, retry or ignore";
  return 2;
}

int AnswerColour(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
  if (args.empty()) return 2;
  if (args.size() == 1 && args[0] == "cancel") {
    d.world().dialogs.QueueCancel(DialogKind::kColor);
    out << "the next colour dialog will be cancelled\n";
    return 0;
  }
  auto colour = ParseColour(args[0]);
  if (!colour) {
    error = "'" + args[0] + "' is not a colour (0xBBGGRR, or cancel)";
    return 2;
  }
  std::map<int, uint32_t> custom;
  for (size_t i = 1; i < args.size(); ++i) {
    size_t equals = args[i].find('=');
    auto index = equals == std::string::npos
                     ? std::nullopt
                     : ParseInteger(args[i].substr(0, equals), 0, 15);
    auto value = index ? ParseColour(args[i].substr(equals + 1)) : std::nullopt;
    if (!value) {
      error = "'" + args[i] + "' is not a custom colour (N=0xBBGGRR, N from 0 to 15)";
      return 2;
    }
    custom[static_cast<int>(*index)] = *value;
  }
  d.world().dialogs.QueueColor(*colour, custom);
  out << "the next colour dialog will be answered " << Hex(*colour);
  if (!custom.empty()) out << ", defining " << custom.size() << " custom colours";
  out << "\n";
  return 0;
}

int AnswerFont(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string& error) {
  if (args.empty()) return 2;
  if (args.size() == 1 && args[0] == "cancel") {
    d.world().dialogs.QueueCancel(DialogKind::kFont);
    out << "the next font dialog will be cancelled\n";
    return 0;
  }
  sim::FontChoice font;
  static const std::pair<const char*, std::optional<bool> sim::FontChoice::*> kStyles[] =
      {{"bold", &sim::FontChoice::bold},
       {"italic", &sim::FontChoice::italic},
       {"underline", &sim::FontChoice::underline},
       {"strikeout", &sim::FontChoice::strikeout}};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    bool style = false;
    for (auto& [name, member] : kStyles) {
      if (word == name || word == std::string("no") + name) {
        font.*member = word == name;
        style = true;
      }
    }
    if (style) continue;
    if (word == "colour" || word == "color") {
      auto colour = i + 1 < args.size() ? ParseColour(args[++i]) : std::nullopt;
      if (!colour) {
        error = "colour needs a colour (0xBBGGRR)";
        return 2;
      }
      font.color = *colour;
    } else if (char* end = nullptr; std::strtod(word.c_str(), &end) > 0 && *end == 0) {
      font.size = std::strtod(word.c_str(), nullptr);
    } else if (!font.name) {
      font.name = word;
    } else {
      error =
          "'" + word + "' is neither a size nor a style (the font is " + *font.name + ")";
      return 2;
    }
  }
  d.world().dialogs.QueueFont(font);
  out << "the next font dialog will be answered";
  for (const std::string& word : args) out << " " << word;
  out << "\n";
  return 0;
}

int AnswerFile(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string&) {
  if (args.empty() || args.size() > 2) return 2;
  std::string match = args.size() == 2 ? args[1] : "";
  std::string which = match.empty() ? "the next file dialog"
                                    : "the next file dialog titled \"" + match + "\"";
  if (args[0] == "cancel") {
    d.world().dialogs.QueueCancel(DialogKind::kOpen, match);
    out << which << " will be cancelled\n";
  } else {
    d.world().dialogs.QueueFile(args[0], match);
    out << which << " will be answered " << args[0] << "\n";
  }
  return 0;
}

int ShowMessages(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string&) {
  if (!args.empty()) return 2;
  const SimMessageBoxes& boxes = d.world().message_boxes;
  if (boxes.shown().empty()) out << "(no message boxes)\n";
  for (const auto& box : boxes.shown()) {
    out << "[" << Printable(box.title) << "] " << PrintableLines(box.text, "");
    out << " -> " << SimMessageBoxes::ButtonName(box.answer)
        << (box.answered ? "" : " (nobody answered: the default button)") << "\n";
  }
  if (boxes.queued_answers() > 0)
    out << boxes.queued_answers() << " answer(s) still waiting for a box\n";
  return 0;
}

int ShowDialogs(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (!args.empty()) return 2;
  const SimDialogs& dialogs = d.world().dialogs;
  if (dialogs.shown().empty()) out << "(no dialogs)\n";
  for (const auto& dialog : dialogs.shown()) {
    out << SimDialogs::KindName(dialog.kind) << " dialog \"" << Printable(dialog.title)
        << "\" (" << Printable(dialog.given) << ")";
    if (!dialog.folder.empty()) out << " in " << Printable(dialog.folder);
    out << " -> " << Printable(dialog.answer)
        << (dialog.answered ? "" : " (nobody answered)") << "\n";
    for (const std::string& refused : dialog.refused)
      out << "  refused " << Printable(refused) << "\n";
  }
  if (dialogs.queued_answers() > 0)
    out << dialogs.queued_answers() << " answer(s) still waiting for a dialog\n";
  return 0;
}

int ShellResult(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string& error) {
  if (args.size() != 1) return 2;
  auto result = ParseInteger(args[0], 0, INT32_MAX);
  if (!result) {
    error = "'" + args[0] + "' is not a result (31: no program for the type; 42: done)";
    return 2;
  }
  d.world().shell.QueueExecuteResult(*result);
  out << "the next ShellExecute answers " << *result << "\n";
  return 0;
}

int ShowShell(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string&) {
  if (!args.empty()) return 2;
  const sim::SimShell& shell = d.world().shell;
  if (shell.executed().empty() && shell.operations().empty())
    out << "(the shell was not called)\n";
  for (const auto& call : shell.executed())
    out << "ShellExecute " << (call.verb.empty() ? "(default)" : Printable(call.verb))
        << " \"" << Printable(call.file) << "\" parameters \"" << Printable(call.parameters)
        << "\" in \"" << Printable(call.folder) << "\" show " << call.show_command << " -> "
        << call.result << "\n";
  static const char* const kFunctions[] = {"move", "copy", "delete", "rename"};
  for (const auto& op : shell.operations()) {
    const ShellFileOperation& o = op.operation;
    out << "SHFileOperation " << kFunctions[o.function - fo::kMove];
    for (const std::string& from : o.from) out << " \"" << Printable(from) << "\"";
    if (!o.to.empty()) out << " to";
    for (const std::string& to : o.to) out << " \"" << Printable(to) << "\"";
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%X", o.flags);
    out << " flags " << flags << " -> " << op.result.code
        << (op.result.aborted ? " (aborted)" : "") << "\n";
    for (const std::string& done : op.done) out << "  " << Printable(done) << "\n";
  }
  if (shell.queued_results() > 0)
    out << shell.queued_results() << " result(s) still waiting for a ShellExecute\n";
  return 0;
}

int ShowFiles(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() > 1) return 2;
  // Looking is the machine's own work, not a call of the add-in's.
  sim::SimFileSystem& files = d.world().files;
  std::string top = args.empty() ? "C:\\" : files.Spelling(args[0]);
  if (top.empty() || !files.IsFolder(top)) {
    error = "no folder '" + (args.empty() ? "" : args[0]) + "'";
    return 2;
  }
  size_t count = 0;
  for (const std::string& folder : files.Folders(top)) {
    auto entries = files.Entries(folder);
    bool any_file = false;
    for (const FileEntry& e : *entries) any_file |= !e.folder;
    if (!any_file && folder != top) continue;
    out << folder << "\n";
    for (const FileEntry& e : *entries) {
      if (e.folder) continue;
      out << "  " << e.name << "  " << e.size << " bytes\n";
      ++count;
    }
  }
  out << count << " file(s)\n";
  return 0;
}

int ShowFile(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() != 1) return 2;
  auto content = d.world().files.Peek(args[0]);
  if (!content) {
    error = "no file '" + args[0] + "'";
    return 2;
  }
  PrintText(out, *content);
  if (!content->empty() && content->back() != '\n') out << "\n";
  return 0;
}

int FileWrite(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() != 2) return 2;
  if (d.world().files.Store(args[0], args[1]) != sim::FsError::kNone) {
    error = "cannot write '" + args[0] + "' (not a path of the machine, or a folder)";
    return 2;
  }
  out << d.world().files.Spelling(args[0]) << ": " << args[1].size() << " bytes\n";
  return 0;
}

int FileDelete(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string& error) {
  if (args.size() != 1) return 2;
  sim::SimFileSystem& files = d.world().files;
  const std::string spelling = files.Spelling(args[0]);
  if (!files.IsFile(args[0]) || !files.RemoveFile(args[0])) {
    error = "no file '" + args[0] + "'";
    return 2;
  }
  out << Printable(spelling) << ": deleted\n";
  return 0;
}

}  // namespace

void AddDialogCommands(std::map<std::string, Command>& c) {
  c["answer"] = {"answer yes|no|ok|cancel|abort|retry|ignore [\"TEXT\"]",
                 "answer the next message box, or the next one whose text contains TEXT",
                 AnswerBox};
  c["answer colour"] = {"answer colour 0xBBGGRR [N=0xBBGGRR ...] | answer colour cancel",
                        "answer the next colour dialog with a colour (and custom "
                        "colours 0 to 15 defined), or cancel it; \"color\" will do",
                        AnswerColour};
  c["answer font"] = {
      "answer font [NAME] [SIZE] [bold|nobold] [italic|noitalic] "
      "[underline|nounderline] [strikeout|nostrikeout] [colour 0xBBGGRR]"
      " | answer font cancel",
      "answer the next font dialog; what is not given stays as the "
      "dialog shows it",
      AnswerFont};
  c["answer file"] = {"answer file PATH|NAME|cancel [\"TITLE\"]",
                      "answer the next Open or Save As dialog (or the one whose title "
                      "contains TITLE) with a file, or cancel it",
                      AnswerFile};
  c["show messages"] = {"show messages", "every message box shown, with its answer",
                        ShowMessages};
  c["show dialogs"] = {"show dialogs",
                       "every common dialog shown: what it was given, what it refused, "
                       "its answer",
                       ShowDialogs};
  c["shell result"] = {
      "shell result N",
      "the result of the next ShellExecute (31: no program for the type)", ShellResult};
  c["show shell"] = {"show shell", "every ShellExecute and shell file operation",
                     ShowShell};
  c["show files"] = {"show files [FOLDER]",
                     "the simulated machine's files (below C:\\ or FOLDER), with sizes",
                     ShowFiles};
  c["show file"] = {"show file PATH", "the content of one simulated file", ShowFile};
  c["file write"] = {"file write PATH \"TEXT\"",
                     "put a file on the simulated machine (its folders are created)",
                     FileWrite};
  c["file delete"] = {"file delete PATH",
                      "remove a file from the simulated machine (a folder stays)",
                      FileDelete};
}

}  // namespace pinlet::app
