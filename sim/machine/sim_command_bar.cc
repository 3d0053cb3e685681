// Handles on one simulated command bar and on its controls collection.
#include <string>

#include "sim/machine/sim_command_bars.h"
#include "sim/machine/world.h"

namespace pinlet::sim {
namespace {

class SimBar : public office::CommandBar {
 public:
  SimBar(std::shared_ptr<SimCommandBars> set, std::shared_ptr<BarNode> node)
      : set_(std::move(set)), node_(std::move(node)) {}

  std::string Name() override {
    Enter("Name");
    // A popup's bar is named by its popup.
    if (auto popup = node_->popup.lock()) return popup->caption;
    return node_->name;
  }
  int Index() override {
    Enter("Index");
    return set_->IndexOf(*node_);
  }
  int Type() override { return Enter("Type").type; }
  bool BuiltIn() override { return Enter("BuiltIn").built_in; }
  office::CommandBarControlsPtr Controls() override {
    Enter("Controls");
    return set_->WrapControls(node_);
  }
  office::CommandBarControlPtr FindControl(std::optional<int> type, std::optional<int> id,
                                           std::optional<std::string> tag,
                                           bool visible_only, bool recursive) override {
    Enter("FindControl");
    auto found = FindControlIn(*node_, type, id, tag, visible_only, recursive);
    return found ? set_->WrapControl(found) : nullptr;
  }
  bool Visible() override { return Enter("Visible").visible; }
  void SetVisible(bool visible) override { Enter("Visible").visible = visible; }
  bool Enabled() override { return Enter("Enabled").enabled; }
  void SetEnabled(bool enabled) override { Enter("Enabled").enabled = enabled; }
  int Left() override { return Enter("Left").left; }
  void SetLeft(int left) override { Enter("Left").left = left; }
  int Top() override { return Enter("Top").top; }
  void SetTop(int top) override { Enter("Top").top = top; }
  int Position() override { return Enter("Position").position; }
  void SetPosition(int position) override {
    BarNode& bar = Enter("Position");
    if (position < office::kBarLeft || position > office::kBarMenuBar)
      throw InvalidArgumentError("CommandBar.Position");
    bar.position = position;
  }
  int RowIndex() override { return Enter("RowIndex").row_index; }
  void SetRowIndex(int row_index) override { Enter("RowIndex").row_index = row_index; }
  int Protection() override { return Enter("Protection").protection; }
  void SetProtection(int protection) override {
    Enter("Protection").protection = protection;
  }
  void Reset() override {
    Enter("Reset");
    set_->ResetBar(node_);
  }
  void Delete() override {
    Enter("Delete");
    set_->DeleteBar(node_);
  }
  office::WindowPtr Parent() override {
    Enter("Parent");
    return set_->parent();
  }

 private:
  BarNode& Enter(const char* member) {
    set_->world()->faults.Check(std::string("CommandBar.") + member);
    if (node_->deleted) throw MethodFailedError(member, "CommandBar");
    return *node_;
  }

  std::shared_ptr<SimCommandBars> set_;
  std::shared_ptr<BarNode> node_;
};

class SimControls : public office::CommandBarControls {
 public:
  SimControls(std::shared_ptr<SimCommandBars> set, std::shared_ptr<BarNode> node)
      : set_(std::move(set)), node_(std::move(node)) {}

  int Count() override { return static_cast<int>(Enter("Count").controls.size()); }
  office::CommandBarControlPtr Item(int index) override {
    BarNode& bar = Enter("Item");
    if (index < 1 || index > static_cast<int>(bar.controls.size()))
      throw ItemNotFoundError("CommandBarControls.Item");
    return set_->WrapControl(bar.controls[index - 1]);
  }
  office::CommandBarControlPtr Item(std::string_view caption) override {
    BarNode& bar = Enter("Item");
    std::string key = CaptionKey(caption);
    for (const auto& control : bar.controls)
      if (CaptionKey(control->caption) == key) return set_->WrapControl(control);
    throw ItemNotFoundError("CommandBarControls.Item");
  }
  office::CommandBarControlPtr Add(int type, int id, std::optional<int> before,
                                   bool temporary) override {
    Enter("Add");
    return set_->WrapControl(set_->AddControl(node_, type, id, before, temporary));
  }

 private:
  BarNode& Enter(const char* member) {
    set_->world()->faults.Check(std::string("CommandBarControls.") + member);
    if (node_->deleted) throw MethodFailedError(member, "CommandBarControls");
    return *node_;
  }

  std::shared_ptr<SimCommandBars> set_;
  std::shared_ptr<BarNode> node_;
};

}  // namespace

office::CommandBarPtr SimCommandBars::WrapBar(std::shared_ptr<BarNode> bar) {
  return std::make_shared<SimBar>(shared_from_this(), std::move(bar));
}

office::CommandBarControlsPtr SimCommandBars::WrapControls(std::shared_ptr<BarNode> bar) {
  return std::make_shared<SimControls>(shared_from_this(), std::move(bar));
}

}  // namespace pinlet::sim
