#include "sim/machine/sim_reminders.h"

#include <algorithm>

#include "platform/outlook_items.h"
#include "sim/machine/world.h"

namespace pinlet::sim {
namespace {

// The folders whose items remind, by default-folder number.
constexpr int kRemindingFolders[] = {ol::kFolderInbox, ol::kFolderCalendar,
                                     ol::kFolderContacts, ol::kFolderTasks};

std::optional<Date> DateMember(const ItemNode& item, std::string_view member) {
  auto it = item.members.find(member);
  if (it == item.members.end()) return std::nullopt;
  Date date = ToDate(it->second);
  if (date.value() == ol::kOlNoDate || !date.InHostRange()) return std::nullopt;
  return date;
}

// A window of Outlook 2003's Reminders size, centred on the work area.
Rect ReminderWindowRect(const Rect& work) {
  const int32_t width = 400 * kTwipsPerPixel, height = 290 * kTwipsPerPixel;
  return {work.left + (work.width - width) / 2, work.top + (work.height - height) / 2,
          width, height};
}

}  // namespace

void SimReminders::Close() {
  shown_.clear();
  UpdateWindow(false);
}

bool SimReminders::Reminds(const FolderNode* folder) const {
  const StoreNode* store = world_->store.default_store();
  if (!folder || !store) return false;
  for (int kind : kRemindingFolders) {
    auto it = store->defaults.find(kind);
    if (it != store->defaults.end() && it->second == folder) return true;
  }
  return false;
}

std::optional<Date> SimReminders::DueOf(const ItemNode& item) const {
  if (item.entry_id.empty() || item.gone || !item.in_folder || !Reminds(item.folder))
    return std::nullopt;
  auto set = item.members.find("ReminderSet");
  if (set == item.members.end() || !ToBool(set->second)) return std::nullopt;
  if (item.cls == ol::kMail || item.cls == ol::kTask) return DateMember(item, "ReminderTime");
  if (item.cls != ol::kAppointment) return std::nullopt;
  std::optional<Date> start = DateMember(item, "Start");
  if (!start) return std::nullopt;
  auto minutes = item.members.find("ReminderMinutesBeforeStart");
  double before = minutes == item.members.end() ? 0 : ToLong(minutes->second);
  return Date(start->value() - before / (24 * 60));
}

int SimReminders::Check() {
  const Date now = world_->clock.now();
  // What no longer reminds leaves the window.
  std::erase_if(shown_, [&](const Reminder& reminder) {
    std::shared_ptr<ItemNode> item = world_->store.FindItem(reminder.entry_id);
    std::optional<Date> due = item ? DueOf(*item) : std::nullopt;
    return !due || !(*due == reminder.due);
  });
  int fired = 0;
  if (StoreNode* store = world_->store.default_store()) {
    for (int kind : kRemindingFolders) {
      auto folder = store->defaults.find(kind);
      if (folder == store->defaults.end()) continue;
      for (const auto& item : folder->second->items) {
        std::optional<Date> due = DueOf(*item);
        if (!due || now < *due) continue;
        auto was = fired_.find(item->entry_id);
        if (was != fired_.end() && was->second == due->value()) continue;
        fired_[item->entry_id] = due->value();
        std::erase_if(shown_, [&](const Reminder& r) { return r.entry_id == item->entry_id; });
        shown_.push_back({item->entry_id, item->subject, item->cls, *due});
        ++fired;
      }
    }
  }
  std::stable_sort(shown_.begin(), shown_.end(),
                   [](const Reminder& a, const Reminder& b) { return a.due < b.due; });
  UpdateWindow(fired > 0);
  return fired;
}

void SimReminders::UpdateWindow(bool fired) {
  SimWindowManager& windows = world_->windows;
  if (shown_.empty()) {
    if (window_) windows.Destroy(window_);
    window_ = 0;
    return;
  }
  std::string title = std::to_string(shown_.size()) +
                      (shown_.size() == 1 ? " Reminder" : " Reminders");
  if (!window_) {
    if (!fired) return;
    window_ = windows.Create(title, false);
    windows.SetRect(window_, ReminderWindowRect(windows.work_area()));
    windows.SetVisible(window_, true, true);
    return;
  }
  windows.SetTitle(window_, title);
  if (fired) windows.Activate(window_);
}

}  // namespace pinlet::sim
