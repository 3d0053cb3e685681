// The simulated machine's stand-in for the maker's support library
// (LibZarvo.dll): it logs to a file in the user's folder, shows the about
// box as a modal form and opens the help pages of the install folder, as
// platform/support_library_texts.h describes them for both of the
// library's sides.
//
// Each call of the add-in's passes the fault injector first, under its
// export's name ("LibZarvoShowAbout"), and is then recorded (one record a
// call, as platform/support_calls.h formats them). What the library then
// does is the machine's own work, not calls of the add-in's: the about box,
// its controls, the shell and the message box are neither counted nor
// failed. The about box and the missing page's message box are answered
// like any modal form and message box (sim_ui.h, sim_message_boxes.h): one
// nobody answered is a defect of the run. So is anything the library's own
// code lets escape: it is stopped at the library's edge and recorded, never
// handed to the add-in, which would take it for a failed call.
#ifndef PINLET_SIM_MACHINE_SIM_SUPPORT_LIBRARY_H_
#define PINLET_SIM_MACHINE_SIM_SUPPORT_LIBRARY_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/support_library.h"

namespace pinlet::sim {

class SimFileSystem;
class World;

// A help page the installer puts into the install folder's help folder: its
// file name and its title.
struct HelpPage {
  std::string_view file;
  std::string_view title;
};
// Every help page Pinlet ships: the index first, then the four it links.
const std::vector<HelpPage>& ShippedHelpPages();
// What the installer puts into the help folder of `install_dir` (which ends
// in "\"): every shipped page, as a short page that holds its title.
void InstallHelpPages(SimFileSystem& files, std::string_view install_dir);

class SimSupportLibrary : public SupportLibrary {
 public:
  // A library of the machine `world` (which must outlive it), logging to
  // the file `log_path`.
  SimSupportLibrary(World* world, std::string log_path)
      : world_(world), log_path_(std::move(log_path)) {}

  // Records the call, after calling `quick_start` back.
  int32_t Init(int32_t module, int32_t kind, std::shared_ptr<HostApplication> app,
               int32_t version, std::function<int32_t()> quick_start) override;
  // Records the call and appends its line to the log.
  int32_t LogMsg(int32_t module, std::string_view description, int32_t number,
                 std::string_view tag, int32_t level, int32_t flag) override;
  // Records the call, then shows the about box (design name "frmAbout")
  // modally over the active window: Help opens the help index and leaves
  // the box open, OK closes it. Returns when it is closed.
  int32_t ShowAbout(int32_t module) override;
  // Records the call, then opens help page `page` of the install folder
  // (OpenHelpPage).
  int32_t ShowContextHelp(int32_t module, std::string_view page) override;

  // --- The machine's side: not calls of the add-in's. ---

  // Opens `page` as the library does: the shell's "open" on the page's path
  // in the install folder's help folder when that file exists; otherwise
  // the message box that names the missing page, and nothing is opened.
  // True when the page was handed to the shell.
  bool OpenHelpPage(std::string_view page);

  // One record per call, as platform/support_calls.h formats them.
  const std::vector<std::string>& calls() const { return calls_; }
  // Records a call that a library outside the simulated machine took (the
  // stand-in beside the COM add-in), in the same form.
  void TakeRecord(std::string record) { calls_.push_back(std::move(record)); }
  const std::string& log_path() const { return log_path_; }
  int32_t module() const { return module_; }

 private:
  // Builds the about box, shows it and unloads it once it is closed.
  void RunAboutBox();

  World* world_;
  std::string log_path_;
  int32_t module_ = 0;
  std::vector<std::string> calls_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_SUPPORT_LIBRARY_H_
