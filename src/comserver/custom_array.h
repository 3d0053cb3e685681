// The `custom` argument of the add-in callbacks, both ways.
//
// Office passes custom as a pointer to a SAFEARRAY of VARIANTs, which a
// Visual Basic add-in sees as a by-reference array: what the add-in writes
// into it reaches the caller. CustomArray reads the array into the add-in's
// Custom and writes the add-in's changes back: changed elements are stored,
// a change of length resizes the array (keeping its lower bound), and where
// the caller passed no array and the add-in left values, a new one is
// created for the caller, who owns it then.
//
// An element that is not a plain value (an object, an array, an error) shows
// as empty to the add-in and is left as it was unless the add-in stores a
// value there.
#ifndef PINLET_COMSERVER_CUSTOM_ARRAY_H_
#define PINLET_COMSERVER_CUSTOM_ARRAY_H_

#include <objbase.h>
#include <oleauto.h>

#include "platform/addin_host.h"

namespace pinlet::com {

class CustomArray {
 public:
  // Reads `*slot`; a null `slot` or a null array is an empty Custom. Raises
  // HostError 13 ("Type mismatch") when the array is not one-dimensional or
  // not of VARIANTs. The array stays the caller's.
  explicit CustomArray(SAFEARRAY** slot);
  CustomArray(const CustomArray&) = delete;
  CustomArray& operator=(const CustomArray&) = delete;

  // The values the add-in reads and changes.
  Custom& values() { return values_; }

  // Writes the add-in's changes back (see above). Raises a HostError with
  // the array's failure when it cannot be resized (a fixed or locked array)
  // or created; the elements that fit are written first.
  void WriteBack();

 private:
  SAFEARRAY** slot_;
  LONG lower_bound_ = 0;
  Custom read_;  // the values as read, so that only changes are written
  Custom values_;
};

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_CUSTOM_ARRAY_H_
