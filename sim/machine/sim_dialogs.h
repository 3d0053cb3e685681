// The simulated common dialogs: the colour, font, Open and Save As dialogs
// answered by a strict scripted responder (scripted_responder.h), with the
// record of every dialog shown, what it was given and how it was answered.
//
// A dialog takes the queued answers of its kind in turn until one is a
// choice the real dialog would let the user make; the others are refused
// and recorded with the dialog's reason (a size outside the limits, a font
// that is not installed, a file that must exist and does not, an existing
// file whose replacement the user declined). A cancel answer cancels. A
// dialog left with no fitting answer is a defect of the run (World's defect
// list) and is cancelled, as Escape would. An answer may be meant only for
// the dialog whose title contains some words ("Color", "Font", "Open",
// "Save As" when the caller gives none). A dialog that fails to open holds
// the answer meant for it: only that dialog shown again within the same
// action of the user's takes it, and DropHeldAnswers drops it when the
// action ends, so that a later dialog never gets an answer the user gave
// another one.
#ifndef PINLET_SIM_MACHINE_SIM_DIALOGS_H_
#define PINLET_SIM_MACHINE_SIM_DIALOGS_H_

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "sim/machine/scripted_responder.h"

namespace pinlet::sim {

class World;

enum class DialogKind { kColor, kFont, kOpen, kSave };

// The part of a font the user changes in the font dialog; what is not set
// stays as the dialog was given it.
struct FontChoice {
  std::optional<std::string> name;
  std::optional<double> size;
  std::optional<bool> bold, italic, underline, strikeout;
  std::optional<uint32_t> color;
};

struct DialogAnswer {
  DialogKind kind = DialogKind::kColor;  // kOpen answers both file dialogs
  bool cancel = false;
  uint32_t color = 0;
  std::map<int, uint32_t> custom_colors;  // custom colours the user defines
  FontChoice font;
  std::string file;  // a path, or a name in the dialog's folder
};

class SimDialogs : public CommonDialogs {
 public:
  struct Record {
    DialogKind kind = DialogKind::kColor;
    std::string title;
    std::string given;  // what the dialog was given, as text
    // Answers the dialog refused, each with the dialog's reason.
    std::vector<std::string> refused;
    bool chosen = false;
    bool answered = true;  // false: nobody answered; the dialog was cancelled
    std::string answer;    // the choice as text, or "cancelled"
    std::string folder;    // a file dialog's starting folder
    ColorDialog color;     // the dialog's description after it closed
    FontDialog font;
    FileDialog file;
  };
  explicit SimDialogs(World* world) : world_(world) {}

  bool ShowColor(ColorDialog& dialog) override;
  bool ShowFont(FontDialog& dialog) override;
  bool ShowOpen(FileDialog& dialog) override;
  bool ShowSave(FileDialog& dialog) override;

  // The user's answers, for the next dialog of the kind or the next one
  // whose title contains `match`.
  void QueueColor(uint32_t color, std::map<int, uint32_t> custom = {},
                  std::string match = "");
  void QueueFont(FontChoice font, std::string match = "");
  void QueueFile(std::string path, std::string match = "");
  void QueueCancel(DialogKind kind, std::string match = "");
  size_t queued_answers() const { return answers_.pending().size(); }
  // The user's action is over: the answers of dialogs that did not open go.
  void DropHeldAnswers() { answers_.DropHeld(); }

  const std::vector<Record>& shown() const { return shown_; }
  // The fonts installed on the machine.
  const std::vector<std::string>& fonts() const { return fonts_; }
  static std::string KindName(DialogKind kind);  // "colour", "font", "open", "save"

 private:
  bool ShowFile(FileDialog& dialog, bool save);
  // Whether the dialog's host call `member` fails; if so, the dialog's
  // answer is held (see the file comment).
  bool Fails(const char* member, DialogKind kind, const std::string& title);
  // The dialog of `kind` titled `title` did not open: its answer is held.
  void Hold(DialogKind kind, const std::string& title);
  static std::string FileTitle(const FileDialog& dialog, bool save);
  // The next fitting answer for a dialog of `kind` titled `title`.
  std::optional<DialogAnswer> Next(DialogKind kind, const std::string& title);
  // The reason a font answer cannot be chosen, or "" with `font` set.
  std::string CheckFont(const FontDialog& dialog, const FontChoice& choice, Font& font);
  // The reason a file answer cannot be chosen, or "" with `path` set.
  std::string CheckFile(const FileDialog& dialog, bool save, const std::string& folder,
                        const std::string& answer, std::string& path);
  // Where a file dialog starts, as Windows XP chooses it.
  std::string StartFolder(const FileDialog& dialog);
  void Unanswered(Record& record);

  World* world_;
  ScriptedResponder<DialogAnswer> answers_;
  std::vector<Record> shown_;
  std::string last_folder_;  // where the previous file dialog ended
  std::vector<std::string> fonts_ = {
      "Arial",         "Arial Black",     "Comic Sans MS",     "Courier New",
      "Georgia",       "Impact",          "Lucida Console",    "Microsoft Sans Serif",
      "MS Sans Serif", "MS Serif",        "Palatino Linotype", "Symbol",
      "Tahoma",        "Times New Roman", "Trebuchet MS",      "Verdana",
      "Webdings",      "Wingdings"};
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_DIALOGS_H_
