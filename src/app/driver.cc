#include "app/driver.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>

#include "addin/outlook_connect.h"
#include "app/addin_factory.h"
#include "app/script.h"
#include "platform/sim/mailbox_json.h"
#include "platform/sim/real_files.h"
#include "platform/sim/sample_mailbox.h"

namespace pinlet::app {

Driver::Driver(std::ostream& out, std::ostream& err, DriverOptions options)
    : out_(out),
      err_(err),
      options_(std::move(options)),
      world_(std::make_unique<sim::World>()) {}

Driver::~Driver() {
  std::string ignored;
  if (session_) StopHost(ignored);
}

const std::map<std::string, Command>& Driver::Commands() {
  static const std::map<std::string, Command> kCommands = [] {
    std::map<std::string, Command> commands;
    AddHostCommands(commands);
    AddStoreCommands(commands);
    AddUiCommands(commands);
    return commands;
  }();
  return kCommands;
}

bool Driver::Open(std::string& error) {
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
    world_->files.WriteFile(world_->install_dir + "PNX.xml", view_file);
  }
  return true;
}

bool Driver::Close(std::string& error) {
  if (session_ && !StopHost(error)) return false;
  if (!options_.mailbox_path.empty() &&
      !sim::SaveMailbox(world_->store, options_.mailbox_path, &error))
    return false;
  if (!options_.registry_path.empty() &&
      !world_->registry.Save(options_.registry_path, &error))
    return false;
  return true;
}

std::shared_ptr<Connect> Driver::addin() const {
  return session_ ? std::dynamic_pointer_cast<Connect>(session_->addin()) : nullptr;
}

bool Driver::StartHost(sim::HostOptions options, std::string& error) {
  if (session_) {
    error = "the host is already running; stop it first";
    return false;
  }
  session_ = std::make_unique<sim::HostSession>(
      world_.get(), [](const Platform& p) { return CreatePinletAddin(p); },
      std::move(options));
  session_->Start();
  return true;
}

bool Driver::StopHost(std::string& error) {
  if (!session_) {
    error = "the host is not running";
    return false;
  }
  session_->Stop();
  session_.reset();
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
  if (auto outlook = session_->outlook())
    out << "windows: " << outlook->explorers().size() << " main, "
        << outlook->inspectors().size() << " item\n";
  std::string active = "Default";
  for (auto& [key, connector] : connect->GetConnectors())
    if (key != "Default" && connector->IsInitialized()) active = key;
  out << "connector: " << active << "\n";
  AddinContext& ctx = connect->context();
  auto size = [](const auto& list) {
    return list ? std::to_string(list->size()) : std::string("none");
  };
  out << "note windows: " << size(ctx.note_windows) << "\n";
  out << "reply/forward objects: " << size(ctx.reply_forwards) << "\n";
  out << "item-window wrappers: " << size(ctx.inspector_wrappers) << "\n";
  out << "support library: " << (ctx.support ? "loaded" : "not loaded") << "\n";
  for (const std::string& defect : world_->defects()) out << "DEFECT: " << defect << "\n";
}

int Driver::Execute(const std::vector<std::string>& words, std::string& message) {
  if (words.empty()) return 0;
  if (words[0] == "expect") {
    bool negate = words.size() == 3 && words[1] == "not";
    if (words.size() != 2 && !negate) {
      message = "usage: expect [not] \"TEXT\"";
      return 2;
    }
    const std::string& text = words.back();
    bool found = previous_output_.find(text) != std::string::npos;
    if (found == negate) {
      message = negate ? "expect failed: the output contains \"" + text + "\""
                       : "expect failed: the output does not contain \"" + text + "\"";
      return 1;
    }
    return 0;
  }
  size_t used = 2;
  auto it =
      words.size() >= 2 ? Commands().find(words[0] + " " + words[1]) : Commands().end();
  if (it == Commands().end()) {
    it = Commands().find(words[0]);
    used = 1;
  }
  if (it == Commands().end()) {
    message = "unknown command (see pinlet --help)";
    return 2;
  }
  std::ostringstream output;
  std::vector<std::string> args(words.begin() + used, words.end());
  int status = it->second.run(*this, args, output, message);
  if (status == 2 && message.empty()) message = "usage: " + it->second.usage;
  previous_output_ = output.str();
  out_ << previous_output_;
  return status;
}

int Driver::RunScript(std::istream& in, const std::string& name) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::vector<std::string> words;
    std::string message;
    if (!SplitWords(line, words, message)) {
      out_.flush();
      err_ << "pinlet: " << name << ":" << number << ": " << message << "\n";
      return 2;
    }
    if (words.empty()) continue;
    int status = Execute(words, message);
    if (status != 0) {
      out_.flush();
      err_ << "pinlet: " << name << ":" << number << ": " << words[0] << ": " << message
           << "\n";
      return status;
    }
  }
  return 0;
}

}  // namespace pinlet::app
