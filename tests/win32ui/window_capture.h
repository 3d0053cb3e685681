// A picture of a real window as it draws itself, for tests that look at
// what the user would see.
#ifndef PINLET_TESTS_WIN32UI_WINDOW_CAPTURE_H_
#define PINLET_TESTS_WIN32UI_WINDOW_CAPTURE_H_

#include <windows.h>

#include <optional>
#include <string>

#include "png_file.h"

namespace pinlet::testing {

struct Capture {
  Image image;         // the whole window, frame included
  std::string method;  // "PrintWindow" or "BitBlt", whichever drew it
};

// Paints `window` and its children (RedrawWindow) and copies it into a 32-bit top-down
// DIB section: first through PrintWindow, then, when that fails or leaves any pixel
// untouched (the section is filled first with a colour no window of ours draws), with
// BitBlt from a DC of the whole window, children included. Wine's PrintWindow draws the
// window's background but neither its frame nor its children, so there the BitBlt is the
// one that works. nullopt when the window has no area or neither way drew every pixel.
std::optional<Capture> CaptureWindow(HWND window);

// How many of the image's pixels are `colour` (COLORREF).
size_t CountColour(const Image& image, uint32_t colour);

}  // namespace pinlet::testing

#endif  // PINLET_TESTS_WIN32UI_WINDOW_CAPTURE_H_
