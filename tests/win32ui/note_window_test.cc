// The note window (frmComments) built on real windows: the simulated
// Outlook for the mailbox, but the forms of Win32FormFactory and the
// system's clipboard.
#include <fstream>
#include <sstream>

// The add-in's and the simulated host's headers come before windows.h,
// whose macros (GetWindowText) would rename their members.
// clang-format off
#include "addin/connect.h"
#include "addin/outlook_connect.h"
#include "addin/string_table.h"
#include "notewindow/frm_comments.h"
#include "notewindow/frm_comments_design.h"
#include "platform/sim/host_session.h"
#include "platform/sim/sample_mailbox.h"
#include "platform/sim/world.h"
#include "store/store_subsystems.h"

#include "form_fixture.h"
#include "platform/win32/twips.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32ui/win32_control.h"
// clang-format on

namespace pinlet::testing {
namespace {

class NoteWindowOnWin32 : public FormTest {
 protected:
  NoteWindowOnWin32() {
    sim::BuildSampleMailbox(world_.store, world_.clock.now());
    std::ifstream in(std::string(PINLET_SOURCE_DIR) + "/resources/PNX.xml");
    std::stringstream view;
    view << in.rdbuf();
    world_.Install(view.str());
    session_ = std::make_unique<sim::HostSession>(&world_, [this](const Platform& p) {
      Platform real = p;
      real.forms = &factory_;
      real.clipboard = &clipboard_;
      Subsystems s;
      InstallStore(s);
      InstallNoteWindow(s);
      s.refresh_active_explorer = [](AddinContext&) {};
      s.clear_explorer_entry_id = [](AddinContext&, const std::string&) {};
      s.set_inspector_note_button = [](AddinContext&, const ol::ItemPtr&, bool) {};
      addin_ = std::make_shared<Connect>(real, s);
      return addin_;
    });
    session_->Start();
  }
  ~NoteWindowOnWin32() override {
    session_.reset();  // the add-in unloads its windows
    for (const std::string& defect : world_.defects()) ADD_FAILURE() << defect;
  }

  // A new note for an inbox item, as the Add Note button opens it.
  std::shared_ptr<frmComments> AddNote(int index) {
    AddinContext& ctx = addin_->context();
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
  // The window of the form's control of that name.
  struct Search {
    std::string_view name;
    HWND found;
  };
  static BOOL CALLBACK Compare(HWND child, LPARAM lparam) {
    auto* search = reinterpret_cast<Search*>(lparam);
    win32ui::ControlCore* control = win32ui::ControlOf(child);
    if (control && control->hwnd() == child && control->name == search->name)
      search->found = child;
    return search->found == nullptr;
  }
  static HWND ControlWindow(ui::Form& form, std::string_view name) {
    Search search{name, nullptr};
    EnumChildWindows(reinterpret_cast<HWND>(form.hWnd()), &Compare,
                     reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  static void ClickOn(HWND window) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }

  sim::World world_;
  Win32Clipboard clipboard_;
  std::shared_ptr<Connect> addin_;
  std::unique_ptr<sim::HostSession> session_;
};

TEST_F(NoteWindowOnWin32, TooSmallAWindowSnapsBackToItsMinimum) {
  auto window = AddNote(6);
  ASSERT_TRUE(window && window->loaded());
  ui::Form& form = *window->form();
  EXPECT_TRUE(form.Visible());
  form.Move(form.Left(), form.Top(), 3000, 1000);
  EXPECT_EQ(form.Width(), design::kWidth);
  int32_t minimum = window->frmState == kEditState ? design::kMinEdit : design::kMinView;
  EXPECT_EQ(form.Height(), minimum);
  // The text fills the width less the margin, to the pixel.
  auto text = form.Control("Text");
  EXPECT_NEAR(text->Width(), design::kWidth - design::kWidthLess, PixelsToTwipsX(1));
}

TEST_F(NoteWindowOnWin32, TheUndoButtonTogglesTheLastEdit) {
  auto window = AddNote(6);
  ASSERT_TRUE(window && window->loaded());
  ui::Form& form = *window->form();
  auto text = std::dynamic_pointer_cast<ui::TextBox>(form.Control("Text"));
  HWND edit = WindowOf(*text);
  text->SetSelStart(static_cast<int32_t>(text->Text().size()));
  std::string before = text->Text();
  for (wchar_t c : std::wstring(L"note")) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(text->Text(), before + "note");
  HWND undo = ControlWindow(form, "imgTextUndo");
  ASSERT_NE(undo, nullptr);
  ClickOn(undo);
  EXPECT_EQ(text->Text(), before);
  ClickOn(undo);
  EXPECT_EQ(text->Text(), before + "note");
}

}  // namespace
}  // namespace pinlet::testing
