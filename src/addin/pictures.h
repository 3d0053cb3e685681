// The add-in's named pictures: toolbar and menu faces with their masks, the note
// window's button images in their normal, hover, pressed and disabled looks, and
// the product mark.
//
// The host asks for pictures by resource name, exactly as spelled here. Base art is
// drawn once per picture; masks and button states are derived from it, so a face
// and its mask, or a button and its hover image, can never drift apart.
#ifndef PINLET_ADDIN_PICTURES_H_
#define PINLET_ADDIN_PICTURES_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/picture.h"

namespace pinlet {

// The picture with the given name (exact, case-sensitive), or an empty Picture
// when no picture has that name. Never throws.
Picture LoadResPicture(std::string_view name);

// Every name LoadResPicture knows, each once.
const std::vector<std::string>& PictureNames();

}  // namespace pinlet

#endif  // PINLET_ADDIN_PICTURES_H_
