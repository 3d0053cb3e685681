// Outlook on the sample mailbox with the store, the explorer side and the
// item-window side of the add-in loaded, and recording note windows;
// helpers that open item windows, answer mails and look at what Pinlet put
// on the windows.
#ifndef PINLET_TESTS_INSPECTOR_INSPECTOR_FIXTURE_H_
#define PINLET_TESTS_INSPECTOR_INSPECTOR_FIXTURE_H_

#include "explorer/explorer_fixture.h"
#include "inspector/bas_inspectors.h"
#include "inspector/cls_inspector.h"
#include "inspector/cls_inspectors.h"
#include "sim/machine/mail_content.h"
#include "store/note_property.h"

namespace pinlet {

class InspectorTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    install_more = [](Subsystems& s) {
      InstallExplorer(s);
      InstallInspectors(s);
    };
  }
  // Starts Outlook as `version` ("10.0.6626" for 2002; "" for 2003) with
  // or without Word as its e-mail editor.
  void StartAs(std::string version, bool word_editor) {
    session = std::make_unique<sim::HostSession>(
        &world,
        [this](const Platform& p) {
          Subsystems s;
          InstallStore(s);
          install_more(s);
          s.note_windows = RecordingWindows();
          addin = std::make_shared<Connect>(p, s);
          return addin;
        },
        sim::HostOptions{.outlook_version = version, .word_mail_editor = word_editor});
    session->Start();
  }
  void SetNote(const char* name, const std::string& value) {
    WriteText(world.registry, kNoteKey, name, value);
  }
  // Gives the item a note with this text and look, as a note window does.
  ol::ItemPtr AddNoteWith(const std::shared_ptr<sim::ItemNode>& item,
                          const std::string& text, const std::string& font = "Arial",
                          const std::string& size = "10", uint32_t colour = 0xFF0000) {
    ol::ItemPtr note = AddNote(item);
    sim::FaultInjector::Pause pause(world.faults);
    std::vector<NoteValue> values = {{"ZPNFullBody", text},
                                     {"ZPNFontName", font},
                                     {"ZPNFontSize", size},
                                     {"ZPNForeColor", std::to_string(colour)}};
    WriteNoteProperties(ctx(), note, values);
    SetParentItemMark(item);
    return note;
  }
  void SetParentItemMark(const std::shared_ptr<sim::ItemNode>& item) {
    sim::FaultInjector::Pause pause(world.faults);
    ol::ItemPtr marked = sim::WrapItem(&world, item);
    auto props = marked->UserProperties();
    if (!props->Find("ZPNHasNote")) props->Add("ZPNHasNote", ol::kOlText, false);
    props->Find("ZPNHasNote")->SetValue(Variant("TRUE"));
    marked->Save();
  }
  std::shared_ptr<sim::SimInspector> Open(const std::shared_ptr<sim::ItemNode>& item) {
    return outlook().OpenItem(item);
  }
  std::shared_ptr<sim::ControlNode> InspectorControl(
      const std::shared_ptr<sim::SimInspector>& window, const std::string& caption) {
    return window->command_bars()->FindByCaption(caption, "Standard");
  }
  sim::SimCommandBars::ClickResult ClickIn(
      const std::shared_ptr<sim::SimInspector>& window, const std::string& caption) {
    auto control = InspectorControl(window, caption);
    EXPECT_TRUE(control) << caption;
    if (!control) return {};
    auto result = window->command_bars()->Click(control);
    EXPECT_EQ(result.refused, "");
    return result;
  }
  // Outlook's Reply, Reply to All or Forward clicked in the main window on
  // the selected item; returns the window that shows at the end.
  std::shared_ptr<sim::SimInspector> Answer(const std::shared_ptr<sim::ItemNode>& item,
                                            const std::string& command) {
    Select({item});
    Click(Control(command, "Standard"));
    return outlook().inspectors().empty() ? nullptr : outlook().inspectors().back();
  }
  std::string Member(const std::shared_ptr<sim::SimInspector>& window, const char* name) {
    sim::FaultInjector::Pause pause(world.faults);
    return ToText(window->item()->Get(name));
  }
  // What the window shows of its item: the stored item with the changes its
  // item object holds, not saved yet.
  std::shared_ptr<const sim::ItemContent> NodeOf(
      const std::shared_ptr<sim::SimInspector>& w) {
    auto object = sim::ObjectOf(w->item());
    return std::shared_ptr<const sim::ItemContent>(object, &object->content());
  }
  size_t Wrappers() { return ctx().inspector_wrappers->size(); }
};

}  // namespace pinlet

#endif  // PINLET_TESTS_INSPECTOR_INSPECTOR_FIXTURE_H_
