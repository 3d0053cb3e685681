// The text properties the add-in keeps on the items that carry notes, read
// and written behind one face: an ordinary item keeps them as user
// properties, saved with the item; a document (class 41) keeps no user
// properties through Outlook's object model, so its are CDO fields of its
// message, updated with it.
#ifndef PINLET_STORE_ITEM_MARKERS_H_
#define PINLET_STORE_ITEM_MARKERS_H_

#include <optional>
#include <string>

#include "addin/context.h"

namespace pinlet {

class Markers {
 public:
  // Reads the item's class and, for a document, opens its CDO message;
  // errors ignored (a document whose message cannot be opened reads nothing).
  Markers(AddinContext& ctx, ol::ItemPtr item);

  // The property's value, or nullopt when the item has none or it cannot
  // be read.
  std::optional<std::string> Read(const char* name);
  // The same, telling the two apart: false when reading failed.
  bool Read(const char* name, std::optional<std::string>& value);
  // Sets the property, adding it (as a text field of the folder) when
  // `exists` is false; errors ignored. Nothing is stored before Save.
  void Write(const char* name, const char* value, bool exists);
  void Remove(const char* name);
  // Saves the item (a document: updates its message); false when that failed.
  bool Save();

 private:
  AddinContext& ctx_;
  ol::ItemPtr item_;
  bool document_ = false;
  std::shared_ptr<CdoMessage> message_;
};

}  // namespace pinlet

#endif  // PINLET_STORE_ITEM_MARKERS_H_
