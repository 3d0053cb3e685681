// What the windows of the forms share: the firewall of a window procedure,
// owned GDI objects, window texts and the registration of our own window
// classes.
//
// A window procedure is an entry point the system calls: nothing C++ may
// unwind through it. Every handler the add-in subscribes to a form or a
// control runs through AtWindowBoundary, and every window procedure of ours
// runs its body through InWindowProc; both stop what escapes at the COM
// layer's one firewall (com::AtComBoundary), which records it through the
// module's defect recorder. A HostError escaping there is a defect too: the
// add-in's handler should have handled it.
#ifndef PINLET_PLATFORM_WIN32UI_WINDOW_SUPPORT_H_
#define PINLET_PLATFORM_WIN32UI_WINDOW_SUPPORT_H_

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/com/com_boundary.h"
#include "platform/ui.h"

namespace pinlet::win32ui {

// The handler as a window procedure calls it: through the firewall, named
// `entry` ("frmComments.Text_Change") for the defect record.
template <typename... Args>
std::function<void(Args...)> AtWindowBoundary(std::string entry,
                                              std::function<void(Args...)> handler) {
  return [entry = std::move(entry), handler = std::move(handler)](Args... args) {
    com::AtComBoundary(
        entry, [&] { handler(std::forward<Args>(args)...); }, com::Report::kNone, nullptr,
        IID_NULL, /*host_errors_are_defects=*/true);
  };
}

// Runs the body of a window procedure through the firewall; answers what
// the body answered, or `failed` when something escaped it.
template <typename Body>
LRESULT InWindowProc(std::string_view entry, LRESULT failed, Body&& body) {
  LRESULT result = failed;
  com::AtComBoundary(
      entry, [&] { result = std::forward<Body>(body)(); }, com::Report::kNone, nullptr,
      IID_NULL, /*host_errors_are_defects=*/true);
  return result;
}

// An owned font made from the add-in's description, its size in points at
// the screen's dots per inch. An empty GdiFont holds no font.
class GdiFont {
 public:
  GdiFont() = default;
  explicit GdiFont(const ui::Font& font);
  ~GdiFont();
  GdiFont(GdiFont&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiFont& operator=(GdiFont&& other) noexcept;
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;
  HFONT get() const { return handle_; }

 private:
  HFONT handle_ = nullptr;
};

// An owned solid brush of a colour (0x00BBGGRR, the system's COLORREF).
class SolidBrush {
 public:
  SolidBrush() = default;
  ~SolidBrush();
  SolidBrush(const SolidBrush&) = delete;
  SolidBrush& operator=(const SolidBrush&) = delete;
  // The brush of `colour`, made anew when the colour changed; nullptr when
  // the system refuses one.
  HBRUSH Of(uint32_t colour);

 private:
  HBRUSH handle_ = nullptr;
  uint32_t colour_ = 0;
};

// A window's whole text in UTF-16; "" for no window.
std::wstring WindowTextOf(HWND window);
// The module (DLL or program) this code is linked into, which owns our
// window classes.
HINSTANCE ThisModule();
// Registers a window class of ours once per process (CS_DBLCLKS, the arrow
// cursor, no background brush: the window paints its own). Answers the
// class name.
const wchar_t* OurWindowClass(const wchar_t* name, WNDPROC procedure);
// Loads the common controls of comctl32 that the forms use (the tab strip,
// the image combo, the month calendar, tool tips), once per process.
void InitCommonControlsOnce();
// The shift argument of key and mouse events from the keyboard's state.
int ShiftState();
// The button argument of mouse events (ui::mouse::k...) from a mouse
// message's key flags.
int MouseButtons(WPARAM wparam);
// A window handle as the add-in carries it, and back.
inline WindowHandle HandleOf(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(window));
}

}  // namespace pinlet::win32ui

#endif  // PINLET_PLATFORM_WIN32UI_WINDOW_SUPPORT_H_
