#include "sim/machine/sim_shell.h"

#include <cstdio>

#include "platform/win_paths.h"
#include "sim/machine/world.h"

namespace pinlet::sim {

SimShell::SimShell(World* world) : world_(world) {
  const std::string& home = profile_;
  SetVariable("ALLUSERSPROFILE", "C:\\Documents and Settings\\All Users");
  SetVariable("APPDATA", home + "\\Application Data");
  SetVariable("COMPUTERNAME", "PINLET-PC");
  SetVariable("HOMEDRIVE", "C:");
  SetVariable("HOMEPATH", home.substr(2));
  SetVariable("ProgramFiles", "C:\\Program Files");
  SetVariable("SystemDrive", "C:");
  SetVariable("SystemRoot", "C:\\WINDOWS");
  SetVariable("TEMP", home + "\\Local Settings\\Temp");
  SetVariable("TMP", home + "\\Local Settings\\Temp");
  SetVariable("USERNAME", user_name_);
  SetVariable("USERPROFILE", home);
  SetVariable("windir", "C:\\WINDOWS");
}

void SimShell::SetVariable(const std::string& name, std::string value) {
  environment_[FoldName(name)] = {name, std::move(value)};
}

std::optional<std::string> SimShell::Variable(std::string_view name) const {
  auto it = environment_.find(FoldName(name));
  if (it == environment_.end()) return std::nullopt;
  return it->second.second;
}

std::string SimShell::SpecialFolder(int csidl) const {
  switch (csidl) {
    case csidl::kPersonal:
      return profile_ + "\\My Documents";
    case csidl::kAppData:
      return profile_ + "\\Application Data";
    case csidl::kLocalAppData:
      return profile_ + "\\Local Settings\\Application Data";
    default:
      return "";
  }
}

std::string SimShell::TempFolder() const {
  // GetTempPath looks at TMP, then TEMP, then USERPROFILE, then the
  // Windows folder; it does not check that the folder exists.
  std::string folder = "C:\\WINDOWS";
  for (const char* name : {"TMP", "TEMP", "USERPROFILE"}) {
    if (auto value = Variable(name); value && !value->empty()) {
      folder = *value;
      break;
    }
  }
  if (!folder.ends_with("\\")) folder += "\\";
  return folder;
}

int64_t SimShell::Execute(WindowHandle owner, std::string_view verb,
                          std::string_view file, std::string_view parameters,
                          std::string_view folder, int show_command) {
  ExecuteRecord record{owner,
                       std::string(verb),
                       std::string(file),
                       std::string(parameters),
                       std::string(folder),
                       show_command};
  if (world_->faults.Fails("ShellExecute")) {
    record.result = se::kOutOfResources;
  } else if (!results_.empty()) {
    record.result = results_.front();
    results_.pop_front();
  } else {
    std::string path(file);
    bool url = path.find("://") != std::string::npos || path.starts_with("mailto:");
    if (!url && !(path.size() >= 2 && path[1] == ':') && !folder.empty())
      path = std::string(folder) + (folder.ends_with("\\") ? "" : "\\") + path;
    SimFileSystem& files = world_->files;
    record.result = url || files.IsFile(path) || files.IsFolder(path) ? se::kSucceeded
                                                                      : se::kFileNotFound;
  }
  executed_.push_back(record);
  return record.result;
}

std::optional<std::string> SimShell::TempPath() {
  if (world_->faults.Fails("GetTempPath")) return std::nullopt;
  return TempFolder();
}

std::optional<std::string> SimShell::TempFileName(std::string_view folder,
                                                  std::string_view prefix,
                                                  uint32_t unique) {
  if (world_->faults.Fails("GetTempFileName")) return std::nullopt;
  SimFileSystem& files = world_->files;
  std::optional<std::string> short_prefix = TempFilePrefix(prefix);
  if (!short_prefix || !files.IsFolder(folder)) return std::nullopt;  // ERROR_DIRECTORY
  std::string base(folder);
  if (!base.ends_with("\\")) base += "\\";
  base += *short_prefix;
  auto name = [&](uint32_t number) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", number & 0xFFFF);
    return base + hex + ".tmp";
  };
  if (unique != 0) return name(unique);  // only the name; nothing is created
  // Try each of the 65535 numbers once, from where the last call ended.
  for (int tries = 0; tries < 0xFFFF; ++tries) {
    uint32_t number = next_unique_;
    next_unique_ = next_unique_ % 0xFFFF + 1;
    std::string path = name(number);
    if (files.IsFile(path) || files.IsFolder(path)) continue;
    if (files.Put(path, "") != FsError::kNone) return std::nullopt;
    return path;
  }
  return std::nullopt;  // ERROR_FILE_EXISTS: every name is taken
}

std::optional<std::string> SimShell::SpecialFolderPath(int csidl, bool create) {
  if (world_->faults.Fails("SHGetSpecialFolderPath")) return std::nullopt;
  std::string path = SpecialFolder(csidl);
  if (path.empty()) return std::nullopt;
  SimFileSystem& files = world_->files;
  if (!files.IsFolder(path) && (!create || files.MakeFolders(path) != FsError::kNone))
    return std::nullopt;
  return path;
}

std::optional<std::string> SimShell::UserName() {
  if (world_->faults.Fails("GetUserName")) return std::nullopt;
  return user_name_;
}

std::optional<std::string> SimShell::ExpandEnvironment(std::string_view text) {
  if (world_->faults.Fails("ExpandEnvironmentStrings")) return std::nullopt;
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t open = text.find('%', i);
    if (open == std::string_view::npos) break;
    size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(text.substr(i, open - i));
    auto value = Variable(text.substr(open + 1, close - open - 1));
    if (value && close > open + 1) {
      out += *value;
      i = close + 1;
    } else {
      // Not a defined variable: the first % stays, and the second may open
      // the next reference.
      out += '%';
      i = open + 1;
      continue;
    }
  }
  out.append(text.substr(i));
  return out;
}

}  // namespace pinlet::sim
