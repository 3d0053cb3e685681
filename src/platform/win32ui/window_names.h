// What the forms' windows are called, for a program in the add-in's process
// that finds them as a user's tools find windows (the test host, which
// drives them as a user would): the class of every form's window, and the
// window properties each carries. A property's value is owned by the
// window and valid while it exists.
//
// What only the add-in knows of a form (its description, a note window's
// note) is not on the windows: the add-in publishes it through its COM
// object (comserver/connect_object.h, DescribeWindow).
#ifndef PINLET_PLATFORM_WIN32UI_WINDOW_NAMES_H_
#define PINLET_PLATFORM_WIN32UI_WINDOW_NAMES_H_

namespace pinlet::win32ui {

// The window class of every form (a top-level window of the add-in's).
inline constexpr wchar_t kFormWindowClass[] = L"PinletForm";
// On every form's and control's window: its design name, NUL-terminated
// UTF-16 ("frmComments", "Text"), as a form's code names it.
inline constexpr wchar_t kDesignNameProp[] = L"Pinlet.DesignName";
// Present on a form's window while it is shown modally.
inline constexpr wchar_t kModalProp[] = L"Pinlet.Modal";

}  // namespace pinlet::win32ui

#endif  // PINLET_PLATFORM_WIN32UI_WINDOW_NAMES_H_
