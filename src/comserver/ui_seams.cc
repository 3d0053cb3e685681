#include "comserver/ui_seams.h"

#include <windows.h>
// windows.h names GetWindowText as a macro; the window manager's member of
// that name is meant here.
#undef GetWindowText

#include <string_view>

#include "comserver/shown_surface.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_window_manager.h"
#include "platform/win32ui/win32_form_factory.h"

namespace pinlet::comserver {
namespace {

// The system's message boxes, each noted with its style while it is up.
class NotedMessageBoxes : public MessageBoxes {
 public:
  int Show(std::string_view text, std::string_view title, int style) override {
    ShownSurface shown;
    shown.style = style;
    NoteShown(shown);
    int answer = boxes_.Show(text, title, style);
    ClearShown();
    return answer;
  }

 private:
  Win32MessageBoxes boxes_;
};

// The system's common dialogs, each noted with its description while it is
// up.
class NotedDialogs : public CommonDialogs {
 public:
  bool ShowColor(ColorDialog& dialog) override {
    ShownSurface shown;
    shown.kind = ShownSurface::Kind::kColor;
    shown.color = dialog;
    return Noted(shown, [&] { return dialogs_.ShowColor(dialog); });
  }
  bool ShowFont(FontDialog& dialog) override {
    ShownSurface shown;
    shown.kind = ShownSurface::Kind::kFont;
    shown.font = dialog;
    return Noted(shown, [&] { return dialogs_.ShowFont(dialog); });
  }
  bool ShowOpen(FileDialog& dialog) override {
    ShownSurface shown;
    shown.kind = ShownSurface::Kind::kOpen;
    shown.file = dialog;
    return Noted(shown, [&] { return dialogs_.ShowOpen(dialog); });
  }
  bool ShowSave(FileDialog& dialog) override {
    ShownSurface shown;
    shown.kind = ShownSurface::Kind::kSave;
    shown.file = dialog;
    return Noted(shown, [&] { return dialogs_.ShowSave(dialog); });
  }

 private:
  template <typename Show>
  bool Noted(const ShownSurface& shown, Show show) {
    NoteShown(shown);
    bool chosen = show();
    ClearShown();
    return chosen;
  }

  Win32Dialogs dialogs_;
};

}  // namespace

struct UiSeams::Surfaces {
  NotedMessageBoxes message_boxes;
  Win32WindowManager windows;
  Win32FormFactory forms;
  NotedDialogs dialogs;
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
