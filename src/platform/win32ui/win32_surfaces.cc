// The surfaces: the picture box (a window class of ours that holds
// controls and measures text in its font), the image (a window class of
// ours that draws a Picture) and the month calendar (comctl32's).
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <vector>

#include "platform/wide_text.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/twips.h"
#include "platform/win32ui/win32_controls.h"

namespace pinlet::win32ui {
namespace {

class PictureBoxControl : public Control<ui::PictureBox> {
 public:
  PictureBoxControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name)) {}
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

  ui::Font GetFont() override { return FontMember("PictureBox.Font"); }
  void SetFont(const ui::Font& font) override { SetFontMember("PictureBox.Font", font); }
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
    std::wstring wide = Wide(text);
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
    std::wstring wide = Wide(text);
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
// image control that does not stretch, over its container's background:
// the pictures' magenta (kMagenta) is transparent, as in the add-in's button
// art. The mouse's leaving is tracked (ControlCore), so that a picture
// button can show its plain face again.
class ImageControl : public Control<ui::Image> {
 public:
  ImageControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name)) {}
  void Create(HWND parent) override {
    MakeWindow(parent, OurWindowClass(L"PinletImage", &DefWindowProcW), 0, 0, 315, 315);
    // A child window starts below its siblings (the system's tab order);
    // an image made later is drawn over those made before it, as a button
    // over the strip it sits on. Images take no focus, so the tab order of
    // the other controls is unchanged.
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  bool ClickOnMouseUp() const override { return true; }
  LRESULT Pass(WNDPROC next, HWND window, UINT message, WPARAM wparam,
               LPARAM lparam) override {
    if (message == WM_ERASEBKGND) {
      PaintContainer(window, reinterpret_cast<HDC>(wparam));
      return 1;
    }
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
    if (picture_.pixels.size() != static_cast<size_t>(picture_.width) * picture_.height)
      picture_ = Picture();  // a malformed picture shows nothing
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

 private:
  // The container (a picture box, a frame or the form) erases the image's
  // rectangle as it erases its own background.
  static void PaintContainer(HWND window, HDC dc) {
    HWND parent = GetParent(window);
    POINT origin = {0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    POINT old;
    SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
  }

  // The picture's pixels where they are not magenta: the image XORed in,
  // the transparency mask ANDed (its 1 bits keep what is there), XORed out.
  void Draw(HDC dc) {
    int width = picture_.width, height = picture_.height;
    gdi::GdiObject<HBITMAP> image(gdi::PictureBitmap(dc, picture_));
    if (!image) return;
    gdi::GdiObject<HBITMAP> mask(
        gdi::TransparencyMask(dc, image.get(), width, height, kMagenta));
    gdi::MemoryContext colour(dc, image.get());
    if (!colour.ready()) return;
    gdi::MemoryContext transparent(dc, mask.get());
    if (!mask || !transparent.ready()) {
      BitBlt(dc, 0, 0, width, height, colour.get(), 0, 0, SRCCOPY);
      return;
    }
    COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, 0, 0, width, height, colour.get(), 0, 0, SRCINVERT);
    BitBlt(dc, 0, 0, width, height, transparent.get(), 0, 0, SRCAND);
    BitBlt(dc, 0, 0, width, height, colour.get(), 0, 0, SRCINVERT);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
  }

  std::string key_;
  Picture picture_;

 public:
  std::string DescribeState() override { return ImageState(PictureKey()); }
};

class CalendarControl : public Control<ui::Calendar> {
 public:
  CalendarControl(FormRef form, std::string name)
      : Control(std::move(form), std::move(name)) {
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

 public:
  std::string DescribeState() override { return CalendarState(Value()); }
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
