// The test DLL's add-in: it answers every callback by rewriting the custom
// array, so that the tests, which only reach it through COM, see what it
// received, and it fails when the array tells it to.
//
// custom on entry          what the add-in does
//   "raise", n, ...         raises HostError n ("refused by the add-in")
//   "crash", ...            throws std::runtime_error (a defect of ours)
//   "reverse", ...          reverses the elements and records nothing
//   anything else           appends a record to the elements it received:
//     OnConnection          "OnConnection", host Name, host Version,
//                           ConnectMode, the COMAddIn's ProgId
//     OnDisconnection       "OnDisconnection", RemoveMode
//     the other three       the callback's name
// A host application or COMAddIn given as Nothing is recorded as "Nothing".
//
// It publishes connectors as the add-in's Connect does (AddInObject): one per
// host connected, keyed by the host's name, each initialised.
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "comserver/com_addin.h"
#include "platform/addin_host.h"
#include "platform/addin_object.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

class FakeConnector final : public AddInConnector {
 public:
  bool IsInitialized() override { return true; }
  void PinletClick(const std::string&, bool, const ol::ItemPtr&,
                   const std::shared_ptr<void>&, bool&,
                   const std::shared_ptr<void>&) override {
    throw NotSupportedError("PinletClick");
  }
  ReplyForms GetReplyForms() override { return {}; }
};

class FakeConnectors final : public AddInConnectors {
 public:
  void Add(std::string key) {
    entries_.emplace_back(std::move(key), std::make_shared<FakeConnector>());
  }
  int Count() override { return static_cast<int>(entries_.size()); }
  std::shared_ptr<AddInConnector> Item(int index) override {
    if (index < 1 || index > Count())
      throw HostError(errors::kSubscriptOutOfRange, "Subscript out of range");
    return entries_[index - 1].second;
  }
  std::shared_ptr<AddInConnector> Item(std::string_view key) override {
    for (auto& [name, connector] : entries_)
      if (name == key) return connector;
    throw InvalidArgumentError("Item");
  }

 private:
  std::vector<std::pair<std::string, std::shared_ptr<AddInConnector>>> entries_;
};

class FakeAddin final : public IDTExtensibility2, public AddInObject {
 public:
  void OnConnection(HostApplicationPtr application, int connect_mode,
                    std::shared_ptr<COMAddIn> addin_inst, Custom& custom) override {
    Obey(custom);
    std::string name = application ? application->Name() : "Nothing";
    std::string version = application ? application->Version() : "Nothing";
    std::string progid = addin_inst ? addin_inst->ProgId() : "Nothing";
    application_ = std::move(application);
    connectors_->Add(name);
    Record(custom, {"OnConnection", name, version, connect_mode, progid});
  }
  void OnDisconnection(int remove_mode, Custom& custom) override {
    Obey(custom);
    application_.reset();
    Record(custom, {"OnDisconnection", remove_mode});
  }
  void OnAddInsUpdate(Custom& custom) override {
    Obey(custom);
    Record(custom, {"OnAddInsUpdate"});
  }
  void OnStartupComplete(Custom& custom) override {
    Obey(custom);
    Record(custom, {"OnStartupComplete"});
  }
  void OnBeginShutdown(Custom& custom) override {
    Obey(custom);
    Record(custom, {"OnBeginShutdown"});
  }

  std::shared_ptr<AddInConnectors> GetConnectors() override { return connectors_; }

 private:
  static void Obey(const Custom& custom) {
    if (custom.empty() || !custom[0].IsText()) return;
    if (custom[0].text() == "raise")
      throw HostError(custom.size() > 1 ? ToLong(custom[1]) : errors::kOperationFailed,
                      "refused by the add-in", "FakeAddin");
    if (custom[0].text() == "crash") throw std::runtime_error("the add-in broke");
  }
  static void Record(Custom& custom, std::vector<Variant> record) {
    if (!custom.empty() && custom[0].IsText() && custom[0].text() == "reverse") {
      std::reverse(custom.begin(), custom.end());
      return;
    }
    custom.insert(custom.end(), record.begin(), record.end());
  }

  HostApplicationPtr application_;  // held while connected, as an add-in does
  std::shared_ptr<FakeConnectors> connectors_ = std::make_shared<FakeConnectors>();
};

}  // namespace

std::shared_ptr<IDTExtensibility2> CreateComAddin() {
  return std::make_shared<FakeAddin>();
}

}  // namespace pinlet::com
