// The note window as the user sees it: a capture of the real window, and
// the PNG file it can be written to (PINLET_SCREENSHOT names the path;
// tools/screenshot_wine.sh makes docs/windows/note_window_wine.png so).
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

// clang-format off
#include "note_window_fixture.h"
#include "png_file.h"
#include "window_capture.h"
// clang-format on

namespace pinlet::testing {
namespace {

uint32_t BigEndianAt(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

struct Chunk {
  std::string type, data;
  bool crc_ok;
};

// The chunks of a PNG file after its signature; empty when the signature is
// wrong or a chunk runs past the end.
std::vector<Chunk> ChunksOf(const std::string& png) {
  std::vector<Chunk> chunks;
  if (png.compare(0, 8, std::string("\x89PNG\r\n\x1a\n", 8)) != 0) return chunks;
  for (size_t at = 8; at + 12 <= png.size();) {
    uint32_t length = BigEndianAt(png, at);
    if (at + 12 + length > png.size()) return {};
    std::string body = png.substr(at + 4, 4 + length);
    uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(body.data()),
                      static_cast<uInt>(body.size()));
    chunks.push_back(
        {body.substr(0, 4), body.substr(4), crc == BigEndianAt(png, at + 8 + length)});
    at += 12 + length;
  }
  return chunks;
}

TEST(PngFile, HoldsTheImageRowByRowInRedGreenBlue) {
  // Two rows of three pixels (COLORREF: 0x00BBGGRR).
  Image image{3, 2, {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0x000000, 0xFFFFFF}};
  std::vector<Chunk> chunks = ChunksOf(EncodePng(image));
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  for (const Chunk& chunk : chunks) EXPECT_TRUE(chunk.crc_ok) << chunk.type;
  ASSERT_EQ(chunks[0].data.size(), 13u);
  EXPECT_EQ(BigEndianAt(chunks[0].data, 0), 3u);
  EXPECT_EQ(BigEndianAt(chunks[0].data, 4), 2u);
  EXPECT_EQ(chunks[0].data.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
  EXPECT_TRUE(chunks[2].data.empty());

  std::string raw(64, '\0');
  uLongf size = raw.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size,
                       reinterpret_cast<const Bytef*>(chunks[1].data.data()),
                       static_cast<uLong>(chunks[1].data.size())),
            Z_OK);
  raw.resize(size);
  EXPECT_EQ(raw, std::string("\0"
                             "\xFF\x00\x00"
                             "\x00\xFF\x00"
                             "\x00\x00\xFF"
                             "\0"
                             "\x56\x34\x12"
                             "\x00\x00\x00"
                             "\xFF\xFF\xFF",
                             20));
}

TEST(PngFile, RefusesAnImageWhosePixelsDoNotFitItsSize) {
  EXPECT_EQ(EncodePng(Image{}), "");
  EXPECT_EQ(EncodePng(Image{2, 2, {0, 0, 0}}), "");
  EXPECT_FALSE(WritePng("Z:\\no\\such\\folder\\x.png", Image{1, 1, {0}}));
}

// A note on a colour of its own, so that the picture shows which part
// carries the note's colour and which the frame's.
constexpr uint32_t kGreenNote = 0xCCFFCC;

class NotePicture : public NoteWindowOnWin32 {
 protected:
  NotePicture() : NoteWindowOnWin32(Surfaces{.note_colour = kGreenNote}) {}
};

TEST_F(NotePicture, TheNoteWindowDrawsItsColoursIntoACapture) {
  // The time to open a note (create, fill, show): the process's first,
  // which pays for the window classes and fonts, then another.
  auto timed = [&](int index) {
    auto start = std::chrono::steady_clock::now();
    auto opened = AddNote(index);
    auto took = std::chrono::steady_clock::now() - start;
    return std::make_pair(opened,
                          std::chrono::duration<double, std::milli>(took).count());
  };
  auto [note, first_ms] = timed(6);
  auto [second, second_ms] = timed(5);
  std::printf("opening a note window (create, fill, show): first %.1f ms, next %.1f ms\n",
              first_ms, second_ms);
  ASSERT_TRUE(second && second->loaded());
  second->Unload();
  ASSERT_TRUE(note && note->loaded());
  ASSERT_EQ(note->back_colour(), kGreenNote);
  TextOf(*note)->SetText(
      "Call Ann back about the quarterly figures.\r\n"
      "Bring the signed contract on Friday.\r\n"
      "Lunch at noon?");
  Pump(100);

  HWND window = reinterpret_cast<HWND>(note->hwnd());
  // The note folds to its view state once it is left inactive for a while,
  // which a loaded machine can take; a click on its background unfolds it,
  // as it does for the user.
  if (note->frmState != kEditState) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Pump(100);
  }
  ASSERT_EQ(note->frmState, kEditState);
  std::optional<Capture> capture = CaptureWindow(window);
  ASSERT_TRUE(capture) << "nothing drew the window";
  std::printf("captured %dx%d through %s\n", capture->image.width, capture->image.height,
              capture->method.c_str());
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(capture->image.width, rect.right - rect.left);
  EXPECT_EQ(capture->image.height, rect.bottom - rect.top);
  // The text box carries the note's colour, the frame around it its own
  // yellow; each covers a good part of the window.
  size_t area = capture->image.pixels.size();
  EXPECT_GT(CountColour(capture->image, kGreenNote), area / 10);
  EXPECT_GT(CountColour(capture->image, kFrameColour), area / 20);

  if (const char* path = std::getenv("PINLET_SCREENSHOT")) {
    EXPECT_TRUE(WritePng(path, capture->image)) << path;
  }
}

}  // namespace
}  // namespace pinlet::testing
