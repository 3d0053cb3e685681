// The pinlet command's driver: a simulated Outlook on a mailbox, the add-in
// loaded the way the host loads it, and the commands that drive both.
//
// Every command writes what a user wants to see to the output and keeps it as
// the "previous output" that `expect` checks. Commands answer 0 when done, 1
// when an expectation failed and 2 for an unknown command or a bad argument,
// with a one-line message. With a mailbox or registry file the state is read
// at Open and written back at Close.
#ifndef PINLET_APP_DRIVER_H_
#define PINLET_APP_DRIVER_H_

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "addin/connect.h"
#include "platform/sim/host_session.h"
#include "platform/sim/world.h"

namespace pinlet::app {

struct DriverOptions {
  std::string mailbox_path;    // JSON mailbox kept between runs; "" = sample, not kept
  std::string registry_path;   // regedit text kept between runs; "" = fresh, not kept
  std::string view_file_path;  // the view file installed beside the program
};

class Driver;

struct Command {
  std::string usage;  // "registry get KEY NAME"
  std::string help;   // one line
  // Runs with the words after the command's name; writes to `out`; returns
  // 0, or 2 with `error` set for a bad argument.
  std::function<int(Driver&, const std::vector<std::string>&, std::ostream&,
                    std::string&)>
      run;
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
  // Stops the host if it runs and writes the files back.
  bool Close(std::string& error);

  // Runs one command line given as words. Returns 0, 1 (expectation failed)
  // or 2 (unknown command, bad argument); `message` explains a non-zero.
  int Execute(const std::vector<std::string>& words, std::string& message);
  // Runs a scenario; `name` is used in messages. Stops at the first failing
  // line and returns its status.
  int RunScript(std::istream& in, const std::string& name);

  // The commands by name ("start", "registry get", "show log"); a line's
  // first two words are tried before its first word.
  static const std::map<std::string, Command>& Commands();

  sim::World& world() { return *world_; }
  sim::HostSession* session() { return session_.get(); }
  std::shared_ptr<Connect> addin() const;
  // Starts the host; false with `error` when it already runs.
  bool StartHost(sim::HostOptions options, std::string& error);
  bool StopHost(std::string& error);
  // Text of the host's state for `start` and `show addin`.
  void DescribeAddin(std::ostream& out);

 private:
  std::ostream& out_;
  std::ostream& err_;
  DriverOptions options_;
  std::unique_ptr<sim::World> world_;
  std::unique_ptr<sim::HostSession> session_;
  std::string previous_output_;
};

// The commands of each area, merged by Driver::Commands.
void AddHostCommands(std::map<std::string, Command>& commands);
void AddStoreCommands(std::map<std::string, Command>& commands);
void AddUiCommands(std::map<std::string, Command>& commands);

}  // namespace pinlet::app

#endif  // PINLET_APP_DRIVER_H_
