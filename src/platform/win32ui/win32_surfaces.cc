// The surfaces: the picture box (a window class of ours that holds
// controls and measures text in its font), the image (a window class of
// ours that draws a Picture) and the month calendar (comctl32's).
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/win32_controls.h"

namespace pinlet::win32ui {
namespace {

class PictureBoxControl : public Control<ui::PictureBox> {
 public:
  PictureBoxControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name), kStatic) {}
  void Create(HWND parent) override {
    MakeWindow(parent, OurWindowClass(L"PinletPictureBox", &DefWindowProcW),
               WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 1215, 1215);
  }
  bool IsContainer() const override { return true; }
  bool ClickOnMouseUp() const override { return true; }
  LRESULT Pass(WNDPROC next, HWND window, UINT message, WPARAM wparam,
               LPARAM lparam) override {
    if (message == WM_ERASEBKGND) {
      RECT inside;
      GetClientRect(window, &inside);
      FillRect(reinterpret_cast<HDC>(wparam), &inside, brush_.Of(back_colour_));
      return 1;
    }
    return ControlCore::Pass(next, window, message, wparam, lparam);
  }

  ui::Font GetFont() override {
    Enter("PictureBox.Font");
    return font_;
  }
  void SetFont(const ui::Font& font) override {
    Enter("PictureBox.Font");
    ApplyFont(font);
  }
  int32_t TextWidth(std::string_view text) override {
    Enter("PictureBox.TextWidth");
    return PixelsToTwipsX(Measure(text).cx);
  }
  int32_t TextHeight(std::string_view text) override {
    Enter("PictureBox.TextHeight");
    return PixelsToTwipsY(Measure(text).cy);
  }
  int32_t WrappedTextHeight(std::string_view text, int32_t width) override {
    Enter("DrawText");
    std::wstring wide = com::Wide(text);
    RECT r = {0, 0, TwipsToPixelsX(width), 0};
    WithFont([&](HDC dc) {
      DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    });
    return PixelsToTwipsY(r.bottom - r.top);
  }

 private:
  template <typename Body>
  void WithFont(Body&& body) {
    HDC dc = GetDC(hwnd_);
    if (!dc) throw InvalidArgumentError("PictureBox.TextWidth");
    HGDIOBJ old = SelectObject(dc, gdi_font_.get());
    body(dc);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
  }
  // The widest line of `text` and the height of all its lines, in pixels.
  SIZE Measure(std::string_view text) {
    std::wstring wide = com::Wide(text);
    SIZE total = {0, 0};
    WithFont([&](HDC dc) {
      TEXTMETRICW metrics = {};
      GetTextMetricsW(dc, &metrics);
      size_t from = 0;
      while (true) {
        size_t end = wide.find(L'\n', from);
        std::wstring_view line(wide.data() + from,
                               (end == std::wstring::npos ? wide.size() : end) - from);
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        SIZE size = {0, metrics.tmHeight};
        if (!line.empty())
          GetTextExtentPoint32W(dc, line.data(), static_cast<int>(line.size()), &size);
        total.cx = std::max(total.cx, size.cx);
        total.cy += size.cy;
        if (end == std::wstring::npos) break;
        from = end + 1;
      }
    });
    return total;
  }
};

// Draws its picture at its natural size from the top-left corner, as an
// image control that does not stretch. The mouse's leaving is tracked
// (ControlCore), so that a picture button can show its plain face again.
class ImageControl : public Control<ui::Image> {
 public:
  ImageControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name), {true, true, false, true, false}) {}
  void Create(HWND parent) override {
    MakeWindow(parent, OurWindowClass(L"PinletImage", &DefWindowProcW), 0, 0, 315, 315);
  }
  bool ClickOnMouseUp() const override { return true; }
  LRESULT Pass(WNDPROC next, HWND window, UINT message, WPARAM wparam,
               LPARAM lparam) override {
    if (message == WM_PAINT) {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (!picture_.empty()) Draw(dc);
      EndPaint(window, &paint);
      return 0;
    }
    return ControlCore::Pass(next, window, message, wparam, lparam);
  }

  std::string PictureKey() override {
    Enter("Image.Picture");
    return key_;
  }
  void SetPicture(std::string_view key, const Picture& picture) override {
    Enter("Image.Picture");
    key_ = std::string(key);
    picture_ = picture;
    // The system's 32-bit DIB is blue, green, red from the low byte.
    bits_.resize(picture.pixels.size());
    for (size_t i = 0; i < bits_.size(); ++i) {
      uint32_t c = picture.pixels[i];
      bits_[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

 private:
  void Draw(HDC dc) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture_.width;
    info.bmiHeader.biHeight = -picture_.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, 0, 0, picture_.width, picture_.height, 0, 0, picture_.width,
                  picture_.height, bits_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }

  std::string key_;
  Picture picture_;
  std::vector<uint32_t> bits_;
};

class CalendarControl : public Control<ui::Calendar> {
 public:
  CalendarControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name), kFocusable) {
    back_colour_ = GetSysColor(COLOR_WINDOW);
  }
  void Create(HWND parent) override {
    MakeWindow(parent, MONTHCAL_CLASSW, WS_TABSTOP, 0, 3000, 2500);
  }
  std::optional<Date> Value() override {
    Enter("Calendar.Value");
    SYSTEMTIME day = {};
    if (!SendMessageW(hwnd_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day)))
      return std::nullopt;
    return Date::FromParts(day.wYear, day.wMonth, day.wDay);
  }
  void SetValue(Date date) override {
    Enter("Calendar.Value");
    Date::Parts parts = date.ToParts();
    SYSTEMTIME day = {};
    day.wYear = static_cast<WORD>(parts.year);
    day.wMonth = static_cast<WORD>(parts.month);
    day.wDay = static_cast<WORD>(parts.day);
    if (!SendMessageW(hwnd_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day)))
      throw InvalidPropertyValueError("Calendar.Value");
  }
};

}  // namespace

std::shared_ptr<ControlCore> MakeSurfaceKind(FormRef form, std::string_view type_name,
                                             std::string name) {
  if (type_name == ui::PictureBox::kTypeName)
    return std::make_shared<PictureBoxControl>(std::move(form), std::move(name));
  if (type_name == ui::Image::kTypeName)
    return std::make_shared<ImageControl>(std::move(form), std::move(name));
  if (type_name == ui::Calendar::kTypeName)
    return std::make_shared<CalendarControl>(std::move(form), std::move(name));
  return nullptr;
}

}  // namespace pinlet::win32ui
