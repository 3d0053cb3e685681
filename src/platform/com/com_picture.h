// Pictures across COM: a pinlet::Picture as the IPictureDisp object that
// Office's command bar buttons take and answer (Picture, Mask), and back.
//
// A picture crosses as a bitmap picture (OleCreatePictureIndirect over a
// DIB section of the picture's own depth, 24 or 32 bits) and is read back
// through IPicture::get_Handle and GetDIBits, so a picture survives the
// round trip with its size, depth and colours. Colours keep the platform's
// order 0x00BBGGRR; the DIB's own order is blue first.
#ifndef PINLET_PLATFORM_COM_COM_PICTURE_H_
#define PINLET_PLATFORM_COM_COM_PICTURE_H_

#include <objbase.h>
#include <oleauto.h>

#include <string_view>

#include "platform/com/com_ptr.h"
#include "platform/picture.h"

namespace pinlet::com {

// A new picture object showing `picture`; Nothing for an empty picture.
// Raises the HostError of a failed creation.
ComPtr<IDispatch> PictureToDispatch(const Picture& picture);
// The pixels of a picture object; an empty picture for Nothing. Raises 13,
// "Type mismatch", for an object that is no bitmap picture; `what` names
// the value in the error.
Picture PictureOfDispatch(IDispatch* picture, std::string_view what);

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_PICTURE_H_
