// Fixtures for the host's interfaces across COM: a simulated Outlook on the
// sample mailbox whose objects are served as another module's, so that the
// test drives them through the clients, as the DLL drives Outlook.
//
// Every test ends with no served object alive and no event sink connected
// beyond those it started with, no defect recorded by the simulated host
// or the COM layer.
#ifndef PINLET_TESTS_COM_COM_FIXTURE_H_
#define PINLET_TESTS_COM_COM_FIXTURE_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/com_boundary.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/event_hub.h"
#include "platform/com/served_object.h"
#include "platform/host_error.h"
#include "sim/machine/host_session.h"
#include "sim/machine/sample_mailbox.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::com {

// A simulated Outlook on the sample mailbox with the add-in registered,
// logging the host calls.
struct SimHost {
  SimHost() {
    sim::BuildSampleMailbox(world.store, world.clock.now());
    outlook = std::make_shared<sim::SimOutlook>(
        &world, std::vector<std::string>{sim::kPinletProgId});
    world.faults.set_logging(true);
  }
  // The host calls made from call number `from` on: "Member target".
  std::vector<std::string> Calls(size_t from = 0) const {
    std::vector<std::string> calls;
    const auto& log = world.faults.calls();
    for (size_t i = from; i < log.size(); ++i)
      calls.push_back(std::string(log[i].member) + " " + log[i].target);
    return calls;
  }
  int64_t count() const { return world.faults.call_count(); }
  sim::FolderNode* Default(int which) {
    return world.store.default_store()->defaults.at(which);
  }

  sim::World world;
  std::shared_ptr<sim::SimOutlook> outlook;
};

// What `step` raised, as "error <number>"; "" when it completed.
inline std::string ErrorOf(const std::function<void()>& step) {
  std::optional<HostError> error = Attempt(step);
  return error ? "error " + std::to_string(error->number()) : "";
}

class ComObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    live_before_ = ServedBase::live_objects();
    sinks_before_ = EventHub::connected_sinks();
    SetDefectRecorder([this](const std::string& what) { com_defects_.push_back(what); });
    another_module_ = std::make_unique<ServeAsAnotherModule>();
  }
  void TearDown() override {
    Release();
    another_module_.reset();
    EXPECT_EQ(ServedBase::live_objects(), live_before_) << "a served object leaked";
    EXPECT_EQ(EventHub::connected_sinks(), sinks_before_) << "a sink stayed connected";
    for (const std::string& defect : host.world.defects()) ADD_FAILURE() << defect;
    for (const std::string& defect : com_defects_) ADD_FAILURE() << defect;
    SetDefectRecorder(nullptr);
    CoUninitialize();
  }
  // Drops what the test keeps of the client side, before the leak checks.
  virtual void Release() { app.reset(); }

  // `object` served, and seen through its client.
  template <typename T>
  std::shared_ptr<T> Client(const std::shared_ptr<T>& object) {
    std::shared_ptr<T> client = ToPlatform<T>(ToDispatch(object));
    EXPECT_TRUE(dynamic_cast<ClientObject*>(client.get())) << "not a client";
    return client;
  }
  std::shared_ptr<ol::Application> ClientOf(SimHost& of) {
    return Client<ol::Application>(of.outlook);
  }

  // Runs `steps` on one host's platform objects directly and on an
  // identical host's through the clients: the answers and the host calls
  // (members, targets, order) must be the same.
  using Steps =
      std::function<void(ol::Application&, SimHost&, std::vector<std::string>&)>;
  void ExpectSameRun(const Steps& steps) {
    SimHost direct, over_com;
    std::vector<std::string> direct_answers, com_answers;
    steps(*direct.outlook, direct, direct_answers);
    {
      std::shared_ptr<ol::Application> client = ClientOf(over_com);
      steps(*client, over_com, com_answers);
    }
    EXPECT_EQ(direct_answers, com_answers);
    EXPECT_EQ(direct.Calls(), over_com.Calls());
    EXPECT_GT(direct.count(), 0);
  }

  SimHost host;
  std::shared_ptr<ol::Application> app;  // ClientOf(host), when a test wants it
  std::vector<std::string> com_defects_;

 private:
  long live_before_ = 0;
  long sinks_before_ = 0;
  std::unique_ptr<ServeAsAnotherModule> another_module_;
};

}  // namespace pinlet::com

#endif  // PINLET_TESTS_COM_COM_FIXTURE_H_
