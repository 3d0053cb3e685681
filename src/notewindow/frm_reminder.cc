// The reminder dialog and the warning asked before a reminder that Outlook
// will not raise.
#include "notewindow/frm_reminder.h"

#include <cmath>

#include "addin/error_report.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "store/note_windows.h"

namespace pinlet {
namespace {

constexpr std::string_view kHelpPage = "Editing_Note_Using_Pinlet_Actions.htm";
constexpr std::string_view kInvalidDate = "Plese, enter valid Calendar data";
constexpr std::string_view kInvalidTime = "Plese, enter valid Time data";

// Whether the time box holds a time rather than nothing.
bool HasTime(const std::string& text) { return !text.empty() && text != "None"; }

// Whether `text` is a time of day the host reads ("9:30 AM", "21:30").
bool IsTime(const std::string& text) {
  return Date::Parse("12/30/1899 " + text).has_value();
}

}  // namespace

std::vector<std::string> HalfHourTimes() {
  std::vector<std::string> times;
  for (int half = 0; half < 48; ++half) {
    int hour = half / 2 % 12;
    times.push_back(std::to_string(hour == 0 ? 12 : hour) + (half % 2 ? ":30" : ":00") +
                    (half < 24 ? " AM" : " PM"));
  }
  return times;
}

std::string TimeText(Date time) {
  Date::Parts p = time.ToParts();
  int hour = p.hour % 12;
  char minutes[8];
  std::snprintf(minutes, sizeof minutes, ":%02d", p.minute);
  return std::to_string(hour == 0 ? 12 : hour) + minutes + (p.hour < 12 ? " AM" : " PM");
}

// ---- frmReminder ----

frmReminder::frmReminder(AddinContext& ctx, std::string current)
    : ctx_(ctx), result_(std::move(current)) {}

frmReminder::~frmReminder() { Release(); }

void frmReminder::Release() {
  events_.clear();
  Calendar1.reset();
  cboTime.reset();
  form_.reset();
}

void frmReminder::Load() {
  if (form_) return;
  form_ = Must(ctx_.platform.forms).CreateForm("frmReminder");
  if (auto error = Attempt([&] {
        form_->SetCaption("Reminder");
        auto label = [&](std::string_view name, std::string_view caption, int32_t top) {
          auto l = form_->Add<ui::Label>(name);
          Must(l).SetCaption(caption);
          l->Move(120, top, 600, 255);
        };
        label("lblDate", "Date:", 120);
        Calendar1 = form_->Add<ui::Calendar>("Calendar1");
        Must(Calendar1).Move(120, 400, 3600, 2400);
        label("lblTime", "Time:", 2940);
        cboTime = form_->Add<ui::ComboBox>("cboTime");
        Must(cboTime).Move(840, 2900, 1500, 315);
        cboTime->SetStyle(ui::ComboBox::kDropDownCombo);
        auto button = [&](std::string_view name, std::string_view caption, int32_t left,
                          void (frmReminder::*click)()) {
          auto b = form_->Add<ui::CommandButton>(name);
          Must(b).SetCaption(caption);
          b->Move(left, 3420, 1200, 375);
          events_.push_back(b->OnClick([this, click] { (this->*click)(); }));
        };
        button("cmdOK", "OK", 120, &frmReminder::cmdOK_Click);
        button("cmdCancel", "Cancel Reminder", 1380, &frmReminder::cmdCancel_Click);
        button("cmdHelp", "Help", 2640, &frmReminder::cmdHelp_Click);
        form_->Move(form_->Left(), form_->Top(), 4080, 4320);
      })) {
    IgnoreError([&] { form_->Unload(); });
    Release();
    throw *error;
  }
  Form_Load();
}

void frmReminder::Form_Load() {
  RunGuardedSub(ctx_, "frmReminder(Sub Form_Load)", [&](Proc&) {
    cboTime->Clear();
    for (const std::string& time : HalfHourTimes()) cboTime->AddItem(time, "");
    // Top-most and normal again at once: the dialog comes in front of Outlook.
    WindowHandle window = form_->hWnd();
    SetTopMost(ctx_, window, true);
    SetTopMost(ctx_, window, false);
  });
}

void frmReminder::Propose(Date date, std::string_view time) {
  Must(Calendar1).SetValue(date);
  Must(cboTime).SetText(time);
}

void frmReminder::MakeTopMost() { SetTopMost(ctx_, Must(form_).hWnd(), true); }

void frmReminder::Show() {
  Load();
  auto shown = Attempt([&] { form_->Show(ui::kModal); });
  IgnoreError([&] { form_->Unload(); });
  Release();
  if (shown) throw *shown;
}

void frmReminder::cmdOK_Click() {
  RunGuardedSub(ctx_, "frmReminder(Sub cmdOK_Click)", [&](Proc& proc) {
    auto date = ReadTwice([&] { return Calendar1->Value(); });
    if (!date || !date->InHostRange()) {
      ShowMessage(ctx_, kInvalidDate, mb::kOkOnly, mb::kOk);
      return;
    }
    proc.line = 10;
    auto time = ReadTwice([&] { return cboTime->Text(); });
    if (HasTime(time) && !IsTime(time)) {
      ShowMessage(ctx_, kInvalidTime, mb::kOkOnly, mb::kOk);
      return;
    }
    proc.line = 20;
    std::string text = Date(std::floor(date->value())).ToGeneralString();
    if (HasTime(time)) text += " " + time;
    result_ = text;
    form_->Unload();
  });
}

void frmReminder::cmdCancel_Click() {
  result_.clear();
  IgnoreError([&] { form_->Unload(); });
}

void frmReminder::cmdHelp_Click() {
  if (ctx_.support) ctx_.support->ShowContextHelp(kHelpPage);
}

// ---- frmWarningOnReminder ----

frmWarningOnReminder::frmWarningOnReminder(AddinContext& ctx, std::string title)
    : ctx_(ctx), title_(std::move(title)) {}

frmWarningOnReminder::~frmWarningOnReminder() { Release(); }

void frmWarningOnReminder::Release() {
  events_.clear();
  chkDontAsk.reset();
  form_.reset();
}

void frmWarningOnReminder::Show() {
  form_ = Must(ctx_.platform.forms).CreateForm("frmWarningOnReminder");
  if (auto error = Attempt([&] {
        auto label = form_->Add<ui::Label>("lblWarning");
        Must(label).Move(120, 120, 4800, 735);
        chkDontAsk = form_->Add<ui::CheckBox>("chkDontAsk");
        Must(chkDontAsk).Move(120, 960, 4800, 495);
        events_.push_back(chkDontAsk->OnClick([this] { chkDontAsk_Click(); }));
        auto button = [&](std::string_view name, std::string_view caption, int32_t left,
                          void (frmWarningOnReminder::*click)()) {
          auto b = form_->Add<ui::CommandButton>(name);
          Must(b).SetCaption(caption);
          b->Move(left, 1560, 1200, 375);
          events_.push_back(b->OnClick([this, click] { (this->*click)(); }));
        };
        button("cmdYes", "OK", 2460, &frmWarningOnReminder::cmdYes_Click);
        button("cmdNo", "Cancel", 3720, &frmWarningOnReminder::cmdNo_Click);
        events_.push_back(form_->OnUnload([this](int&) { Form_Unload(); }));
        form_->Move(form_->Left(), form_->Top(), 5160, 2460);
      })) {
    IgnoreError([&] { form_->Unload(); });
    Release();
    throw *error;
  }
  Form_Load();
  auto shown = Attempt([&] { form_->Show(ui::kModal); });
  Form_Unload();
  IgnoreError([&] { form_->Unload(); });
  Release();
  if (shown) throw *shown;
}

void frmWarningOnReminder::Form_Load() {
  RunGuardedSub(ctx_, "frmWarningOnReminder(Sub Form_Load)", [&](Proc&) {
    form_->SetCaption(LoadResString(res::kProductName));
    std::dynamic_pointer_cast<ui::Label>(form_->Control("lblWarning"))
        ->SetCaption("The reminder for '" + title_ + "' will not appear " +
                     "because the item is not in your inbox or tasks folder.");
    chkDontAsk->SetCaption(
        "Don't show this message again. "
        "(You may later change this option in \"Pinlet options\" window)");
  });
}

void frmWarningOnReminder::cmdYes_Click() {
  RunGuardedSub(ctx_, "frmWarningOnReminder(Sub cmdYes_Click)", [&](Proc&) {
    blnYes = true;
    Form_Unload();
    form_->Unload();
  });
}

void frmWarningOnReminder::cmdNo_Click() {
  RunGuardedSub(ctx_, "frmWarningOnReminder(Sub cmdNo_Click)", [&](Proc&) {
    blnYes = false;
    Form_Unload();
    form_->Unload();
  });
}

void frmWarningOnReminder::chkDontAsk_Click() {
  IgnoreError([&] { dont_ask_ = ReadTwice([&] { return chkDontAsk->Value(); }) == 1; });
}

void frmWarningOnReminder::Form_Unload() {
  if (stored_) return;
  stored_ = true;
  // A write that fails is done once more: the user's choice is kept.
  for (int attempt = 0; attempt < 2; ++attempt)
    if (WriteText(ctx_.registry(), kNoteKey, "WarningOnReminder", dont_ask_ ? "0" : "1"))
      break;
}

}  // namespace pinlet
