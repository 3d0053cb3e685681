// What pinlet.dll says of a window of its own when a program in its process
// asks through the add-in's COM object (connect_object.h, DescribeWindow):
// a form as its description gives it, and what only the add-in knows of a
// note window. Office never asks; a host that drives the add-in's windows as
// a user would (the test host) reads them with it, so that what it prints
// of a real window reads as the simulated machine's. Asking calls nothing
// of the host's and changes nothing.
#ifndef PINLET_COMSERVER_WINDOW_DESCRIPTIONS_H_
#define PINLET_COMSERVER_WINDOW_DESCRIPTIONS_H_

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace pinlet {
class Connect;
}

namespace pinlet::com {

// What may be asked of a window (DescribeWindow's second argument).
namespace aspect {
inline constexpr std::string_view kForm = "form";  // any form: its description
inline constexpr std::string_view kNote = "note";  // a note window as text
inline constexpr std::string_view kNoteKind =
    "note kind";  // ", a new note" or ", the item's note"
inline constexpr std::string_view kNoteEditing =
    "note editing";  // "1" in the edit state, else "0"
inline constexpr std::string_view kNoteEntryId =
    "note entry id";  // the note's EntryID; "" for none
}  // namespace aspect

// An add-in object that answers DescribeWindow.
class DescribesWindows {
 public:
  virtual ~DescribesWindows() = default;
  // The `aspect` of `window`; nullopt when the window is none of the
  // module's loaded forms or the aspect is none of the above.
  virtual std::optional<std::string> DescribeWindow(HWND window,
                                                    std::string_view aspect) = 0;
};

// The answer of `addin` (nullptr: an add-in not connected, which knows no
// note window of its own): the note aspects come from its note windows,
// the form's from the form itself.
std::optional<std::string> DescribeWindowOf(Connect* addin, HWND window,
                                            std::string_view aspect);

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_WINDOW_DESCRIPTIONS_H_
