// Outlook on the sample mailbox with the store and the explorer side of the
// add-in loaded, and recording note windows; helpers that act as the user on
// the main windows and look at what Pinlet put on them.
#ifndef PINLET_TESTS_EXPLORER_EXPLORER_FIXTURE_H_
#define PINLET_TESTS_EXPLORER_EXPLORER_FIXTURE_H_

#include "addin/settings.h"
#include "explorer/bas_explorers.h"
#include "explorer/cls_explorers.h"
#include "sim/machine/sim_outlook.h"
#include "store/notes_folder.h"
#include "store/store_fixture.h"

namespace pinlet {

class ExplorerTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    install_more = [](Subsystems& s) { InstallExplorer(s); };
  }

  sim::SimOutlook& outlook() { return *session->outlook(); }
  std::shared_ptr<sim::SimExplorer> Window(size_t index = 0) {
    return outlook().explorers().at(index);
  }
  clsExplorers& tracker() { return *ctx().explorer_tracker; }
  std::vector<int> Ids() {
    std::vector<int> ids;
    for (auto& wrapper : tracker().wrappers()) ids.push_back(wrapper->GetID());
    return ids;
  }
  sim::FolderNode* Default(int which) {
    return world.store.default_store()->defaults.at(which);
  }
  std::shared_ptr<sim::ItemNode> Item(sim::FolderNode* folder, size_t index) {
    return folder->items.at(index);
  }
  std::shared_ptr<sim::ItemNode> InboxNode(size_t index) {
    return Item(Default(ol::kFolderInbox), index);
  }
  // Gives the item a note in the notes folder, as a note window does.
  ol::ItemPtr AddNote(const std::shared_ptr<sim::ItemNode>& item) {
    sim::FaultInjector::Pause pause(world.faults);
    return AddNewNoteItem(ctx(), sim::WrapItem(&world, item)).note;
  }
  std::shared_ptr<sim::BarNode> Bar(const std::string& name, size_t window = 0) {
    return Window(window)->command_bars()->FindBar(name);
  }
  std::shared_ptr<sim::ControlNode> Control(const std::string& caption,
                                            const std::string& bar = "",
                                            size_t window = 0) {
    return Window(window)->command_bars()->FindByCaption(caption, bar);
  }
  std::shared_ptr<sim::ControlNode> MainButton(size_t window = 0) {
    auto bar = Bar("Pinlet ToolBar", window);
    return bar && !bar->controls.empty() ? bar->controls.front() : nullptr;
  }
  std::shared_ptr<sim::ControlNode> FilterButton(size_t window = 0) {
    auto bar = Bar("Pinlet ToolBar", window);
    return bar && bar->controls.size() > 1 ? bar->controls[1] : nullptr;
  }
  // Clicks as the user does; the click must be possible.
  sim::SimCommandBars::ClickResult Click(const std::shared_ptr<sim::ControlNode>& control,
                                         size_t window = 0) {
    EXPECT_TRUE(control);
    auto result = Window(window)->command_bars()->Click(control);
    EXPECT_EQ(result.refused, "");
    return result;
  }
  void Select(std::vector<std::shared_ptr<sim::ItemNode>> items, size_t window = 0) {
    Window(window)->Select(std::move(items));
  }
  std::string Note(const char* name) { return ReadText(world.registry, kNoteKey, name); }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (auto& box : world.message_boxes.shown()) texts.push_back(box.text);
    return texts;
  }
};

}  // namespace pinlet

#endif  // PINLET_TESTS_EXPLORER_EXPLORER_FIXTURE_H_
