// The pinlet command's driver: a simulated Outlook on a mailbox, the add-in
// loaded the way the host loads it, and the commands that drive both.
//
// Every command writes what a user wants to see to the output and keeps it as
// the "previous output" that `expect` checks. A command answers 0 when done,
// 1 when an expectation failed, 2 for an unknown command, a bad argument or a
// failure of the host, and 3 when a defect of the add-in was recorded (an
// exception reached the host, a dialog nobody answered): each non-zero with a
// one-line message. No command lets an exception end the process. With a
// mailbox or registry file the state is read at Open and written back at
// Close, whatever the commands answered.
#ifndef PINLET_SIM_APP_DRIVER_H_
#define PINLET_SIM_APP_DRIVER_H_

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "addin/connect.h"
#include "sim/app/form_surface.h"
#include "sim/machine/host_session.h"
#include "sim/machine/world.h"

namespace pinlet::app {

// How the add-in is loaded into the simulated host. Linked in (the default)
// it runs on the simulated machine's services. Another loading (the COM
// add-in under its test host) creates the add-in its own way and keeps the
// simulated machine in step with the real services that add-in uses.
class AddinLoading {
 public:
  virtual ~AddinLoading() = default;
  // Readies `world` before anything is read into it. False with `error` when
  // the add-in cannot be loaded this way here.
  virtual bool Prepare(sim::World& world, std::string& error) = 0;
  // The add-in a host session creates for "Pinlet.Connect" on `world`.
  virtual std::shared_ptr<IDTExtensibility2> Create(sim::World& world,
                                                    const Platform& platform) = 0;
  // Called before and after each command. AfterCommand answers "" or why
  // what the command asked of the add-in cannot be done this way yet (it
  // needed a service the loading does not offer); the script is then skipped
  // from that line on.
  virtual void BeforeCommand(sim::World& world) = 0;
  virtual std::string AfterCommand(sim::World& world) = 0;
  // Brings the world up to date before its files are saved.
  virtual void Finish(sim::World& world) = 0;
  // Brings the world up to date with what the add-in changed on the real
  // machine so far, for a command that reads it right after the add-in
  // acted (AfterCommand does so after every command anyway).
  virtual void Refresh(sim::World&) {}
  // The surface of the forms an add-in loaded this way shows; nullptr when
  // they are the simulated machine's. Owned by the loading.
  virtual FormSurface* forms() { return nullptr; }
};

// The helper libraries installed on the simulated machine. One that is not
// cannot be created (error 429), as where it was never installed: Redemption
// is installed on its own, and CDO 1.21 is an optional part of Office XP and
// 2003 that their setup leaves out by default.
struct Libraries {
  bool redemption = true;
  bool cdo = true;
};
// Leaves out the library `name` ("redemption" or "cdo"); "none" installs
// both again. False for any other name.
bool LeaveOutLibrary(std::string_view name, Libraries& libraries);

struct DriverOptions {
  std::string mailbox_path;    // JSON mailbox kept between runs; "" = sample, not kept
  std::string registry_path;   // regedit text kept between runs; "" = fresh, not kept
  std::string view_file_path;  // the view file installed beside the program
  bool keep_files = true;      // write the files back at Close
  // The libraries of every start; a start's own --without leaves out more.
  Libraries libraries{};
  // How the add-in is loaded; nullptr links it in.
  std::shared_ptr<AddinLoading> loading = nullptr;
  // The Outlook every start runs unless it names one: "10" (Outlook 2002)
  // or "11" (2003); "" keeps the simulated Outlook's own (2003).
  std::string outlook_version = "";
};

class Driver;

// Exit statuses of commands and runs.
constexpr int kDone = 0;
constexpr int kExpectationFailed = 1;
constexpr int kBadCommand = 2;
constexpr int kDefect = 3;
// The command cannot be done with the add-in loaded as it is (a command that
// reaches into the linked-in add-in's objects, or work that needs a service
// the loading does not offer yet): a script stops there, skipped, not failed.
constexpr int kSkipped = 4;
// A command's answer, never a run's status: the user's action was refused by
// the screen (a disabled or hidden control or bar entry, a form not shown).
// The line prints "refused: " and the reason, and the run goes on.
constexpr int kRefused = 5;

struct Command {
  std::string usage;  // "registry get KEY NAME"
  std::string help;   // one line
  // Runs with the words after the command's name; writes to `out`; returns
  // 0, or 2 with `error` set for a bad argument, or kRefused with `error`
  // set when the screen refused what the user did.
  std::function<int(Driver&, const std::vector<std::string>&, std::ostream&,
                    std::string&)>
      run;
  // The command drives the add-in: run alone (not in a script), it starts
  // Outlook for itself and stops it afterwards.
  bool needs_host = false;
};

class Driver {
 public:
  // Output goes to `out`, messages about failing lines to `err`.
  Driver(std::ostream& out, std::ostream& err, DriverOptions options);
  ~Driver();

  // Builds the world from the files (or the sample mailbox and a fresh
  // registry) and installs the add-in's files. False with `error` when a
  // file is malformed; nothing is half-read.
  bool Open(std::string& error);
  // Stops the host if it runs and writes the files back (unless told not to).
  bool Close(std::string& error);

  // Runs one command line given as words. Returns a status above; `message`
  // explains a non-zero one and `name` (when given) receives the command's
  // whole name ("show item").
  int Execute(const std::vector<std::string>& words, std::string& message,
              std::string* name = nullptr);
  // Runs one command given on the command line; a command that drives the
  // add-in gets Outlook started before and stopped after it.
  int RunOneShot(const std::vector<std::string>& words);
  // Runs a scenario; `name` is used in messages. Stops at the first failing
  // line and returns its status. `before_line`, when given, hears the words
  // of each command line just before it runs.
  using LineHook = std::function<void(const std::vector<std::string>& words)>;
  int RunScript(std::istream& in, const std::string& name,
                const LineHook& before_line = nullptr);
  // Runs commands typed at a prompt until the input ends; each command's
  // output appears as it runs. Returns 0.
  int RunShell(std::istream& in, std::ostream& prompt);

  // For the failure sweep: run every line whatever the previous ones
  // answered, and skip the expectations (a failing host call changes what
  // the commands print, which is not what the sweep checks).
  void set_sweep_mode(bool on) { sweep_mode_ = on; }
  // The keys of the note windows (their item's EntryID) the user typed
  // into, for the sweep to tell a note typed into from one never begun.
  const std::set<std::string>& typed_notes() const { return typed_notes_; }
  void NoteTypedInto(std::string key) { typed_notes_.insert(std::move(key)); }

  // The commands by name ("start", "registry get", "show log"); a line's
  // first two words are tried before its first word.
  static const std::map<std::string, Command>& Commands();

  sim::World& world() { return *world_; }
  // The add-in's forms, as the loading shows them.
  FormSurface& forms();
  // The world up to date with what the add-in changed on a machine of the
  // loading's (AddinLoading::Refresh); nothing to do linked in.
  void RefreshWorld() {
    if (options_.loading) options_.loading->Refresh(*world_);
  }
  sim::HostSession* session() { return session_.get(); }
  // The running add-in when it is linked in; nullptr when the host is not
  // running or the add-in is loaded another way.
  std::shared_ptr<Connect> addin() const;
  // Whether the add-in is linked in (its objects can be looked into).
  bool linked_in() const { return !options_.loading; }
  // The libraries the run's options install (DriverOptions::libraries).
  const Libraries& run_libraries() const { return options_.libraries; }
  // For a command that looks into the add-in's own objects: the linked-in
  // add-in, or nullptr with `error` set and kSkipped in `*status` when it is
  // loaded another way (`why` says why the command needs it linked in; a
  // general reason when empty), or kBadCommand when the host is not running.
  std::shared_ptr<Connect> LinkedAddin(std::string& error, int* status,
                                       std::string_view why = "") const;
  // Starts the host; false with `error` when it already runs.
  // Starts the host on a machine with `libraries` (the run's when nullptr).
  bool StartHost(sim::HostOptions options, std::string& error,
                 const Libraries* libraries = nullptr);
  bool StopHost(std::string& error);
  // Word as Outlook's e-mail editor, beside the running Outlook, with its own
  // instance of the add-in; stopped with the host. False with `error` when
  // Outlook is not running or Word already is.
  bool StartWord(std::string& error);
  sim::HostSession* word_session() { return word_session_.get(); }
  // Text of the host's and the linked-in add-in's state for `show addin`.
  void DescribeAddin(std::ostream& out);
  // Runs `call`, an entry point of the add-in that a command drives, at the
  // host boundary: whatever it lets escape is recorded as a defect.
  void CallAddin(std::string_view entry, const std::function<void()>& call);

 private:
  const Command* Find(const std::vector<std::string>& words, size_t& used,
                      std::string& name) const;
  // What a host session creates for the add-in, as the loading says.
  sim::HostSession::AddInFactory AddinFactory();
  // The explorer tracker's wrappers, one line each, for `show addin`.
  void DescribeExplorerSide(Connect& connect, std::ostream& out);

  std::ostream& out_;
  std::ostream& err_;
  DriverOptions options_;
  std::unique_ptr<sim::World> world_;
  std::unique_ptr<sim::HostSession> session_;
  std::unique_ptr<sim::HostSession> word_session_;
  std::unique_ptr<FormSurface> sim_forms_;
  std::string previous_output_;
  bool sweep_mode_ = false;
  std::set<std::string> typed_notes_;
};

// The connector `key` of the add-in loaded by `session`'s host, as another
// host's code finds it: through the host's COM add-in entry
// "Pinlet.Connect", its Object's GetConnectors; nullptr when there is none.
// Looking is not a call of the add-in's: it neither counts nor fails.
std::shared_ptr<AddInConnector> PublishedConnector(sim::World& world,
                                                   sim::HostSession& session,
                                                   std::string_view key);
// Whether that connector is initialised.
bool ConnectorInitialized(sim::World& world, sim::HostSession& session,
                          std::string_view key);

// The commands of each area, merged by Driver::Commands.
void AddHostCommands(std::map<std::string, Command>& commands);
void AddStoreCommands(std::map<std::string, Command>& commands);
void AddMoveCommands(std::map<std::string, Command>& commands);
void AddDialogCommands(std::map<std::string, Command>& commands);
void AddUiCommands(std::map<std::string, Command>& commands);
void AddSharingCommands(std::map<std::string, Command>& commands);
void AddNoteCommands(std::map<std::string, Command>& commands);
void AddExplorerCommands(std::map<std::string, Command>& commands);
void AddOptionsCommands(std::map<std::string, Command>& commands);
void AddAttachmentCommands(std::map<std::string, Command>& commands);
void AddInspectorCommands(std::map<std::string, Command>& commands);
void AddPrintCommands(std::map<std::string, Command>& commands);
void AddMenuCommands(std::map<std::string, Command>& commands);
// Registered last: a text command of the same name takes --png FILE as its
// picture form. A build without the renderer registers nothing here.
void AddRenderCommands(std::map<std::string, Command>& commands);

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_DRIVER_H_
