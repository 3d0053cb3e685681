// The note window's commands that reach past its own window, on the
// system's surfaces: the clipboard Insert Date borrows, the top-most band of
// the window manager, the colour dialog.
#include <array>
#include <cstring>

// clang-format off
#include "note_window_fixture.h"
#include "platform/clipboard.h"
#include "platform/win32/modal_answerer.h"
// clang-format on

namespace pinlet::testing {
namespace {

// A packed DIB of `width` x 2 pixels, 32 bits, bottom-up: each pixel of the
// top row its own colour, the bottom row black.
std::string TwoRowDib(const std::vector<uint32_t>& top_row) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = static_cast<LONG>(top_row.size());
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  std::string dib(reinterpret_cast<const char*>(&header), sizeof(header));
  dib.append(top_row.size() * 4, '\0');  // the bottom row, stored first
  for (uint32_t pixel : top_row) dib.append(reinterpret_cast<const char*>(&pixel), 4);
  return dib;
}

// The pixel (x, y from the top) of a packed 24- or 32-bit DIB as 0xRRGGBB;
// ~0u when the DIB is of another depth or too short.
uint32_t PixelOf(const std::string& dib, int x, int y) {
  BITMAPINFOHEADER header;
  if (dib.size() < sizeof(header)) return ~0u;
  std::memcpy(&header, dib.data(), sizeof(header));
  if (header.biBitCount != 24 && header.biBitCount != 32) return ~0u;
  size_t bytes = header.biBitCount / 8;
  size_t stride = (header.biWidth * bytes + 3) / 4 * 4;
  size_t offset = header.biSize + (header.biCompression == BI_BITFIELDS ? 12 : 0);
  int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  int row = header.biHeight < 0 ? y : height - 1 - y;
  size_t at = offset + row * stride + x * bytes;
  if (at + 3 > dib.size()) return ~0u;
  auto byte = [&](size_t i) { return static_cast<uint8_t>(dib[at + i]); };
  return byte(2) << 16 | byte(1) << 8 | byte(0);
}

TEST_F(NoteWindowOnWin32, InsertDateTypesAtTheCaretAndGivesTheClipboardBack) {
  auto note = AddNote(6);
  ASSERT_TRUE(note && note->loaded());
  auto text = TextOf(*note);
  text->SetText("Call Ann back");
  text->SetSelStart(5);
  // Another program left text and a picture on the clipboard.
  const std::vector<uint32_t> colours = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
  Win32Clipboard other;
  ASSERT_TRUE(other.Open());
  EXPECT_TRUE(other.Empty());
  EXPECT_TRUE(
      other.SetData(cf::kUnicodeText, UnicodeTextBlock("the other program's text")));
  EXPECT_TRUE(other.SetData(cf::kBitmap, TwoRowDib(colours)));
  ASSERT_TRUE(other.Close());

  ClickOn(ControlWindow(*note->form(), "imgAddDate"));

  std::string date = context().platform.clock->Now().ToGeneralString();
  ASSERT_FALSE(date.empty());
  EXPECT_EQ(text->Text(), "Call " + date + "Ann back");
  EXPECT_EQ(text->SelStart(), static_cast<int32_t>(5 + date.size()));
  ASSERT_TRUE(other.Open());
  auto back_text = other.GetData(cf::kUnicodeText);
  auto bitmap = other.GetData(cf::kBitmap);
  auto dib = other.GetData(cf::kDib);
  other.Close();
  ASSERT_TRUE(back_text);
  EXPECT_EQ(TextFromUnicodeBlock(*back_text), "the other program's text");
  // The picture is the same, read back both ways the system offers it.
  for (const auto& picture : {bitmap, dib}) {
    ASSERT_TRUE(picture);
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(PixelOf(*picture, x, 0), colours[x]) << "pixel " << x;
      EXPECT_EQ(PixelOf(*picture, x, 1), 0u) << "pixel " << x << " of the bottom row";
    }
  }
}

TEST_F(NoteWindowOnWin32, InsertDateLeavesAnEmptyClipboardEmpty) {
  auto note = AddNote(6);
  ASSERT_TRUE(note && note->loaded());
  auto text = TextOf(*note);
  text->SetText("");
  Win32Clipboard other;
  ASSERT_TRUE(other.Open());
  other.Empty();
  other.Close();

  ClickOn(ControlWindow(*note->form(), "imgAddDate"));

  EXPECT_EQ(text->Text(), context().platform.clock->Now().ToGeneralString());
  ASSERT_TRUE(other.Open());
  EXPECT_FALSE(other.IsFormatAvailable(cf::kUnicodeText)) << "the date stayed behind";
  other.Close();
}

// The on-top button with the system's window manager.
class NoteOnTopOnWin32 : public NoteWindowOnWin32 {
 protected:
  NoteOnTopOnWin32() : NoteWindowOnWin32(Surfaces{.window_manager = true}) {}
  static bool TopMost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }
  // Whether `upper` comes before `lower` in the system's z-order.
  static bool Above(HWND upper, HWND lower) {
    for (HWND at = GetTopWindow(nullptr); at; at = GetWindow(at, GW_HWNDNEXT)) {
      if (at == upper) return true;
      if (at == lower) return false;
    }
    return false;
  }
  static void BringToTop(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // Whether the system puts a window that owns a top-most popup (as a form
  // owns its tooltip) into the top-most band when another window is above
  // it. Windows does; Wine 8 answers the call with success and leaves the
  // window where it was.
  static bool BandTakesAnOwnerOfATopMostPopup() {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND popup = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", nullptr, WS_POPUP, 0, 0, 10,
                                 10, owner, nullptr, nullptr, nullptr);
    HWND above = CreateWindowExW(0, L"STATIC", L"above", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                 100, nullptr, nullptr, nullptr, nullptr);
    SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    bool taken = TopMost(owner);
    DestroyWindow(above);
    DestroyWindow(popup);
    DestroyWindow(owner);
    return taken;
  }
};

TEST_F(NoteOnTopOnWin32, TheOnTopButtonPutsTheNoteInAndOutOfTheTopMostBand) {
  if (!BandTakesAnOwnerOfATopMostPopup())
    GTEST_SKIP() << "this system keeps a window that owns a top-most popup (the note's "
                    "tooltip) out of the top-most band";
  auto note = AddNote(6);
  ASSERT_TRUE(note && note->loaded());
  HWND window = reinterpret_cast<HWND>(note->hwnd());
  HWND button = ControlWindow(*note->form(), "imgNoteOnTop");
  ASSERT_NE(button, nullptr);
  // Another program's window, brought up after the note.
  HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0,
                               0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(TopMost(window)) << "a new note starts as the setting says: not on top";
  BringToTop(other);
  EXPECT_TRUE(Above(other, window));

  ClickOn(button);
  EXPECT_TRUE(TopMost(window));
  EXPECT_TRUE(Above(window, other));
  BringToTop(other);  // a normal window cannot go above the band
  EXPECT_TRUE(Above(window, other));

  ClickOn(button);
  EXPECT_FALSE(TopMost(window));
  BringToTop(other);
  EXPECT_TRUE(Above(other, window));
  DestroyWindow(other);
}

TEST_F(NoteWindowOnWin32, ACancelledColourDialogChangesNothing) {
  auto note = AddNote(6);
  ASSERT_TRUE(note && note->loaded());
  const uint32_t colour = note->back_colour();
  // The custom colours the note offers in the dialog.
  const std::array<uint32_t, 16> offered = {
      0xF0CAA6, 0xCCFFCC, 0xCCCCFF, 0xCCFFFF, 0xFFFFFF, 0x0000FF, 0x00FFFF, 0xFF0000,
      0xF0CAA6, 0xCCFFCC, 0xCCCCFF, 0xCCFFFF, 0xFFFFFF, 0x00FF00, 0xFF00FF, 0xFFFF00};
  int shown = 0;
  ModalAnswerer answerer([&](HWND dialog) {
    ++shown;
    return dialog::Press(dialog, IDCANCEL);
  });
  ASSERT_TRUE(answerer.installed());

  ClickOn(ControlWindow(*note->form(), "imgTextColor"));

  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(answerer.cancelled().empty());
  EXPECT_EQ(note->back_colour(), colour);
  EXPECT_EQ(TextOf(*note)->BackColor(), colour);
  EXPECT_EQ(context().common_dialog->CustomColors(), offered);
  EXPECT_TRUE(TakeDefects().empty());
}

}  // namespace
}  // namespace pinlet::testing
