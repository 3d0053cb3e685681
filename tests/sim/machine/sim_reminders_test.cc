// Outlook's reminders: which items remind, when, and the window that shows
// them.
#include "sim/machine/sim_reminders.h"

#include <gmock/gmock.h>

#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

class SimRemindersTest : public SimTest {
 protected:
  SimReminders& reminders() { return outlook->reminders(); }
  // A saved mail of `folder` that reminds at `when`.
  ol::ItemPtr Reminding(const std::string& subject, Date when,
                        ol::FolderPtr folder = nullptr) {
    auto item = (folder ? folder : Default(ol::kFolderInbox))->Items()->Add(ol::kMailItem);
    item->SetSubject(subject);
    item->Put("ReminderSet", Variant(true));
    item->Put("ReminderTime", Variant(when));
    item->Save();
    return item;
  }
  std::string Title() {
    const auto* window = world.windows.Find(reminders().window());
    return window ? window->title : "(closed)";
  }
  void Advance(int minutes) { world.clock.AdvanceSeconds(minutes * 60.0); }
  const Date kNow = Date::FromParts(2026, 12, 7, 9, 0);
};

TEST_F(SimRemindersTest, AReminderFiresOnceWhenItsTimeComesAndOpensTheWindow) {
  auto mail = Reminding("Board slides", Date::FromParts(2026, 12, 7, 9, 30));
  EXPECT_EQ(reminders().Check(), 0);
  EXPECT_EQ(reminders().window(), 0u);
  Advance(29);
  EXPECT_EQ(reminders().Check(), 0);
  Advance(1);
  EXPECT_EQ(reminders().Check(), 1);
  EXPECT_EQ(Title(), "1 Reminder");
  EXPECT_EQ(world.windows.active(), reminders().window());
  ASSERT_EQ(reminders().shown().size(), 1u);
  EXPECT_EQ(reminders().shown()[0].subject, "Board slides");
  EXPECT_EQ(reminders().Check(), 0);  // once
  // A second, earlier one joins it, before it; the caption counts them.
  Reminding("Budget", Date::FromParts(2026, 12, 7, 8, 0));
  EXPECT_EQ(reminders().Check(), 1);
  EXPECT_EQ(Title(), "2 Reminders");
  EXPECT_EQ(reminders().shown()[0].subject, "Budget");
  // Cleared, it leaves the window; with none left the window closes.
  mail->Put("ReminderSet", Variant(false));
  mail->Save();
  reminders().Check();
  EXPECT_EQ(Title(), "1 Reminder");
  mail->Delete();
  Default(ol::kFolderInbox)->Items()->Item(1)->Delete();
  reminders().Check();
  EXPECT_EQ(reminders().window(), 0u);
}

TEST_F(SimRemindersTest, OnlyTheSavedItemsOfTheRemindingDefaultFoldersRemind) {
  Date past = Date::FromParts(2026, 12, 1, 9, 0);
  auto sub = Default(ol::kFolderInbox)->Folders()->Add("Projects", ol::kFolderInbox);
  Reminding("in a subfolder", past, sub);
  Reminding("in Sent Items", past, Default(ol::kFolderSentMail));
  // A change not saved yet does not count: the stored reminder is for later.
  auto unsaved = Reminding("changed since", Date::FromParts(2026, 12, 9, 9, 0));
  unsaved->Put("ReminderTime", Variant(past));
  auto task = Default(ol::kFolderTasks)->Items()->Add(ol::kTaskItem);
  task->SetSubject("a task");
  task->Put("ReminderSet", Variant(true));
  task->Put("ReminderTime", Variant(past));
  task->Save();
  auto meeting = Default(ol::kFolderCalendar)->Items()->Add(ol::kAppointmentItem);
  meeting->SetSubject("a meeting");
  meeting->Put("Start", Variant(Date::FromParts(2026, 12, 7, 9, 10)));
  meeting->Put("ReminderMinutesBeforeStart", Variant(int32_t{15}));
  meeting->Put("ReminderSet", Variant(true));
  meeting->Save();
  EXPECT_EQ(reminders().Check(), 2);
  ASSERT_EQ(reminders().shown().size(), 2u);
  EXPECT_EQ(reminders().shown()[0].subject, "a task");
  EXPECT_EQ(reminders().shown()[1].subject, "a meeting");
  EXPECT_EQ(reminders().shown()[1].due, Date::FromParts(2026, 12, 7, 8, 55));
  // Outlook quits: the window closes.
  reminders().Close();
  EXPECT_EQ(reminders().window(), 0u);
  EXPECT_EQ(world.windows.z_order().size(), 0u);
}

}  // namespace
}  // namespace pinlet::sim
