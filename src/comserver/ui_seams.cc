#include "comserver/ui_seams.h"

#include <windows.h>
// windows.h names GetWindowText as a macro; the window manager's member of
// that name is meant here.
#undef GetWindowText

#include <string>

#include "platform/com/com_ptr.h"
#include "platform/host_error.h"

namespace pinlet::comserver {
namespace {

// Marks that the add-in needed `what` of the user interface.
void MarkNeeded(std::string_view what) {
  SetEnvironmentVariableW(L"PINLET_UI_SEAM", com::Wide(what).c_str());
}

class NoMessageBoxes : public MessageBoxes {
 public:
  int Show(std::string_view, std::string_view, int) override {
    MarkNeeded("message box");
    return 0;
  }
};

class NoWindows : public WindowManager {
 public:
  bool SetWindowPos(WindowHandle, WindowHandle, int32_t, int32_t, int32_t, int32_t,
                    uint32_t) override {
    return Needed(false);
  }
  bool ShowWindow(WindowHandle, int) override { return Needed(false); }
  bool SetForegroundWindow(WindowHandle) override { return Needed(false); }
  WindowHandle GetActiveWindow() override { return Needed(WindowHandle{0}); }
  std::optional<Rect> GetWindowRect(WindowHandle) override {
    return Needed(std::optional<Rect>());
  }
  std::string GetWindowText(WindowHandle) override { return Needed(std::string()); }
  bool IsWindow(WindowHandle) override { return Needed(false); }
  bool IsWindowVisible(WindowHandle) override { return Needed(false); }
  std::vector<WindowHandle> EnumWindows() override {
    return Needed(std::vector<WindowHandle>());
  }
  Rect GetScreenRect() override { return Needed(Rect{}); }
  std::optional<Rect> GetWorkArea() override { return Needed(std::optional<Rect>()); }
  uint32_t GetSysColor(int) override { return Needed(uint32_t{0}); }

 private:
  template <typename T>
  T Needed(T answer) {
    MarkNeeded("window manager");
    return answer;
  }
};

class NoForms : public ui::FormFactory {
 public:
  ui::FormPtr CreateForm(std::string_view design_name) override {
    MarkNeeded("form " + std::string(design_name));
    throw HostError(errors::kCannotCreateObject, "ActiveX component can't create object",
                    std::string(design_name));
  }
};

class NoDialogs : public CommonDialogs {
 public:
  bool ShowColor(ColorDialog& dialog) override { return Fail("colour dialog", dialog); }
  bool ShowFont(FontDialog& dialog) override { return Fail("font dialog", dialog); }
  bool ShowOpen(FileDialog& dialog) override { return Fail("open dialog", dialog); }
  bool ShowSave(FileDialog& dialog) override { return Fail("save dialog", dialog); }

 private:
  template <typename Dialog>
  bool Fail(std::string_view what, Dialog& dialog) {
    MarkNeeded(what);
    dialog.extended_error = cderr::kDialogFailure;
    return false;
  }
};

}  // namespace

struct UiSeams::Surfaces {
  NoMessageBoxes message_boxes;
  NoWindows windows;
  NoForms forms;
  NoDialogs dialogs;
};

UiSeams::UiSeams() : surfaces_(std::make_unique<Surfaces>()) {}
UiSeams::~UiSeams() = default;

void UiSeams::Fill(Platform& platform) {
  platform.message_boxes = &surfaces_->message_boxes;
  platform.window_manager = &surfaces_->windows;
  platform.forms = &surfaces_->forms;
  platform.dialogs = &surfaces_->dialogs;
}

}  // namespace pinlet::comserver
