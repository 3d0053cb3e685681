// The note's reminder: the reminder button, which runs the reminder dialog
// and applies its result; SaveReminder, which has the model keep the
// reminder on the note as "ZPNReminder" and turn it into Outlook's own
// reminder on a mail or a task parent; and the reminder button's state by
// the parent's class.
//
// Outlook raises reminders only for the items of a store's top-level
// folders (the Inbox, Tasks). For an item elsewhere the user is warned
// first, unless "WarningOnReminder" says not to; whether a folder is
// top-level is told by its place in its store (its parent is the store's
// root folder), never by its name.
#include <cmath>

#include "addin/error_report.h"
#include "addin/settings.h"
#include "notewindow/frm_comments.h"
#include "notewindow/frm_reminder.h"
#include "store/note_link.h"
#include "store/notes_folder.h"

namespace pinlet {
namespace {

// Whether `folder` lies directly below its store's root folder.
bool TopLevelFolder(const ol::FolderPtr& folder) {
  ol::FolderPtr up = Must(folder).Parent();
  return up && !up->Parent();
}

// The date part of a date and time.
Date DayOf(Date when) { return Date(std::floor(when.value())); }

// Whether the reminder text carries a time of day after its date.
bool HasTimeOfDay(std::string_view text) {
  return text.find(' ') != std::string_view::npos;
}

}  // namespace

std::string frmComments::FormatMinutes(std::string_view time) {
  size_t colon = time.find(':');
  if (colon == std::string_view::npos || colon + 3 > time.size()) return "";
  std::string hours(time.substr(0, colon));
  std::string_view minutes = time.substr(colon + 1, 2);
  std::string rest(time.substr(colon + 3));
  if (minutes.size() != 2 || !std::isdigit(static_cast<unsigned char>(minutes[0])) ||
      !std::isdigit(static_cast<unsigned char>(minutes[1])))
    return "";
  if (std::stoi(std::string(minutes)) < 30) return hours + ":30" + rest;
  std::optional<Date> hour = Date::Parse("12/30/1899 " + hours + ":00" + rest);
  if (!hour) return "";
  return TimeText(Date(hour->value() + 1.0 / 24));
}

void frmComments::ShowReminderIndicator() {
  IgnoreError([&] { transReminder->SetVisible(!model_.reminder.empty()); });
  IgnoreError([&] { transReminder->SetToolTipText(model_.reminder); });
}

void frmComments::imgNoteReminder_Click() {
  RunGuardedSub(ctx_, "frmComments(Sub imgNoteReminder_Click)", [&](Proc& proc) {
    // The proposal: the reminder set, else the next half hour from now
    // (past midnight that is tomorrow). A proposal that cannot be made
    // leaves the dialog's own values.
    std::optional<Date> day;
    std::string time;
    std::optional<Date> set =
        model_.reminder.empty() ? std::nullopt : Date::Parse(model_.reminder);
    if (set) {
      day = DayOf(*set);
      time = HasTimeOfDay(model_.reminder) ? TimeText(*set) : "None";
    } else {
      IgnoreError([&] {
        Date now = Must(ctx_.platform.clock).Now();
        time = FormatMinutes(TimeText(now));
        day = DayOf(now);
        std::optional<Date> proposal = Date::Parse(day->ToGeneralString() + " " + time);
        if (proposal && proposal->value() <= now.value()) day = Date(day->value() + 1);
      });
    }
    // A dialog that cannot be made or shown is tried once more before the
    // user is left without it.
    std::optional<std::string> result;
    std::optional<HostError> failure;
    for (int attempt = 0; attempt < 2 && !result; ++attempt) {
      frmReminder dialog(ctx_, model_.reminder);
      failure = Attempt([&] { dialog.Load(); });
      if (failure) continue;
      if (day) IgnoreError([&] { dialog.Propose(*day, time); });
      if (blnOnTop) IgnoreError([&] { dialog.MakeTopMost(); });
      failure = Attempt([&] { dialog.Show(); });
      if (!failure) result = dialog.result();
    }
    if (!result) throw *failure;
    proc.line = 10;
    if (*result == model_.reminder) return;
    model_.reminder = *result;
    ChangesToParentItem();
    SaveReminder();
  });
}

void frmComments::SaveReminder() {
  if (objParentItem) {
    int parent_class = 0;
    IgnoreError([&] { parent_class = objParentItem->Class(); });
    bool outlook_reminder = parent_class == ol::kMail || parent_class == ol::kTask;
    if (!model_.reminder.empty() && outlook_reminder) {
      // A folder whose place cannot be read is taken for a top-level one:
      // the user is not asked a question that a failure raised.
      bool top_level = true;
      IgnoreError([&] { top_level = TopLevelFolder(objParentItem->Parent()); });
      if (!top_level && ToLong(Variant(ReadText(ctx_.registry(), kNoteKey,
                                                "WarningOnReminder"))) == 1) {
        std::string title;
        IgnoreError([&] { title = form_->Caption(); });
        // Only the user's No takes the reminder back; a warning that cannot
        // be shown is tried once more.
        for (int attempt = 0; attempt < 2; ++attempt) {
          frmWarningOnReminder warning(ctx_, title);
          if (!IgnoreError([&] { warning.Show(); })) continue;
          if (!warning.blnYes) model_.reminder.clear();
          break;
        }
      }
    }
    // Outlook's own reminder on the parent: a save that fails is reported
    // and done again, as the note's own changes are.
    if (outlook_reminder)
      model_.Store(NoteModel::kPendingParentReminder, "frmComments(Sub SaveReminder)");
  }
  ShowReminderIndicator();
  model_.Store(NoteModel::kPendingReminder, "frmComments(Sub SaveReminder)");
}

void frmComments::EnableReminder() {
  if (!objParentItem) {
    IgnoreError([&] { objParentItem = FindItemOf(ctx_, objOriginalNote).item; });
    if (!objParentItem) {
      EnableButton("imgNoteReminder", false);
      return;
    }
    IgnoreError([&] {
      ol::FolderPtr folder = objParentItem->Parent();
      SetNoteParentItemFolder(ctx_, objMyNote, Must(folder).Name(), folder->FolderPath());
    });
    return;
  }
  int parent_class = 0;
  IgnoreError([&] { parent_class = ReadTwice([&] { return objParentItem->Class(); }); });
  EnableButton("imgNoteReminder", parent_class == ol::kMail ||
                                      parent_class == ol::kAppointment ||
                                      parent_class == ol::kTask);
}

}  // namespace pinlet
