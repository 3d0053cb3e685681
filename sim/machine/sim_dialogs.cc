#include "sim/machine/sim_dialogs.h"

#include <cmath>
#include <cstdio>

#include "platform/shell.h"
#include "sim/machine/world.h"

namespace pinlet::sim {
namespace {

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", value);
  return text;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string FontText(const Font& font) {
  std::string text = font.name + " " + Number(font.size);
  if (font.bold) text += " bold";
  if (font.italic) text += " italic";
  if (font.underline) text += " underline";
  if (font.strikeout) text += " strikeout";
  return text + " colour " + Hex(font.color);
}

// The font as the system's dialog receives it: a height in whole pixels
// (LOGFONT's lfHeight), here at the usual 96 dots an inch, so that 8 points
// arrive as 11 pixels, which are 8.25 points.
Font AsGiven(Font font) {
  long twips = std::lround(font.size * 20);
  long pixels = (twips * 96 + 720) / 1440;  // rounded to the nearest, as MulDiv
  font.size = pixels * 15 / 20.0;
  return font;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash == 2 ? 3 : slash);
}

}  // namespace

std::string SimDialogs::KindName(DialogKind kind) {
  switch (kind) {
    case DialogKind::kColor:
      return "colour";
    case DialogKind::kFont:
      return "font";
    case DialogKind::kOpen:
      return "open";
    case DialogKind::kSave:
      return "save";
  }
  return "";
}

void SimDialogs::QueueColor(uint32_t color, std::map<int, uint32_t> custom,
                            std::string match) {
  DialogAnswer answer;
  answer.kind = DialogKind::kColor;
  answer.color = color;
  answer.custom_colors = std::move(custom);
  answers_.Queue(std::move(answer), std::move(match));
}

void SimDialogs::QueueFont(FontChoice font, std::string match) {
  DialogAnswer answer;
  answer.kind = DialogKind::kFont;
  answer.font = std::move(font);
  answers_.Queue(std::move(answer), std::move(match));
}

void SimDialogs::QueueFile(std::string path, std::string match) {
  DialogAnswer answer;
  answer.kind = DialogKind::kOpen;
  answer.file = std::move(path);
  answers_.Queue(std::move(answer), std::move(match));
}

void SimDialogs::QueueCancel(DialogKind kind, std::string match) {
  DialogAnswer answer;
  answer.kind = kind == DialogKind::kSave ? DialogKind::kOpen : kind;
  answer.cancel = true;
  answers_.Queue(std::move(answer), std::move(match));
}

std::optional<DialogAnswer> SimDialogs::Next(DialogKind kind, const std::string& title) {
  if (kind == DialogKind::kSave) kind = DialogKind::kOpen;
  return answers_.Take(title, [kind](const DialogAnswer& a) { return a.kind == kind; });
}

void SimDialogs::Hold(DialogKind kind, const std::string& title) {
  if (kind == DialogKind::kSave) kind = DialogKind::kOpen;
  answers_.Hold(title, [kind](const DialogAnswer& a) { return a.kind == kind; });
}

void SimDialogs::Unanswered(Record& record) {
  record.answered = false;
  record.answer = "cancelled";
  world_->RecordDefect("a " + KindName(record.kind) + " dialog nobody answered: " +
                       Quote(record.title) + " (" + record.given + "); it was cancelled");
}

bool SimDialogs::Fails(const char* member, DialogKind kind, const std::string& title) {
  if (!world_->faults.Fails(member)) return false;
  Hold(kind, title);
  return true;
}

std::string SimDialogs::FileTitle(const FileDialog& dialog, bool save) {
  return dialog.title.empty() ? (save ? "Save As" : "Open") : dialog.title;
}

bool SimDialogs::ShowColor(ColorDialog& dialog) {
  if (Fails("ChooseColor", DialogKind::kColor, "Color")) {
    dialog.extended_error = cderr::kDialogFailure;
    return false;
  }
  Record record;
  record.title = "Color";
  if (!(dialog.flags & cc::kRgbInit)) dialog.color = 0;  // starts with black
  record.given = "flags " + Hex(dialog.flags) + ", colour " + Hex(dialog.color);
  dialog.extended_error = cderr::kNone;
  while (true) {
    auto answer = Next(DialogKind::kColor, record.title);
    if (!answer) {
      Unanswered(record);
      break;
    }
    if (answer->cancel) {
      record.answer = "cancelled";
      break;
    }
    if (!answer->custom_colors.empty() && (dialog.flags & cc::kPreventFullOpen)) {
      record.refused.push_back(
          "custom colours: the dialog cannot be opened to define them");
      continue;
    }
    for (auto [index, color] : answer->custom_colors)
      if (index >= 0 && index < 16) dialog.custom_colors[index] = color;
    dialog.color = answer->color;
    record.chosen = true;
    record.answer = Hex(dialog.color);
    break;
  }
  record.color = dialog;
  shown_.push_back(std::move(record));
  return shown_.back().chosen;
}

std::string SimDialogs::CheckFont(const FontDialog& dialog, const FontChoice& choice,
                                  Font& font) {
  font = dialog.font;
  if (choice.name) {
    std::string wanted = FoldName(*choice.name);
    const std::string* installed = nullptr;
    for (const std::string& name : fonts_)
      if (FoldName(name) == wanted) installed = &name;
    if (choice.name->empty()) return "a font needs a name";
    if (!installed && (dialog.flags & cf_font::kForceFontExist))
      return "there is no font " + Quote(*choice.name);
    font.name = installed ? *installed : *choice.name;
  }
  if (choice.size) {
    double size = std::round(*choice.size * 10) / 10;
    if (!(size > 0)) return "size " + Number(*choice.size) + " is not a size";
    if ((dialog.flags & cf_font::kLimitSize) &&
        (size < dialog.min_size || size > dialog.max_size))
      return "size " + Number(size) + ": size must be between " +
             std::to_string(dialog.min_size) + " and " + std::to_string(dialog.max_size) +
             " points";
    font.size = size;
  }
  if (choice.bold) font.bold = *choice.bold;
  if (choice.italic) font.italic = *choice.italic;
  bool effects = choice.underline || choice.strikeout || choice.color;
  if (effects && !(dialog.flags & cf_font::kEffects))
    return "underline, strikeout and colour are not offered";
  if (choice.underline) font.underline = *choice.underline;
  if (choice.strikeout) font.strikeout = *choice.strikeout;
  if (choice.color) font.color = *choice.color;
  return "";
}

bool SimDialogs::ShowFont(FontDialog& dialog) {
  if (Fails("ChooseFont", DialogKind::kFont, "Font")) {
    dialog.extended_error = cderr::kDialogFailure;
    return false;
  }
  if ((dialog.flags & cf_font::kLimitSize) && dialog.min_size > dialog.max_size) {
    Hold(DialogKind::kFont, "Font");
    dialog.extended_error = cderr::kMaxLessThanMin;
    return false;  // the dialog does not open
  }
  Record record;
  record.kind = DialogKind::kFont;
  record.title = "Font";
  record.given = "flags " + Hex(dialog.flags);
  if (dialog.flags & cf_font::kLimitSize)
    record.given += ", sizes " + std::to_string(dialog.min_size) + "-" +
                    std::to_string(dialog.max_size);
  record.given += ", " + FontText(AsGiven(dialog.font));
  dialog.extended_error = cderr::kNone;
  while (true) {
    auto answer = Next(DialogKind::kFont, record.title);
    if (!answer) {
      Unanswered(record);
      break;
    }
    if (answer->cancel) {
      record.answer = "cancelled";
      break;
    }
    Font font;
    std::string reason = CheckFont(dialog, answer->font, font);
    if (!reason.empty()) {
      record.refused.push_back(reason);
      continue;
    }
    dialog.font = font;
    record.chosen = true;
    record.answer = FontText(font);
    break;
  }
  record.font = dialog;
  shown_.push_back(std::move(record));
  return shown_.back().chosen;
}

bool SimDialogs::ShowOpen(FileDialog& dialog) {
  if (Fails("GetOpenFileName", DialogKind::kOpen, FileTitle(dialog, false))) {
    dialog.extended_error = cderr::kDialogFailure;
    return false;
  }
  return ShowFile(dialog, false);
}

bool SimDialogs::ShowSave(FileDialog& dialog) {
  if (Fails("GetSaveFileName", DialogKind::kSave, FileTitle(dialog, true))) {
    dialog.extended_error = cderr::kDialogFailure;
    return false;
  }
  return ShowFile(dialog, true);
}

std::string SimDialogs::StartFolder(const FileDialog& dialog) {
  SimFileSystem& files = world_->files;
  // A path in the file name wins, then the initial folder (taken as
  // written: the dialog expands no environment references), then the
  // folder the previous dialog ended in, then My Documents.
  std::string named = FolderOf(dialog.file_name);
  if (!named.empty() && files.IsFolder(named)) return files.Spelling(named);
  if (files.IsFolder(dialog.initial_folder)) return files.Spelling(dialog.initial_folder);
  if (!last_folder_.empty() && files.IsFolder(last_folder_)) return last_folder_;
  return world_->shell.SpecialFolder(csidl::kPersonal);
}

std::string SimDialogs::CheckFile(const FileDialog& dialog, bool save,
                                  const std::string& folder, const std::string& answer,
                                  std::string& path) {
  bool absolute = answer.size() >= 2 && answer[1] == ':';
  path = absolute ? answer : folder + (folder.ends_with("\\") ? "" : "\\") + answer;
  auto parsed = ParseWinPath(path);
  if (!parsed || parsed->is_root()) return Quote(answer) + ": the file name is not valid";
  std::string& name = parsed->names.back();
  if (!dialog.default_extension.empty() && name.find('.') == std::string::npos)
    name += "." + dialog.default_extension.substr(0, 3);
  path = parsed->ToString();
  SimFileSystem& files = world_->files;
  if (files.IsFolder(path)) return Quote(path) + " is a folder";
  bool exists = files.IsFile(path);
  if ((dialog.flags & (ofn::kPathMustExist | ofn::kFileMustExist)) &&
      !files.IsFolder(parsed->Parent().ToString()))
    return Quote(path) + ": the path does not exist";
  if (!save && (dialog.flags & ofn::kFileMustExist) && !exists)
    return Quote(path) + ": file not found";
  if (save && exists && (dialog.flags & ofn::kOverwritePrompt)) {
    int replace = world_->message_boxes.Ask(
        path + " already exists.\nDo you want to replace it?",
        dialog.title.empty() ? "Save As" : dialog.title, mb::kYesNo | mb::kExclamation);
    if (replace != mb::kYes) return Quote(path) + ": not replaced";
  }
  return "";
}

bool SimDialogs::ShowFile(FileDialog& dialog, bool save) {
  Record record;
  record.kind = save ? DialogKind::kSave : DialogKind::kOpen;
  record.title = FileTitle(dialog, save);
  record.folder = StartFolder(dialog);
  record.given = "filter " + Quote(dialog.filter) + ", folder " +
                 Quote(dialog.initial_folder) + ", file " + Quote(dialog.file_name) +
                 ", flags " + Hex(dialog.flags);
  if (!dialog.default_extension.empty())
    record.given += ", extension " + Quote(dialog.default_extension);
  dialog.extended_error = cderr::kNone;
  while (true) {
    auto answer = Next(record.kind, record.title);
    if (!answer) {
      Unanswered(record);
      break;
    }
    if (answer->cancel) {
      record.answer = "cancelled";
      break;
    }
    std::string path;
    std::string reason = CheckFile(dialog, save, record.folder, answer->file, path);
    if (!reason.empty()) {
      record.refused.push_back(reason);
      continue;
    }
    dialog.file_name = path;
    last_folder_ = FolderOf(path);
    record.chosen = true;
    record.answer = path;
    break;
  }
  record.file = dialog;
  shown_.push_back(std::move(record));
  return shown_.back().chosen;
}

}  // namespace pinlet::sim
