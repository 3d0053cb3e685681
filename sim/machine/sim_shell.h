// The simulated shell and user environment: ShellExecute with results a
// script chooses, the shell's file operations on the simulated files, the
// temporary folder and files, the per-user special folders, the user name
// and the environment variables.
//
// Every member of Shell passes the fault injector once under its Windows
// name ("ShellExecute", "SHFileOperation", "GetTempPath", ...); a failing
// call answers failure. The questions a file operation asks (delete? replace?)
// and the failures it shows go through the simulated message boxes, so a
// script answers them like any other box.
#ifndef PINLET_SIM_MACHINE_SIM_SHELL_H_
#define PINLET_SIM_MACHINE_SIM_SHELL_H_

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "sim/machine/sim_files.h"

namespace pinlet::sim {

class World;

class SimShell : public Shell {
 public:
  struct ExecuteRecord {
    WindowHandle owner = 0;
    std::string verb, file, parameters, folder;
    int show_command = 0;
    int64_t result = 0;
  };
  struct OperationRecord {
    ShellFileOperation operation;
    FileOperationResult result;
    std::vector<std::string> done;  // what was deleted, copied, ... one line each
  };

  explicit SimShell(World* world);

  int64_t Execute(WindowHandle owner, std::string_view verb, std::string_view file,
                  std::string_view parameters, std::string_view folder,
                  int show_command) override;
  FileOperationResult FileOperation(const ShellFileOperation& operation) override;
  std::optional<std::string> TempPath() override;
  std::optional<std::string> TempFileName(std::string_view folder,
                                          std::string_view prefix,
                                          uint32_t unique) override;
  std::optional<std::string> SpecialFolderPath(int csidl, bool create) override;
  std::optional<std::string> UserName() override;
  std::optional<std::string> ExpandEnvironment(std::string_view text) override;

  // --- The machine's side: not calls of the add-in's. ---

  // The result of the next Execute (queued in order). Without one, opening
  // an existing file (or a URL) answers se::kSucceeded and a missing file
  // se::kFileNotFound.
  void QueueExecuteResult(int64_t result) { results_.push_back(result); }
  size_t queued_results() const { return results_.size(); }
  const std::vector<ExecuteRecord>& executed() const { return executed_; }
  const std::vector<OperationRecord>& operations() const { return operations_; }
  // What was deleted with fo::kAllowUndo, as paths.
  const std::vector<std::string>& recycle_bin() const { return recycle_bin_; }

  // The environment (names without regard to case).
  void SetVariable(const std::string& name, std::string value);
  std::optional<std::string> Variable(std::string_view name) const;
  // The logon name (GetUserName and %USERNAME%); the profile stays.
  void set_user_name(std::string name) {
    SetVariable("USERNAME", name);
    user_name_ = std::move(name);
  }
  const std::string& user_name() const { return user_name_; }
  // The path of a csidl:: folder (without a trailing "\"), or "" for one
  // the machine does not know.
  std::string SpecialFolder(int csidl) const;
  // The folder GetTempPath answers, ending in "\".
  std::string TempFolder() const;
  // The user's profile folder ("C:\Documents and Settings\User").
  const std::string& profile() const { return profile_; }

 private:
  // The file operation's work; fills `record.done`.
  FileOperationResult Run(const ShellFileOperation& operation, OperationRecord& record);
  // Shows a failure unless the operation says not to; returns `code`.
  int Fail(const ShellFileOperation& operation, int code, const std::string& name,
           const std::string& reason);

  World* world_;
  std::string profile_ = "C:\\Documents and Settings\\User";
  std::string user_name_ = "User";
  std::map<std::string, std::pair<std::string, std::string>> environment_;  // folded
  std::deque<int64_t> results_;
  std::vector<ExecuteRecord> executed_;
  std::vector<OperationRecord> operations_;
  std::vector<std::string> recycle_bin_;
  uint32_t next_unique_ = 1;  // GetTempFileName's counter
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_SHELL_H_
