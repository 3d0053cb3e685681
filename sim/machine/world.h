// The simulated machine: every service of the platform with the records that
// tests and the pinlet command read.
//
// A World owns the registry, the mail store, the file system, the clock, the
// message boxes and common dialogs with their scripted answers, the shell,
// the window manager, the forms and their controls, the support library
// stand-in, the MAPI helper libraries and the sharing product's stand-in,
// plus one fault injector that every simulated call goes through.
// Its files start with the folders of a Windows XP machine with one user
// ("User"): the profile under C:\Documents and Settings with its temporary
// folder, and the add-in's install and user folders. Hosts (sim_outlook.h,
// host_session.h) run on a World; nothing here is global, so tests can keep several.
#ifndef PINLET_SIM_MACHINE_WORLD_H_
#define PINLET_SIM_MACHINE_WORLD_H_

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "sim/machine/fault_injector.h"
#include "sim/machine/item_object.h"
#include "sim/machine/mail_store.h"
#include "sim/machine/sim_clipboard.h"
#include "sim/machine/sim_dialogs.h"
#include "sim/machine/sim_files.h"
#include "sim/machine/sim_graphics.h"
#include "sim/machine/sim_message_boxes.h"
#include "sim/machine/sim_registry.h"
#include "sim/machine/sim_sharing.h"
#include "sim/machine/sim_shell.h"
#include "sim/machine/sim_support_library.h"
#include "sim/machine/sim_ui.h"
#include "sim/machine/sim_windows.h"

namespace pinlet::sim {

class SimOutlook;
class SimWord;

class SimClock : public Clock {
 public:
  explicit SimClock(FaultInjector* faults) : faults_(faults) {}
  // Raises when the fault injector says so (name "Now").
  Date Now() override;
  // The simulated machine's own reading, not a call of the add-in's.
  Date now() const { return now_; }
  void Set(Date now) { now_ = now; }
  void AdvanceSeconds(double seconds) { now_ = Date(now_.value() + seconds / 86400.0); }

 private:
  FaultInjector* faults_;
  Date now_ = Date::FromParts(2026, 12, 7, 9, 0, 0);
};

class World {
 public:
  World();
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // What the installer does: "InstDir" and "MyDir" under the add-in's key,
  // the two folders, the view file beside the program and the help pages
  // in its help folder (sim_support_library.h).
  void Install(std::string_view view_file_content);
  // Makes the machine's files a host's (SimFileSystem::UseHostFiles), with
  // the folders of the machine's user made there. `host` must outlive the
  // world.
  void UseHostFiles(FileSystem* host);
  // Makes the machine's clipboard a host's (SimClipboard::UseHostClipboard).
  // `host` must outlive the world.
  void UseHostClipboard(Clipboard* host);
  // The services bundle handed to an add-in instance running on this world.
  Platform platform();
  // Sets whether the support library and the MAPI helper libraries are
  // installed; loading a missing one raises error 429.
  void set_support_installed(bool on) { support_installed_ = on; }

  FaultInjector faults;
  SimRegistry registry{&faults};
  SimMessageBoxes message_boxes{this};
  SimWindowManager windows{&faults};
  SimFileSystem files{&faults};
  SimClipboard clipboard{&faults};
  SimGraphics graphics{&faults};
  SimClock clock{&faults};
  SimShell shell{this};
  SimDialogs dialogs{this};
  // Forms, controls and timers; after the window manager, the clipboard and
  // the clock, which it uses.
  SimUi ui{this};
  MailStore store;
  // The item-sharing product, installed or not (not until Install).
  SimSharing sharing{this};
  // The Outlook profile's name, as the namespace and the helper libraries
  // answer it.
  std::string profile_name = "Outlook";
  std::string install_dir = "C:\\Program Files\\Zarvo\\Pinlet\\";
  std::string user_dir =
      "C:\\Documents and Settings\\User\\Application Data\\Zarvo\\Pinlet\\";
  std::shared_ptr<SimSupportLibrary> support;
  std::unique_ptr<ComObjectFactory> objects;
  // Defects of the add-in the host had to stop (an exception that reached
  // the host, a message box or dialog that nobody answered, ...); always
  // empty for a sound add-in. See boundary.h.
  const std::vector<std::string>& defects() const { return defects_; }
  void RecordDefect(std::string what) { defects_.push_back(std::move(what)); }
  void ClearDefects() { defects_.clear(); }
  // Each of Outlook's Reply, Reply to All and Forward as the user got it,
  // kept by SimOutlook for the failure sweep: the files Outlook's answer
  // held, and the mail windows shown after it that no call of the add-in's
  // closed unsaved (Outlook's answer itself, or a mail made in its place),
  // as the item objects the windows show, with their unsaved changes.
  struct Answer {
    std::vector<AttachmentNode> files;
    std::vector<std::shared_ptr<ItemObject>> kept;
  };
  std::vector<Answer> answers;
  // The Outlook running on this world, if any (set by SimOutlook).
  SimOutlook* outlook = nullptr;
  // The Word running on this world as Outlook's e-mail editor (set by SimWord).
  SimWord* word = nullptr;

 private:
  // The folders of a Windows XP machine with one user (see the top).
  void MakeMachineFolders();

  bool support_installed_ = true;
  std::vector<std::string> defects_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_WORLD_H_
