#include "platform/com/com_picture.h"

#include <olectl.h>
#include <wingdi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/com_error.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

[[noreturn]] void Mismatch(std::string_view what) {
  throw HostError(errors::kTypeMismatch, DescriptionOfNumber(errors::kTypeMismatch),
                  std::string(what));
}

// A top-down DIB of `width` x `height` pixels at `bits` per pixel.
BITMAPINFO DibInfo(int width, int height, int bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bits);
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

ComPtr<IDispatch> PictureToDispatch(const Picture& picture) {
  if (picture.empty()) return {};
  int bits = picture.bits_per_pixel == 32 ? 32 : 24;
  BITMAPINFO info = DibInfo(picture.width, picture.height, bits);
  void* data = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0);
  if (!bitmap || !data) throw ErrorOfCall(E_OUTOFMEMORY, "CreateDIBSection");
  // Rows are padded to four bytes; each pixel is blue, green, red (and an
  // unused byte at 32 bits).
  size_t stride = ((static_cast<size_t>(picture.width) * bits + 31) / 32) * 4;
  auto* rows = static_cast<uint8_t*>(data);
  size_t step = bits / 8;
  for (int y = 0; y < picture.height; ++y) {
    uint8_t* row = rows + stride * y;
    for (int x = 0; x < picture.width; ++x) {
      uint32_t colour = picture.At(x, y);
      uint8_t* pixel = row + step * x;
      pixel[0] = static_cast<uint8_t>(colour >> 16);  // blue
      pixel[1] = static_cast<uint8_t>(colour >> 8);   // green
      pixel[2] = static_cast<uint8_t>(colour);        // red
      if (step == 4) pixel[3] = 0;
    }
  }
  GdiFlush();
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof(PICTDESC);
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  ComPtr<IDispatch> result;
  // The picture owns the bitmap from here on.
  HRESULT hr = OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, result.PutVoid());
  if (FAILED(hr)) {
    DeleteObject(bitmap);
    throw ErrorOfCall(hr, "OleCreatePictureIndirect");
  }
  return result;
}

Picture PictureOfDispatch(IDispatch* object, std::string_view what) {
  if (!object) return {};
  ComPtr<IPicture> picture;
  if (FAILED(object->QueryInterface(IID_IPicture, picture.PutVoid()))) Mismatch(what);
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
      FAILED(picture->get_Handle(&handle)))
    Mismatch(what);
  // A GDI handle is 32 bits wide and sign-extended on 64-bit Windows.
  auto bitmap =
      reinterpret_cast<HBITMAP>(static_cast<intptr_t>(static_cast<LONG>(handle)));
  BITMAP shape{};
  if (!GetObjectW(bitmap, sizeof(shape), &shape) || shape.bmWidth <= 0 ||
      shape.bmHeight <= 0)
    Mismatch(what);
  Picture result;
  result.width = shape.bmWidth;
  result.height = shape.bmHeight;
  result.bits_per_pixel = shape.bmBitsPixel == 32 ? 32 : 24;
  std::vector<uint32_t> pixels(static_cast<size_t>(result.width) * result.height);
  BITMAPINFO info = DibInfo(result.width, result.height, 32);
  HDC dc = CreateCompatibleDC(nullptr);
  int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(result.height), pixels.data(),
                       &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (rows != result.height) Mismatch(what);
  result.pixels.reserve(pixels.size());
  for (uint32_t pixel : pixels) {
    uint32_t red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    result.pixels.push_back(red | green << 8 | blue << 16);
  }
  return result;
}

}  // namespace pinlet::com
