#include "sim/machine/sim_support_library.h"

#include "platform/host_error.h"
#include "sim/machine/boundary.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/world.h"
#include "platform/support_calls.h"
#include "platform/support_library_texts.h"
#include "platform/ui_controls.h"

namespace pinlet::sim {

namespace texts = support_texts;

namespace {

// The about box's layout, in twips inside the form: three lines of text
// across the top, the two buttons in a row at the bottom right.
constexpr int32_t kMargin = 240;
constexpr int32_t kInsideWidth = 4800;
constexpr int32_t kButtonWidth = 1095;
constexpr int32_t kButtonHeight = 375;
constexpr int32_t kButtonTop = 1440;
constexpr int32_t kInsideHeight = kButtonTop + kButtonHeight + kMargin;

// A page of the installed help as the simulated installer writes it: only
// its title, since the machine needs the file to be there, not to read it.
std::string StandInPage(const HelpPage& page) {
  std::string title(page.title);
  return "<html><head><title>" + title + "</title></head><body><h1>" + title +
         "</h1></body></html>\r\n";
}

}  // namespace

const std::vector<HelpPage>& ShippedHelpPages() {
  static const std::vector<HelpPage> pages = {
      {texts::kHelpIndex, "Pinlet Help"},
      {"About_Pinlet.htm", "About Pinlet"},
      {"Accessing_Pinlet_Options.htm", "Pinlet Options"},
      {"Insert_Note_to_Reply_Forward_letter.htm",
       "Inserting a Note into a Reply or Forward"},
      {"Editing_Note_Using_Pinlet_Actions.htm", "Editing a Note with Pinlet's Actions"},
  };
  return pages;
}

void InstallHelpPages(SimFileSystem& files, std::string_view install_dir) {
  for (const HelpPage& page : ShippedHelpPages())
    files.Store(texts::HelpPagePath(install_dir, page.file), StandInPage(page));
}

int32_t SimSupportLibrary::Init(int32_t module, int32_t kind,
                                std::shared_ptr<HostApplication>, int32_t version,
                                std::function<int32_t()> quick_start) {
  world_->faults.Check("LibZarvoInit");
  module_ = module;
  if (quick_start) quick_start();
  calls_.push_back(support_calls::InitRecord(kind, version));
  return 0;
}

int32_t SimSupportLibrary::LogMsg(int32_t module, std::string_view description,
                                  int32_t number, std::string_view tag, int32_t level,
                                  int32_t flag) {
  world_->faults.Check("LibZarvoLogMsg");
  calls_.push_back(
      support_calls::LogMsgRecord(module, description, number, tag, level, flag));
  // The library writes its own log, which is not a call of the add-in's.
  world_->files.Append(log_path_, support_calls::LogLine(world_->clock.now(), description,
                                                         number, tag, level));
  return 0;
}

int32_t SimSupportLibrary::ShowAbout(int32_t) {
  world_->faults.Check("LibZarvoShowAbout");
  calls_.push_back(support_calls::ShowAboutRecord());
  FaultInjector::Pause pause(world_->faults);
  CallAtBoundary(*world_, "LibZarvo.dll ShowAbout", [&] { RunAboutBox(); });
  return 0;
}

int32_t SimSupportLibrary::ShowContextHelp(int32_t, std::string_view page) {
  world_->faults.Check("LibZarvoShowContextHelp");
  calls_.push_back(support_calls::ShowContextHelpRecord(page));
  FaultInjector::Pause pause(world_->faults);
  CallAtBoundary(*world_, "LibZarvo.dll ShowContextHelp", [&] { OpenHelpPage(page); });
  return 0;
}

bool SimSupportLibrary::OpenHelpPage(std::string_view page) {
  FaultInjector::Pause pause(world_->faults);
  const std::string path = texts::HelpPagePath(world_->install_dir, page);
  if (texts::IsPageName(page) && world_->files.IsFile(path)) {
    // What the shell answers (no browser, say) is the shell's to show.
    world_->shell.Execute(0, "open", path, "", "", se::kShowNormal);
    return true;
  }
  world_->message_boxes.Ask(texts::MissingPageText(page, path),
                            texts::kHelpMissingCaption, mb::kOkOnly | mb::kExclamation);
  return false;
}

void SimSupportLibrary::RunAboutBox() {
  ui::FormPtr form = world_->ui.CreateForm("frmAbout");
  ui::Form* about = form.get();  // the handlers below never outlive `form`
  std::vector<Subscription> events;
  about->SetCaption(texts::kAboutCaption);

  auto label = [&](std::string_view name, std::string_view caption, int32_t top,
                   int32_t height) {
    auto control = about->Add<ui::Label>(name);
    Must(control).SetCaption(caption);
    control->Move(kMargin, top, kInsideWidth - 2 * kMargin, height);
    return control;
  };
  ui::Font heading;
  heading.size = 12;
  heading.bold = true;
  label("lblProduct", texts::kProductName, kMargin, 360)->SetFont(heading);
  label("lblVersion", texts::VersionLine(), 660, 255);
  label("lblDescription", texts::kDescription, 960, 255);

  auto button = [&](std::string_view name, std::string_view caption, int32_t left,
                    ui::Handler click) {
    auto control = about->Add<ui::CommandButton>(name);
    Must(control).SetCaption(caption);
    control->Move(left, kButtonTop, kButtonWidth, kButtonHeight);
    events.push_back(control->OnClick(std::move(click)));
  };
  const int32_t ok_left = kInsideWidth - kMargin - kButtonWidth;
  button("cmdHelp", texts::kHelpButton, ok_left - 120 - kButtonWidth,
         [this] { OpenHelpPage(texts::kHelpIndex); });
  button("cmdOK", texts::kOkButton, ok_left, [about] { about->Unload(); });

  // The outer size holds the frame and the title bar; the box is centred
  // in the work area, as a dialog of the system is.
  about->Move(0, 0, kInsideWidth, kInsideHeight);
  const int32_t width = 2 * kInsideWidth - about->ScaleWidth();
  const int32_t height = 2 * kInsideHeight - about->ScaleHeight();
  const Rect area = world_->windows.work_area();
  about->Move(area.left + (area.width - width) / 2, area.top + (area.height - height) / 2,
              width, height);

  about->Show(ui::kModal);
  events.clear();
  // Closed by the host, or hidden when it could not be: gone either way.
  if (auto sim = std::dynamic_pointer_cast<SimForm>(form); sim && sim->loaded())
    sim->UnloadWindow();
}

}  // namespace pinlet::sim
