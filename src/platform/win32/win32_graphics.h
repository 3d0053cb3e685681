// The graphics of platform/graphics.h through GDI.
//
// The button mask is made as the system's own picture code makes one: the
// face becomes a bitmap selected, with the screen's halftone palette
// selected and realised, into a memory device context; a monochrome bitmap
// of the same size is selected into a second one; with the first context's
// background colour set to the transparent colour (and its text colour to
// white) a SRCCOPY blit turns pixels of that colour into 1 and all others
// into 0. GetDIBits then reads the mask as a bottom-up 1-bit DIB whose colour
// table is black, white. Every GDI object made is released on every path; a
// call that fails answers nullopt. Calls must come from a thread that may use
// the screen's device context (any thread of a process with a desktop).
#ifndef PINLET_PLATFORM_WIN32_WIN32_GRAPHICS_H_
#define PINLET_PLATFORM_WIN32_WIN32_GRAPHICS_H_

#include "platform/graphics.h"

namespace pinlet {

class Win32Graphics : public Graphics {
 public:
  std::optional<std::string> CreateButtonMask(const Picture& picture,
                                              uint32_t transparent) override;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_GRAPHICS_H_
