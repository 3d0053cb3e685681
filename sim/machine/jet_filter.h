// The part of Outlook's Jet filter syntax that Items.Find is asked for here:
// one comparison of a field with a text, "[Field] = 'text'" or
// "[Field] = "text"", a quote inside the text doubled.
#ifndef PINLET_SIM_MACHINE_JET_FILTER_H_
#define PINLET_SIM_MACHINE_JET_FILTER_H_

#include <optional>
#include <string>
#include <string_view>

namespace pinlet::sim {

struct JetEquality {
  std::string field;
  std::string value;
};

// The comparison a filter states, or nullopt when it is not one comparison
// of a bracketed field name with a quoted text.
std::optional<JetEquality> ParseJetEquality(std::string_view filter);

// Whether Items.Find refuses a filter on this field: the members its
// reference lists (EntryID, Body, Class, ...).
bool RefusedByFind(std::string_view field);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_JET_FILTER_H_
