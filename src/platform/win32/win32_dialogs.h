// The common dialogs of platform/dialogs.h through the system's calls
// (ChooseColorW, ChooseFontW, GetOpenFileNameW, GetSaveFileNameW and
// CommDlgExtendedError).
//
// Each description is handed to the system as it is: flags pass through, so
// that a flag the system refuses fails as the system says. The colour
// dialog takes and gives back the sixteen custom colours. The font dialog
// starts from the Font as a LOGFONTW (its size in points at the screen's
// dots per inch, twips.h) and gives back the chosen size in tenths of a
// point as the system reports it; a CF_LIMITSIZE range whose minimum is
// above its maximum is refused here with cderr::kMaxLessThanMin, as the
// system documents it, without showing anything. The file dialogs take the
// filter as the common dialog control writes it ("Text|*.txt|All|*.*"),
// give back the full path chosen and the filter index, and offer room for
// a path of many times MAX_PATH. A cancel leaves the description's choice
// as given, with extended_error 0.
#ifndef PINLET_PLATFORM_WIN32_WIN32_DIALOGS_H_
#define PINLET_PLATFORM_WIN32_WIN32_DIALOGS_H_

#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace pinlet {

class Win32Dialogs : public CommonDialogs {
 public:
  bool ShowColor(ColorDialog& dialog) override;
  bool ShowFont(FontDialog& dialog) override;
  bool ShowOpen(FileDialog& dialog) override;
  bool ShowSave(FileDialog& dialog) override;

 private:
  bool ShowFile(FileDialog& dialog, bool save);
};

// The common dialog control's filter ("a|b|c|d") as the system takes it:
// the pieces each ended by a zero and the list by another ("a\0b\0c\0d\0\0").
// An empty filter is an empty list.
std::wstring FilterList(std::string_view filter);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_DIALOGS_H_
