// The note's reminder: the dialog and its proposal, the warning for items
// where Outlook raises no reminder, and what the parent item and the note
// keep.
#include <gmock/gmock.h>

#include "note_window_fixture.h"
#include "notewindow/frm_reminder.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

// The user looks at the form: its state is recorded.
sim::FormAction Look() {
  sim::FormAction look;
  look.kind = sim::FormAction::Kind::kShow;
  return look;
}

class ReminderTest : public NoteWindowTest {
 protected:
  void SetUp() override {
    NoteWindowTest::SetUp();
    Start();
  }
  ol::ItemPtr InFolder(ol::FolderPtr folder, int index = 1) {
    return folder->Items()->Item(index);
  }
  ol::FolderPtr Projects() { return Inbox()->Folders()->Item("Projects"); }
  // The reminder button, its dialog answered with `answer`.
  void SetReminder(const std::shared_ptr<frmComments>& window,
                   std::vector<sim::FormAction> answer) {
    world.ui.QueueFormAnswer("frmReminder", std::move(answer));
    if (window->frmState != kEditState) Hover(window, "Text");
    Click(window, "imgNoteReminder");
  }
  void SetReminder(const std::shared_ptr<frmComments>& window, const std::string& date,
                   const std::string& time) {
    SetReminder(window,
                {sim::FormAction::Set("Calendar1", date),
                 sim::FormAction::Set("cboTime", time), sim::FormAction::Click("cmdOK")});
  }
  std::string Member(const ol::ItemPtr& item, const std::string& name) {
    auto node = sim::NodeOf(item);
    auto it = node->members.find(name);
    if (it == node->members.end()) return "(unset)";
    return it->second.IsDate() ? ToDate(it->second).ToGeneralString()
                               : ToText(it->second);
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& box : world.message_boxes.shown()) texts.push_back(box.text);
    return texts;
  }
  std::vector<std::string> Modals() {
    std::vector<std::string> forms;
    for (const auto& shown : world.ui.modal_forms()) forms.push_back(shown.form);
    return forms;
  }
  void Warn(bool on) {
    WriteText(world.registry, kNoteKey, "WarningOnReminder", on ? "1" : "0");
  }
};

TEST(ReminderTimes, TheListHoldsTheHalfHoursAndProposalsAreTheNextMark) {
  std::vector<std::string> times = HalfHourTimes();
  ASSERT_EQ(times.size(), 48u);
  EXPECT_EQ(times[0], "12:00 AM");
  EXPECT_EQ(times[1], "12:30 AM");
  EXPECT_EQ(times[2], "1:00 AM");
  EXPECT_EQ(times[23], "11:30 AM");
  EXPECT_EQ(times[24], "12:00 PM");
  EXPECT_EQ(times[47], "11:30 PM");
  const std::pair<const char*, const char*> kNext[] = {
      {"9:00 AM", "9:30 AM"},   {"9:29 AM", "9:30 AM"},   {"9:30 AM", "10:00 AM"},
      {"9:59 AM", "10:00 AM"},  {"11:45 PM", "12:00 AM"}, {"11:30 AM", "12:00 PM"},
      {"12:15 AM", "12:30 AM"}, {"12:40 PM", "1:00 PM"},  {"nonsense", ""}};
  for (const auto& [time, next] : kNext)
    EXPECT_EQ(frmComments::FormatMinutes(time), next) << time;
}

TEST_F(ReminderTest, AMailInTheInboxGetsOutlooksReminderWithoutAWarning) {
  Warn(true);
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  SetReminder(window, "12/9/2026", "9:30 AM");
  EXPECT_THAT(Modals(), ElementsAre("frmReminder"));
  EXPECT_EQ(window->reminder(), "12/9/2026 9:30 AM");
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "12/9/2026 9:30 AM");
  EXPECT_EQ(Member(mail, "ReminderSet"), "True");
  EXPECT_EQ(Member(mail, "ReminderTime"), "12/9/2026 9:30:00 AM");
  EXPECT_EQ(Member(mail, "FlagDueBy"), "12/9/2026 9:30:00 AM");
  EXPECT_FALSE(sim::ObjectOf(mail)->changed());
  EXPECT_FALSE(window->new_note());
  EXPECT_TRUE(Shown(window, "transReminder"));
  EXPECT_EQ(Control<ui::Image>(window, "transReminder")->ToolTipText(),
            "12/9/2026 9:30 AM");
}

TEST_F(ReminderTest, ASubfolderMailIsWarnedAboutAndCancelTakesTheReminderBack) {
  Warn(true);
  ol::ItemPtr mail = InFolder(Projects());
  auto window = Open(mail);
  world.ui.QueueFormAnswer("frmWarningOnReminder",
                           {Look(), sim::FormAction::Click("cmdNo")});
  SetReminder(window, "12/9/2026", "9:30 AM");
  EXPECT_THAT(Modals(), ElementsAre("frmReminder", "frmWarningOnReminder"));
  const std::string& warning = world.ui.modal_forms()[1].snapshots.at(0);
  EXPECT_THAT(warning,
              ::testing::HasSubstr("The reminder for '" + window->form()->Caption() +
                                   "' will not appear because the item is not in "
                                   "your inbox or tasks folder."));
  EXPECT_THAT(warning,
              ::testing::HasSubstr(
                  "Don't show this message again. (You may later change this option "
                  "in \\\"Pinlet options\\\" window)"));
  EXPECT_EQ(window->reminder(), "");
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "");
  EXPECT_EQ(Member(mail, "ReminderSet"), "False");
  EXPECT_FALSE(Shown(window, "transReminder"));
  EXPECT_EQ(ReadText(world.registry, kNoteKey, "WarningOnReminder"), "1");
  // Yes sets it; "Don't show this message again" is kept for the next time.
  world.ui.QueueFormAnswer(
      "frmWarningOnReminder",
      {sim::FormAction::Set("chkDontAsk", "1"), sim::FormAction::Click("cmdYes")});
  SetReminder(window, "12/9/2026", "10:00 AM");
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "12/9/2026 10:00 AM");
  EXPECT_EQ(Member(mail, "ReminderSet"), "True");
  EXPECT_EQ(ReadText(world.registry, kNoteKey, "WarningOnReminder"), "0");
  SetReminder(window, "12/10/2026", "10:00 AM");
  EXPECT_EQ(Modals().size(), 5u);  // no third warning
  EXPECT_EQ(Member(mail, "FlagDueBy"), "12/10/2026 10:00:00 AM");
}

TEST_F(ReminderTest, WithoutTheWarningSettingASubfolderMailGetsTheReminder) {
  for (bool absent : {true, false}) {
    if (!absent) Warn(false);
    ol::ItemPtr mail = InFolder(Projects(), absent ? 1 : 2);
    auto window = Open(mail);
    SetReminder(window, "12/9/2026", "9:30 AM");
    EXPECT_EQ(Member(mail, "ReminderSet"), "True");
    CloseBox(window);
  }
  EXPECT_THAT(Modals(), ElementsAre("frmReminder", "frmReminder"));
}

TEST_F(ReminderTest, TheFolderTestGoesByPlaceNotByName) {
  Warn(true);
  ol::FolderPtr mapi = Inbox()->Folders()->Add("MAPI lists", ol::kFolderInbox);
  ol::FolderPtr below = mapi->Folders()->Add("Digest", ol::kFolderInbox);
  ol::ItemPtr mail = InboxItem(6)->Move(below);
  world.ui.QueueFormAnswer("frmWarningOnReminder", {sim::FormAction::Click("cmdYes")});
  SetReminder(Open(mail), "12/9/2026", "9:30 AM");
  EXPECT_THAT(Modals(), ElementsAre("frmReminder", "frmWarningOnReminder"));
  // A top-level folder of another store is as good as the Inbox.
  ol::ItemPtr task = InFolder(ctx().name_space->GetDefaultFolder(ol::kFolderTasks));
  SetReminder(Open(task), "12/9/2026", "");
  EXPECT_EQ(Modals().size(), 3u);
  EXPECT_EQ(Member(task, "ReminderSet"), "True");
  EXPECT_EQ(Member(task, "ReminderTime"), "12/9/2026");
  EXPECT_EQ(Member(task, "FlagDueBy"), "(unset)");
  EXPECT_EQ(Prop(task, "ZPNReminder"), "12/9/2026");
}

TEST_F(ReminderTest, AnAppointmentKeepsItsOwnReminderWhateverTheNoteDoes) {
  ol::ItemPtr meeting = InFolder(ctx().name_space->GetDefaultFolder(ol::kFolderCalendar));
  meeting->Put("ReminderSet", Variant(true));
  meeting->Save();
  auto window = Open(meeting);
  SetReminder(window, "12/9/2026", "None");
  EXPECT_EQ(Prop(meeting, "ZPNReminder"), "12/9/2026");
  SetReminder(window, {sim::FormAction::Click("cmdCancel")});
  EXPECT_EQ(Prop(meeting, "ZPNReminder"), "");
  EXPECT_EQ(Member(meeting, "ReminderSet"), "True");
}

TEST_F(ReminderTest, CancelReminderSwitchesTheParentsReminderOff) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  SetReminder(window, "12/9/2026", "9:30 AM");
  SetReminder(window, {sim::FormAction::Click("cmdCancel")});
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "");
  EXPECT_EQ(Member(mail, "ReminderSet"), "False");
  EXPECT_EQ(Member(mail, "ReminderTime"), "12/30/1899");
  EXPECT_EQ(Member(mail, "FlagDueBy"), "12/30/1899");
  EXPECT_EQ(window->reminder(), "");
}

TEST_F(ReminderTest, AFailedSaveOfTheParentIsReportedAndDoneAgain) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  world.faults.FailMember("Item.Save", errors::kOperationFailed, 1);  // the parent's
  SetReminder(window, "12/9/2026", "9:30 AM");
  world.faults.Clear();
  // The note keeps its reminder; Outlook's is not stored yet, and the
  // window knows it.
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "12/9/2026 9:30 AM");
  EXPECT_EQ(Member(mail, "ReminderSet"), "(unset)");
  EXPECT_TRUE(window->save_pending());
  std::vector<std::string> logged;
  for (const std::string& call : world.support->calls())
    if (call.starts_with("LogMsg")) logged.push_back(call);
  EXPECT_THAT(logged, ElementsAre(::testing::HasSubstr("frmComments(Sub SaveReminder)")));
  // Closing the window saves it.
  CloseBox(window);
  EXPECT_EQ(Member(mail, "ReminderSet"), "True");
  EXPECT_EQ(Member(mail, "ReminderTime"), "12/9/2026 9:30:00 AM");
  EXPECT_TRUE(world.message_boxes.shown().empty());
}

TEST_F(ReminderTest, TheDialogChecksItsInputAndItsCloseBoxChangesNothing) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  world.message_boxes.QueueAnswer(mb::kOk);
  world.message_boxes.QueueAnswer(mb::kOk);
  SetReminder(
      window,
      {sim::FormAction::Set("Calendar1", "none"), sim::FormAction::Click("cmdOK"),
       sim::FormAction::Set("Calendar1", "12/9/2026"),
       sim::FormAction::Set("cboTime", "25:99"), sim::FormAction::Click("cmdOK"),
       sim::FormAction::Set("cboTime", "9:30 AM"), sim::FormAction::Click("cmdOK")});
  EXPECT_THAT(Messages(), ElementsAre("Plese, enter valid Calendar data",
                                      "Plese, enter valid Time data"));
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "12/9/2026 9:30 AM");
  SetReminder(window, {sim::FormAction::Close()});
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "12/9/2026 9:30 AM");
  EXPECT_EQ(Member(mail, "ReminderSet"), "True");
}

TEST_F(ReminderTest, TheProposalIsTheNextHalfHourAndLateInTheEveningTomorrow) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  SetReminder(window, {sim::FormAction::Click("cmdOK")});
  EXPECT_EQ(window->reminder(), "12/7/2026 9:30 AM");
  SetReminder(window, {sim::FormAction::Click("cmdCancel")});
  world.clock.Set(Date::FromParts(2026, 12, 7, 23, 45));
  SetReminder(window, {sim::FormAction::Click("cmdOK")});
  EXPECT_EQ(window->reminder(), "12/8/2026 12:00 AM");
  // A reminder set is proposed as it is; a date alone stays a date alone.
  SetReminder(window, "12/9/2026", "None");
  SetReminder(window, {sim::FormAction::Click("cmdOK")});
  EXPECT_EQ(window->reminder(), "12/9/2026");
}

TEST_F(ReminderTest, TheButtonFollowsTheParentsClass) {
  auto contacts = ctx().name_space->GetDefaultFolder(ol::kFolderContacts);
  auto window = Open(InFolder(contacts));
  EXPECT_EQ(Picture(window, "imgNoteReminder"), "REMINDER_DISABLED");
  CloseBox(window);
  auto calendar = ctx().name_space->GetDefaultFolder(ol::kFolderCalendar);
  window = Open(InFolder(calendar));
  EXPECT_EQ(Picture(window, "imgNoteReminder"), "REMINDER");
}

}  // namespace
}  // namespace pinlet
