// CClipboard: keeps a copy of everything on the clipboard, to put it back
// after the add-in used the clipboard for its own purposes (inserting a date
// into a note, pasting a button face).
//
// Save copies every format that holds data; Restore empties the clipboard
// and puts each saved block back, in the order the formats were found. The
// clipboard's failures are answers, and these are too: a clipboard that
// cannot be opened is neither saved nor restored, which Save and Restore
// report by returning false.
#ifndef PINLET_NOTEWINDOW_C_CLIPBOARD_H_
#define PINLET_NOTEWINDOW_C_CLIPBOARD_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clipboard.h"

namespace pinlet {

class CClipboard {
 public:
  struct Entry {
    uint32_t format;
    std::string data;  // its size is the entry's size
  };

  // The clipboard is borrowed; it must outlive this object.
  explicit CClipboard(Clipboard& clipboard) : clipboard_(clipboard) {}

  // Copies every available format whose block is not empty, replacing what
  // was saved before. False (and nothing saved) when the clipboard cannot be
  // opened.
  bool Save();
  // Puts the saved blocks back in place of what the clipboard holds. With
  // nothing saved it does nothing and returns true; false when the clipboard
  // cannot be opened or a block was refused.
  bool Restore();

  const std::vector<Entry>& entries() const { return entries_; }
  bool saved() const { return saved_; }

 private:
  Clipboard& clipboard_;
  std::vector<Entry> entries_;
  bool saved_ = false;
};

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_C_CLIPBOARD_H_
