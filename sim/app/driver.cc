#include "sim/app/driver.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>

#include "addin/outlook_connect.h"
#include "sim/app/script.h"
#include "assembly/addin_factory.h"
#include "assembly/published_state.h"
#include "platform/addin_object.h"
#include "sim/machine/boundary.h"
#include "sim/machine/mailbox_json.h"
#include "sim/machine/real_files.h"
#include "sim/machine/sample_mailbox.h"
#include "sim/machine/sim_mapi_helpers.h"

namespace pinlet::app {

Driver::Driver(std::ostream& out, std::ostream& err, DriverOptions options)
    : out_(out),
      err_(err),
      options_(std::move(options)),
      world_(std::make_unique<sim::World>()),
      sim_forms_(MakeSimFormSurface(*this)) {
  world_->faults.set_logging(true);
}

Driver::~Driver() {
  std::string ignored;
  if (session_) StopHost(ignored);
}

const std::map<std::string, Command>& Driver::Commands() {
  static const std::map<std::string, Command> kCommands = [] {
    std::map<std::string, Command> commands;
    AddHostCommands(commands);
    AddStoreCommands(commands);
    AddMoveCommands(commands);
    AddDialogCommands(commands);
    AddUiCommands(commands);
    AddSharingCommands(commands);
    AddNoteCommands(commands);
    AddExplorerCommands(commands);
    AddOptionsCommands(commands);
    AddAttachmentCommands(commands);
    AddInspectorCommands(commands);
    AddPrintCommands(commands);
    AddMenuCommands(commands);
    AddRenderCommands(commands);
    return commands;
  }();
  return kCommands;
}

bool Driver::Open(std::string& error) {
  if (options_.loading && !options_.loading->Prepare(*world_, error)) return false;
  if (!options_.registry_path.empty() &&
      std::filesystem::exists(options_.registry_path)) {
    if (!world_->registry.Load(options_.registry_path, &error)) return false;
  }
  if (!options_.mailbox_path.empty() && std::filesystem::exists(options_.mailbox_path)) {
    if (!sim::LoadMailbox(options_.mailbox_path, world_->store, &error)) return false;
  } else {
    sim::BuildSampleMailbox(world_->store, world_->clock.now());
  }
  // The view file beside the program; without it the notes folder gets
  // only Outlook's standard views.
  std::string view_file;
  if (!options_.view_file_path.empty())
    sim::ReadWholeFile(options_.view_file_path, view_file, nullptr);
  // What the installer leaves: the folders under the add-in's key and the view file.
  if (!world_->registry.QueryValue("Software\\Zarvo\\Pinlet", "InstDir")) {
    world_->Install(view_file);
  } else if (!view_file.empty()) {
    world_->files.Store(world_->install_dir + "PNX.xml", view_file);
  }
  return true;
}

bool Driver::Close(std::string& error) {
  if (session_ && !StopHost(error)) return false;
  if (options_.loading) options_.loading->Finish(*world_);
  if (!options_.keep_files) return true;
  // Each file is saved on its own: one that cannot be saved keeps its old
  // content and does not keep the other from being saved.
  std::string mailbox_error, registry_error;
  bool mailbox = options_.mailbox_path.empty() ||
                 sim::SaveMailbox(world_->store, options_.mailbox_path, &mailbox_error);
  bool registry = options_.registry_path.empty() ||
                  world_->registry.Save(options_.registry_path, &registry_error);
  error = mailbox_error + (!mailbox && !registry ? "; " : "") + registry_error;
  return mailbox && registry;
}

FormSurface& Driver::forms() {
  FormSurface* loaded = options_.loading ? options_.loading->forms() : nullptr;
  return loaded ? *loaded : *sim_forms_;
}

std::shared_ptr<Connect> Driver::addin() const {
  if (!session_ || options_.loading) return nullptr;
  return std::dynamic_pointer_cast<Connect>(session_->addin());
}

std::shared_ptr<Connect> Driver::LinkedAddin(std::string& error, int* status,
                                             std::string_view why) const {
  if (options_.loading) {
    error = why.empty() ? "this looks into the add-in's own objects, which only a "
                          "linked-in add-in shows"
                        : std::string(why);
    *status = kSkipped;
    return nullptr;
  }
  auto connect = addin();
  if (!connect) {
    error = "Outlook must be running with Pinlet loaded (start)";
    *status = kBadCommand;
  }
  return connect;
}

sim::HostSession::AddInFactory Driver::AddinFactory() {
  if (!options_.loading)
    return [](const Platform& p) { return assembly::CreatePinletAddin(p); };
  return [loading = options_.loading, world = world_.get()](const Platform& p) {
    return loading->Create(*world, p);
  };
}

bool LeaveOutLibrary(std::string_view name, Libraries& libraries) {
  if (name == "redemption") {
    libraries.redemption = false;
  } else if (name == "cdo") {
    libraries.cdo = false;
  } else if (name == "none") {
    libraries = Libraries();
  } else {
    return false;
  }
  return true;
}

bool Driver::StartHost(sim::HostOptions options, std::string& error,
                       const Libraries* libraries) {
  if (session_) {
    error = "the host is already running; stop it first";
    return false;
  }
  if (options.outlook_version.empty())
    options.outlook_version = sim::OutlookVersionText(options_.outlook_version);
  const Libraries& installed = libraries ? *libraries : options_.libraries;
  if (auto* objects = dynamic_cast<sim::SimObjectFactory*>(world_->objects.get())) {
    objects->redemption_installed = installed.redemption;
    objects->cdo_installed = installed.cdo;
  }
  session_ = std::make_unique<sim::HostSession>(world_.get(), AddinFactory(),
                                                std::move(options));
  session_->Start();
  return true;
}

bool Driver::StopHost(std::string& error) {
  if (!session_) {
    error = "the host is not running";
    return false;
  }
  if (word_session_) word_session_->Stop();
  word_session_.reset();
  session_->Stop();
  session_.reset();
  return true;
}

bool Driver::StartWord(std::string& error) {
  if (!session_ || !session_->outlook()) {
    error = "Outlook must be running (start)";
    return false;
  }
  if (word_session_) {
    error = "Word is already running";
    return false;
  }
  session_->outlook()->set_word_mail_editor(true);
  word_session_ = std::make_unique<sim::HostSession>(
      world_.get(), AddinFactory(), sim::HostOptions{.host_name = "Microsoft Word"});
  word_session_->Start();
  return true;
}

void Driver::DescribeAddin(std::ostream& out) {
  auto connect = addin();
  if (!connect) {
    out << "host: not running\n";
    return;
  }
  // Looking is not a call of the add-in's: it neither counts nor fails.
  sim::FaultInjector::Pause pause(world_->faults);
  std::string name = session_->application()->Name();
  out << "host: " << name << "\n";
  if (auto outlook = session_->outlook()) {
    int major = outlook->major_version();
    out << "version: " << outlook->Version()
        << (major == 10   ? " (Outlook 2002)"
            : major == 11 ? " (Outlook 2003)"
                          : "")
        << "\n";
  }
  if (auto outlook = session_->outlook())
    out << "windows: " << outlook->explorers().size() << " main, "
        << outlook->inspectors().size() << " item\n";
  std::string active = "Default";
  for (auto& [key, connector] : connect->connectors().entries())
    if (key != "Default" && connector->IsInitialized()) active = key;
  out << "connector: " << active << "\n";
  AddinContext& ctx = connect->context();
  auto size = [](const auto& list) {
    return list ? std::to_string(list->size()) : std::string("none");
  };
  // The lists exist only while the Outlook connector is connected.
  if (ctx.note_windows && !ctx.note_windows->empty())
    out << "note windows: " << ctx.note_windows->size() << "\n";
  if (ctx.reply_forwards)
    out << "reply/forward objects: " << size(ctx.reply_forwards) << "\n";
  if (ctx.inspector_wrappers)
    out << "item-window wrappers: " << size(ctx.inspector_wrappers) << "\n";
  DescribeExplorerSide(*connect, out);
  out << "support library: " << (ctx.support ? "loaded" : "not loaded") << "\n";
}

void Driver::DescribeExplorerSide(Connect& connect, std::ostream& out) {
  std::optional<std::vector<assembly::ExplorerFacts>> explorers =
      assembly::ExplorerFactsOf(connect);
  if (!explorers) {
    AddinContext& ctx = connect.context();
    if (ctx.outlook_connector && ctx.outlook_connector->IsInitialized())
      out << "explorer side: shut down\n";
    return;
  }
  std::shared_ptr<sim::SimOutlook> outlook = session_->outlook();
  for (const assembly::ExplorerFacts& facts : *explorers) {
    size_t window = 0;
    if (outlook)
      for (size_t i = 0; i < outlook->explorers().size(); ++i)
        if (facts.explorer.get() == outlook->explorers()[i].get()) window = i + 1;
    out << "explorer " << facts.id << " wraps main window " << window
        << (facts.active ? " (the active explorer)" : "")
        << ": " << (facts.toolbar_built ? "toolbar built" : "no toolbar yet") << ", "
        << (facts.menus_added ? "menus added" : "no menus yet") << "\n";
  }
}

std::shared_ptr<AddInConnector> PublishedConnector(sim::World& world,
                                                   sim::HostSession& session,
                                                   std::string_view key) {
  sim::FaultInjector::Pause pause(world.faults);
  return TryGet([&]() -> std::shared_ptr<AddInConnector> {
    std::shared_ptr<HostApplication> app = session.application();
    if (!app) return nullptr;
    std::shared_ptr<AddInObject> object =
        Must(Must(app->GetCOMAddIns()).Item(sim::kPinletProgId)).Object();
    return object ? Must(object->GetConnectors()).Item(key) : nullptr;
  });
}

bool ConnectorInitialized(sim::World& world, sim::HostSession& session,
                          std::string_view key) {
  std::shared_ptr<AddInConnector> connector = PublishedConnector(world, session, key);
  sim::FaultInjector::Pause pause(world.faults);
  return connector && TryGet([&] { return connector->IsInitialized(); });
}

void Driver::CallAddin(std::string_view entry, const std::function<void()>& call) {
  sim::CallAtBoundary(*world_, entry, call);
}

const Command* Driver::Find(const std::vector<std::string>& words, size_t& used,
                            std::string& name) const {
  if (words.size() >= 2) {
    auto it = Commands().find(words[0] + " " + words[1]);
    if (it != Commands().end()) {
      used = 2;
      name = it->first;
      return &it->second;
    }
  }
  auto it = Commands().find(words[0]);
  used = 1;
  name = words[0];
  return it == Commands().end() ? nullptr : &it->second;
}

int Driver::Execute(const std::vector<std::string>& words, std::string& message,
                    std::string* name_out) {
  if (words.empty()) return kDone;
  std::string name;
  if (!name_out) name_out = &name;
  if (words[0] == "expect") {
    *name_out = "expect";
    bool negate = words.size() == 3 && words[1] == "not";
    if (words.size() != 2 && !negate) {
      message = "usage: expect [not] \"TEXT\"";
      return kBadCommand;
    }
    if (sweep_mode_) return kDone;
    const std::string& text = words.back();
    bool found = previous_output_.find(text) != std::string::npos;
    if (found == negate) {
      message = negate ? "expect failed: the output contains \"" + text + "\""
                       : "expect failed: the output does not contain \"" + text + "\"";
      return kExpectationFailed;
    }
    return kDone;
  }
  size_t used = 0;
  const Command* command = Find(words, used, *name_out);
  if (!command) {
    message = "unknown command (see pinlet --help)";
    return kBadCommand;
  }
  std::ostringstream output;
  std::vector<std::string> args(words.begin() + used, words.end());
  size_t defects_before = world_->defects().size();
  if (options_.loading) options_.loading->BeforeCommand(*world_);
  int status = kBadCommand;
  // A command is the host's side: a failure of the simulated host that it
  // did not expect ends the command, and a fault of the command itself is a
  // defect, never the end of the process.
  try {
    status = command->run(*this, args, output, message);
  } catch (const HostError& e) {
    message = "the host failed: " + e.description() + " (error " +
              std::to_string(e.number()) + ")";
    status = kBadCommand;
  } catch (const std::exception& e) {
    world_->RecordDefect("the command '" + *name_out + "' failed: " + e.what());
  }
  // The user's action is over: an answer queued for a dialog or box that
  // failed to appear in it is never given to one of a later action.
  world_->dialogs.DropHeldAnswers();
  world_->message_boxes.DropHeldAnswers();
  if (status == kBadCommand && message.empty()) message = "usage: " + command->usage;
  if (status == kRefused) {
    output << "refused: " << message << "\n";
    message.clear();
    status = kDone;
  }
  std::string needed = options_.loading ? options_.loading->AfterCommand(*world_) : "";
  if (world_->defects().size() > defects_before) {
    status = kDefect;
    message = "defect: " + world_->defects()[defects_before];
  }
  // What the command did after it needed what the loading cannot give is
  // not what was asked: whatever it answered, the line is skipped.
  if (!needed.empty()) {
    status = kSkipped;
    message = needed;
  }
  previous_output_ = output.str();
  // A skipped command's output is not shown: what it did is not what was
  // asked, and the script's output up to it stays comparable with a run
  // that could do it.
  if (!sweep_mode_ && status != kSkipped) out_ << previous_output_ << std::flush;
  return status;
}

int Driver::RunOneShot(const std::vector<std::string>& words) {
  size_t used = 0;
  std::string name;
  const Command* command = Find(words, used, name);
  std::string message;
  bool started = false;
  if (command && command->needs_host && !session_) {
    started = StartHost({}, message);
  }
  int status = Execute(words, message, &name);
  if (status != kDone) err_ << "pinlet: " << name << ": " << message << "\n";
  if (started) {
    std::string ignored;
    StopHost(ignored);
    if (status == kDone && !world_->defects().empty()) {
      err_ << "pinlet: stop: defect: " << world_->defects().front() << "\n";
      status = kDefect;
    }
  }
  return status;
}

int Driver::RunScript(std::istream& in, const std::string& name,
                      const LineHook& before_line) {
  std::string line;
  int number = 0;
  int result = kDone;
  while (std::getline(in, line)) {
    ++number;
    std::vector<std::string> words;
    std::string message;
    int status = kDone;
    std::string command;
    if (!SplitWords(line, words, message)) {
      status = kBadCommand;
    } else if (!words.empty()) {
      if (before_line) before_line(words);
      status = Execute(words, message, &command);
    }
    if (status == kDone) continue;
    if (sweep_mode_) {
      // Only a defect matters to the sweep; the run goes on.
      if (status == kDefect && result == kDone) result = status;
      continue;
    }
    out_.flush();
    err_ << "pinlet: " << name << ":" << number << ": "
         << (command.empty() ? "" : command + ": ")
         << (status == kSkipped ? "skipped: " : "") << message << "\n";
    return status;
  }
  return result;
}

int Driver::RunShell(std::istream& in, std::ostream& prompt) {
  std::string line;
  while (prompt << "pinlet> " << std::flush, std::getline(in, line)) {
    std::vector<std::string> words;
    std::string message, command;
    int status = kDone;
    if (!SplitWords(line, words, message)) {
      status = kBadCommand;
    } else if (!words.empty() && (words[0] == "exit" || words[0] == "quit")) {
      break;
    } else if (!words.empty()) {
      status = Execute(words, message, &command);
    }
    if (status != kDone)
      err_ << "pinlet: " << (command.empty() ? "" : command + ": ") << message << "\n";
  }
  prompt << "\n";
  return kDone;
}

}  // namespace pinlet::app
