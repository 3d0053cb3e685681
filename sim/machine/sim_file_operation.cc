// SHFileOperation on the simulated files: the sources expanded (wildcards in
// the last name), every source checked before anything changes, then each
// deleted, copied, moved or renamed, asking the user where the shell asks.
#include <algorithm>

#include "sim/machine/sim_shell.h"
#include "sim/machine/world.h"

namespace pinlet::sim {
namespace {

// One thing to act on: a source path and, but for a delete, its target.
struct Step {
  std::string from;
  std::string to;
  bool into = false;  // the target is a folder to put the source in
};

const char* Verb(int function) {
  switch (function) {
    case fo::kMove:
      return "move";
    case fo::kCopy:
      return "copy";
    case fo::kDelete:
      return "delete";
    default:
      return "rename";
  }
}

std::string LastName(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int CodeOf(FsError error) {
  switch (error) {
    case FsError::kNone:
      return fo::kOk;
    case FsError::kNotFound:
      return fo::kErrFileNotFound;
    case FsError::kPathNotFound:
      return fo::kErrPathNotFound;
    case FsError::kSameFile:
      return fo::kErrSameFile;
    case FsError::kIntoItself:
      return fo::kErrDestSubtree;
    case FsError::kExists:
    case FsError::kIsFolder:
    case FsError::kIsFile:
      return fo::kErrFileExists;
    case FsError::kInvalidPath:
      return fo::kErrInvalidFiles;
    case FsError::kNotEmpty:
      return fo::kErrAccessDenied;
  }
  return fo::kErrGeneric;
}

}  // namespace

FileOperationResult SimShell::FileOperation(const ShellFileOperation& operation) {
  if (world_->faults.Fails("SHFileOperation")) return {fo::kErrGeneric, false};
  OperationRecord record{operation, {}, {}};
  record.result = Run(operation, record);
  operations_.push_back(record);
  return record.result;
}

int SimShell::Fail(const ShellFileOperation& operation, int code, const std::string& name,
                   const std::string& reason) {
  if (!(operation.flags & fo::kNoErrorUi)) {
    static const char* const kTitles[] = {
        "Error Moving File or Folder", "Error Copying File or Folder",
        "Error Deleting File or Folder", "Error Renaming File or Folder"};
    world_->message_boxes.Ask(
        std::string("Cannot ") + Verb(operation.function) + " " + name + ": " + reason,
        kTitles[operation.function - fo::kMove], mb::kOkOnly | mb::kCritical);
  }
  return code;
}

FileOperationResult SimShell::Run(const ShellFileOperation& op, OperationRecord& record) {
  SimFileSystem& files = world_->files;
  bool confirm = !(op.flags & fo::kNoConfirmation);
  if (!IsWellFormed(op)) return {fo::kErrInvalidFiles, false};
  bool multi = op.flags & fo::kMultiDestFiles;

  // Expand and check every source before anything changes.
  std::vector<Step> steps;
  bool wildcards = false;
  for (size_t i = 0; i < op.from.size(); ++i) {
    auto source = ParseWinPath(op.from[i], true);
    if (!source || source->is_root())
      return {Fail(op, fo::kErrInvalidFiles, op.from[i], "The file name is not valid."),
              false};
    std::string to = op.function == fo::kDelete ? "" : op.to[multi ? i : 0];
    if (HasWildcard(source->names.back())) {
      wildcards = true;
      auto entries = files.Entries(source->Parent().ToString());
      if (!entries)
        return {Fail(op, fo::kErrPathNotFound, op.from[i],
                     "The system cannot find the path specified."),
                false};
      for (const FileEntry& entry : *entries) {
        if ((op.flags & fo::kFilesOnly) && entry.folder) continue;
        if (MatchesWildcard(source->names.back(), entry.name))
          steps.push_back({source->Parent().Child(entry.name).ToString(), to});
      }
    } else {
      std::string spelled = files.Spelling(source->ToString());
      if (spelled.empty())
        return {Fail(op, fo::kErrFileNotFound, source->names.back(),
                     "Cannot find the specified file."),
                false};
      steps.push_back({spelled, to});
    }
  }

  if (op.function == fo::kDelete) {
    if (confirm && !steps.empty()) {
      bool recycle = op.flags & fo::kAllowUndo;
      std::string what = steps.size() == 1
                             ? "'" + LastName(steps[0].from) + "'"
                             : "these " + std::to_string(steps.size()) + " items";
      bool folder = steps.size() == 1 && files.IsFolder(steps[0].from);
      std::string text =
          recycle  ? "Are you sure you want to send " + what + " to the Recycle Bin?"
          : folder ? "Are you sure you want to remove the folder " + what +
                         " and all its contents?"
                   : "Are you sure you want to delete " + what + "?";
      std::string title = steps.size() > 1 ? "Confirm Multiple File Delete"
                          : folder         ? "Confirm Folder Delete"
                                           : "Confirm File Delete";
      if (world_->message_boxes.Ask(text, title, mb::kYesNo | mb::kQuestion) != mb::kYes)
        return {fo::kErrCancelled, true};
    }
    for (const Step& step : steps) {
      files.DeleteEntry(step.from, true);
      if (op.flags & fo::kAllowUndo) recycle_bin_.push_back(step.from);
      record.done.push_back("deleted " + step.from);
    }
    return {fo::kOk, false};
  }

  // Copy, move, rename: each source to its target. Several sources, or a
  // wildcard, go into the destination as a folder. A folder never merges
  // with nor replaces what has its name, and nothing replaces a folder:
  // that is refused before anything changes.
  const bool several = steps.size() > 1 || wildcards;
  for (Step& step : steps) {
    step.into = op.function != fo::kRename && !multi && (files.IsFolder(step.to) || several);
    if (step.into)
      step.to = step.to + (step.to.ends_with("\\") ? "" : "\\") + LastName(step.from);
    const bool exists = files.IsFile(step.to) || files.IsFolder(step.to);
    if (exists && FoldName(step.to) != FoldName(step.from) &&
        (files.IsFolder(step.from) || files.IsFolder(step.to)))
      return {Fail(op, fo::kErrFileExists, LastName(step.from),
                   "A file or folder of that name is in the way."),
              false};
  }
  FileOperationResult result;
  for (Step& step : steps) {
    const std::string& target = step.to;
    // The shell creates a missing destination folder.
    if (step.into) files.MakeFolders(target.substr(0, target.find_last_of('\\')));
    auto parsed = ParseWinPath(target);
    if (!parsed || parsed->is_root())
      return {Fail(op, fo::kErrInvalidFiles, target, "The file name is not valid."),
              result.aborted};
    if (op.function != fo::kRename) files.MakeFolders(parsed->Parent().ToString());
    bool replace = false;
    if (files.IsFile(target) && files.IsFile(step.from) &&
        FoldName(target) != FoldName(step.from) && op.function != fo::kRename) {
      int answer =
          confirm ? world_->message_boxes.Ask(
                        "This folder already contains a file named '" + LastName(target) +
                            "'.\n\nWould you like to replace the existing file?",
                        "Confirm File Replace", mb::kYesNoCancel | mb::kQuestion)
                  : mb::kYes;
      if (answer == mb::kCancel) return {fo::kErrCancelled, true};
      if (answer == mb::kNo) {
        result.aborted = true;
        continue;
      }
      replace = true;
    }
    FsError error = op.function == fo::kCopy
                        ? files.CopyEntry(step.from, target, replace)
                        : files.MoveEntry(step.from, target, replace);
    if (error != FsError::kNone)
      return {Fail(op, CodeOf(error), LastName(step.from),
                   error == FsError::kIntoItself
                       ? "The destination folder is a subfolder of the source folder."
                   : error == FsError::kSameFile
                       ? "The source and destination file names are the same."
                       : "A file or folder of that name is in the way."),
              result.aborted};
    record.done.push_back(std::string(op.function == fo::kCopy     ? "copied "
                                      : op.function == fo::kRename ? "renamed "
                                                                   : "moved ") +
                          step.from + " to " + files.Spelling(target));
  }
  return result;
}

}  // namespace pinlet::sim
