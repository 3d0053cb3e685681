// The support library's about box: a modal dialog (class "#32770") from the
// library's own resources, owned by the window active on the calling
// thread, showing the texts of platform/support_library_texts.h. Its Help
// button opens the help index and leaves the box up; OK, Escape or the
// close box end it.
#ifndef PINLET_LIBZARVO_ABOUT_BOX_H_
#define PINLET_LIBZARVO_ABOUT_BOX_H_

#include <windows.h>

#include <functional>

#include "libzarvo/resource_ids.h"

namespace pinlet::libzarvo {

// Shows the box from `module`'s resources until the user closes it;
// `open_index` runs for each press of Help. Answers false when the box
// could not be shown.
bool ShowAboutBox(HMODULE module, const std::function<void()>& open_index);

}  // namespace pinlet::libzarvo

#endif  // PINLET_LIBZARVO_ABOUT_BOX_H_
