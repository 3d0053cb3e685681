// Commands that draw the simulated screen as PNG pictures, and the tour that
// writes one picture per step.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "addin/pictures.h"
#include "sim/app/pictures.h"
#include "sim/app/script.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/sim_outlook.h"
#include "platform/text.h"
#include "store/parent_marking.h"

namespace pinlet::app {
namespace {

constexpr const char* kNoteForm = "frmComments";

// Takes "--png FILE" out of the arguments: false when the option is
// missing, lacks its file, or is given twice.
bool TakePngFile(std::vector<std::string>& args, std::string& file, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--png") continue;
    if (!file.empty() || i + 1 >= args.size()) {
      error = "--png takes one FILE";
      return false;
    }
    file = args[i + 1];
    args.erase(args.begin() + i, args.begin() + i + 2);
    --i;
  }
  if (file.empty()) error = "--png FILE is missing (this command draws pictures only)";
  return !file.empty();
}

int Write(const render::Image& image, const std::string& file, std::ostream& out,
          std::string& error) {
  if (!image.WritePng(file, error)) return 2;
  out << "wrote " << file << ": " << image.width() << "x" << image.height()
      << " pixels\n";
  return 0;
}

int ShowScreen(Driver& d, const std::vector<std::string>& words, std::ostream& out,
               std::string& error) {
  std::vector<std::string> args = words;
  std::string file;
  if (!TakePngFile(args, file, error)) return 2;
  if (!args.empty()) return 2;
  return Write(ScreenRenderer().Screen(d.world()), file, out, error);
}

// The front-most visible note window.
sim::SimForm* FrontNote(sim::World& world) {
  for (WindowHandle handle : world.windows.z_order())
    for (const auto& form : world.ui.forms())
      if (form->handle() == handle && form->visible() && form->design_name() == kNoteForm)
        return form.get();
  return nullptr;
}

int ShowNote(Driver& d, const std::vector<std::string>& words, std::ostream& out,
             std::string& error) {
  std::vector<std::string> args = words;
  std::string file;
  if (!TakePngFile(args, file, error)) return 2;
  if (args.size() > 1) return 2;
  sim::SimForm* form =
      args.empty() ? FrontNote(d.world()) : d.world().ui.FindForm(args[0]);
  if (!form) {
    error = args.empty() ? "no note window is open"
                         : "no form '" + args[0] + "' is loaded (see show windows)";
    return 2;
  }
  return Write(ScreenRenderer().Form(form->Look()), file, out, error);
}

int ShowExplorer(Driver& d, const std::vector<std::string>& words, std::ostream& out,
                 std::string& error) {
  std::vector<std::string> args = words;
  std::string file;
  if (!TakePngFile(args, file, error)) return 2;
  if (args.size() > 1) return 2;
  sim::SimOutlook* outlook = d.world().outlook;
  if (!outlook || outlook->explorers().empty()) {
    error = "no Outlook main window is open";
    return 2;
  }
  std::shared_ptr<sim::SimExplorer> explorer = outlook->active_explorer();
  if (!args.empty()) {
    auto n = ParseInteger(args[0], 1, static_cast<int64_t>(outlook->explorers().size()));
    if (!n) {
      error = "'" + args[0] + "' is not the number of an open main window (1 to " +
              std::to_string(outlook->explorers().size()) + ")";
      return 2;
    }
    explorer = outlook->explorers()[*n - 1];
  }
  if (!explorer) explorer = outlook->explorers().front();
  auto image = ScreenRenderer().Window(d.world(), explorer->hwnd());
  if (!image) {
    error = "the main window has no window on the desktop";
    return 2;
  }
  return Write(*image, file, out, error);
}

int ShowDialog(Driver& d, const std::vector<std::string>& words, std::ostream& out,
               std::string& error) {
  std::vector<std::string> args = words;
  std::string file;
  if (!TakePngFile(args, file, error)) return 2;
  if (args.size() > 1) return 2;
  sim::World& world = d.world();
  std::optional<render::Dialog> dialog;
  if (args.empty()) {
    dialog = render::LastDialog(world);
    if (!dialog) error = "no dialog or message box has been shown";
  } else if (args[0] == "message") {
    if (!world.message_boxes.shown().empty())
      dialog = render::Dialog{world.message_boxes.shown().back()};
    else
      error = "no message box has been shown";
  } else if (sim::SimForm* form = world.ui.FindForm(args[0]); form && form->visible()) {
    dialog = render::Dialog{form->Look()};
  } else {
    // The last look of the last modal form of that name or caption.
    const auto& shown = world.ui.modal_forms();
    for (auto it = shown.rbegin(); it != shown.rend() && !dialog; ++it)
      if (!it->looks.empty() && (EqualsIgnoringCase(it->form, args[0]) ||
                                 EqualsIgnoringCase(it->caption, args[0])))
        dialog = render::Dialog{it->looks.back()};
    if (!dialog) error = "no dialog '" + args[0] + "' is open or has been shown";
  }
  if (!dialog) return 2;
  return Write(ScreenRenderer().DialogImage(*dialog), file, out, error);
}

int ShowReminders(Driver& d, const std::vector<std::string>& words, std::ostream& out,
                  std::string& error) {
  std::vector<std::string> args = words;
  std::string file;
  if (!TakePngFile(args, file, error)) return 2;
  if (!args.empty()) return 2;
  sim::SimOutlook* outlook = d.world().outlook;
  WindowHandle window = outlook ? outlook->reminders().window() : 0;
  auto image = window ? ScreenRenderer().Window(d.world(), window) : std::nullopt;
  if (!image) {
    error = "the Reminders window is not open (no reminder has come)";
    return 2;
  }
  return Write(*image, file, out, error);
}

// "03-a-note-is-stored-as" for step 3, "-- A note is stored as an item ... --":
// the number and the title's first five words, in lower case.
std::string PictureName(int number, const std::string& title) {
  char name[8];
  std::snprintf(name, sizeof name, "%02d", number);
  std::string out = name;
  std::string word;
  int words = 0;
  for (size_t i = 0; i <= title.size() && words < 5; ++i) {
    unsigned char c = i < title.size() ? static_cast<unsigned char>(title[i]) : ' ';
    if (std::isalnum(c)) {
      word += static_cast<char>(std::tolower(c));
    } else if (!word.empty()) {
      out += "-" + word;
      word.clear();
      ++words;
    }
  }
  return out + ".png";
}

// Gives the text command `name`, when another area has it, the picture
// form `picture` for the arguments with --png; registers the picture
// command alone otherwise.
void AddPictureForm(std::map<std::string, Command>& c, const std::string& name,
                    Command picture) {
  auto it = c.find(name);
  if (it == c.end()) {
    c[name] = std::move(picture);
    return;
  }
  Command& text = it->second;
  text.usage += " | " + picture.usage;
  text.help += "; with --png FILE, " + picture.help;
  text.run = [text_run = text.run, picture_run = picture.run](
                 Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
    bool png = std::find(args.begin(), args.end(), "--png") != args.end();
    return png ? picture_run(d, args, out, error) : text_run(d, args, out, error);
  };
}

}  // namespace

const render::Renderer& ScreenRenderer() {
  static const render::Renderer renderer(
      {[](std::string_view key) { return LoadResPicture(key); }, HasNote});
  return renderer;
}

int RunTourWithPictures(Driver& driver, const std::string& script,
                        const std::string& folder, std::ostream& out, std::ostream& err) {
  std::error_code code;
  std::filesystem::create_directories(folder, code);
  if (code) {
    err << "pinlet: cannot make the folder " << folder << ": " << code.message() << "\n";
    return kBadCommand;
  }
  struct Step {
    int number = 0;
    std::string title;
    size_t forms = 0, boxes = 0;        // the dialogs shown before it began
    std::optional<render::Image> seen;  // the screen at its last show command
  } step;
  bool failed = false, after_show = false;
  sim::World& world = driver.world();
  auto draw = [&] {
    std::optional<render::Dialog> dialog;
    if (world.ui.modal_forms().size() > step.forms ||
        world.message_boxes.shown().size() > step.boxes)
      dialog = render::LastDialog(world);
    return ScreenRenderer().Screen(world, dialog ? &*dialog : nullptr);
  };
  auto finish = [&] {
    if (step.number == 0 || failed) return;
    render::Image image = step.seen ? std::move(*step.seen) : draw();
    std::string path =
        (std::filesystem::path(folder) / PictureName(step.number, step.title)).string();
    std::string error;
    if (!image.WritePng(path, error)) {
      err << "pinlet: " << error << "\n";
      failed = true;
      return;
    }
    out << "(picture " << path << ")\n";
  };
  auto before_line = [&](const std::vector<std::string>& words) {
    // The line after a show command sees the screen as that command did.
    if (after_show && step.number > 0) step.seen = draw();
    after_show = !words.empty() && words[0] == "show";
    if (words.size() != 2 || words[0] != "say" || words[1].rfind("-- ", 0) != 0) return;
    finish();
    step = {step.number + 1, words[1], world.ui.modal_forms().size(),
            world.message_boxes.shown().size(), std::nullopt};
  };
  std::istringstream in(script);
  int status = driver.RunScript(in, "demo", before_line);
  if (after_show && step.number > 0) step.seen = draw();
  finish();
  return failed ? kBadCommand : status;
}

void AddRenderCommands(std::map<std::string, Command>& c) {
  // Registered after the other areas: a text command of the same name
  // takes --png FILE as its picture form.
  AddPictureForm(
      c, "show screen",
      {"show screen --png FILE",
       "draw the whole screen, every window in z-order, as a PNG picture", ShowScreen});
  AddPictureForm(c, "show note",
                 {"show note [NAME] --png FILE",
                  "draw a note window (the front-most, or a form by name, caption or "
                  "handle) as a PNG picture",
                  ShowNote});
  AddPictureForm(c, "show explorer",
                 {"show explorer [N] --png FILE",
                  "draw Outlook's main window (the active one, or the Nth) as a PNG "
                  "picture",
                  ShowExplorer});
  AddPictureForm(c, "show dialog",
                 {"show dialog [NAME|message] --png FILE",
                  "draw the dialog or message box shown last (or the form NAME, or "
                  "the last message box) as a PNG picture",
                  ShowDialog});
  AddPictureForm(c, "show reminders",
                 {"show reminders --png FILE",
                  "draw Outlook's Reminders window as a PNG picture", ShowReminders});
}

}  // namespace pinlet::app
