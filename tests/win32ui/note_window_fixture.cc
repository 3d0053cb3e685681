// clang-format off
#include "note_window_fixture.h"

#include <fstream>
#include <sstream>

#include "addin/outlook_connect.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "sim/machine/sample_mailbox.h"
#include "store/store_subsystems.h"

#include "platform/win32ui/win32_control.h"
// clang-format on

namespace pinlet::testing {
namespace {

struct Search {
  std::string_view name;
  HWND found;
};

BOOL CALLBACK Compare(HWND child, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  win32ui::ControlCore* control = win32ui::ControlOf(child);
  if (control && control->hwnd() == child && control->name == search->name)
    search->found = child;
  return search->found == nullptr;
}

}  // namespace

NoteWindowOnWin32::NoteWindowOnWin32(Surfaces surfaces) {
  sim::BuildSampleMailbox(world_.store, world_.clock.now());
  std::ifstream in(std::string(PINLET_SOURCE_DIR) + "/resources/PNX.xml");
  std::stringstream view;
  view << in.rdbuf();
  world_.Install(view.str());
  if (surfaces.note_colour != 0)
    WriteValue(world_.registry, RootKey::kCurrentUser, kNoteKey, "BackColor",
               Variant(static_cast<int32_t>(surfaces.note_colour)), kWriteDword);
  session_ =
      std::make_unique<sim::HostSession>(&world_, [this, surfaces](const Platform& p) {
        Platform real = p;
        real.forms = &factory_;
        real.clipboard = &clipboard_;
        real.dialogs = &dialogs_;
        if (surfaces.window_manager) real.window_manager = &window_manager_;
        Subsystems s;
        InstallStore(s);
        InstallNoteWindow(s);
        addin_ = std::make_shared<Connect>(real, s);
        return addin_;
      });
  session_->Start();
}

NoteWindowOnWin32::~NoteWindowOnWin32() {
  session_.reset();
  for (const std::string& defect : world_.defects()) ADD_FAILURE() << defect;
}

std::shared_ptr<frmComments> NoteWindowOnWin32::AddNote(int index) {
  AddinContext& ctx = context();
  ol::ItemPtr item =
      ctx.name_space->GetDefaultFolder(ol::kFolderInbox)->Items()->Item(index);
  bool close = false;
  ctx.outlook_connector->PinletClick(LoadResString(res::kAddNote), true, item, nullptr,
                                     close, nullptr);
  for (const auto& window : *ctx.note_windows)
    if (window->strID == item->EntryID())
      return std::dynamic_pointer_cast<frmComments>(window);
  return nullptr;
}

HWND NoteWindowOnWin32::ControlWindow(ui::Form& form, std::string_view name) {
  Search search{name, nullptr};
  EnumChildWindows(reinterpret_cast<HWND>(form.hWnd()), &Compare,
                   reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void NoteWindowOnWin32::ClickOn(HWND window) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

std::shared_ptr<ui::TextBox> NoteWindowOnWin32::TextOf(frmComments& note) {
  return std::dynamic_pointer_cast<ui::TextBox>(note.form()->Control("Text"));
}

}  // namespace pinlet::testing
