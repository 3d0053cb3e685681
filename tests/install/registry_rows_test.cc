// The one list of what installing writes: every row is removed again by
// unregistration (under a key it owns, or one of the values it removes
// alone), and the places an installation gives reach the rows unchanged.
#include "install/registry_rows.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace pinlet::install {
namespace {

bool Under(const std::string& key, const std::string& owner) {
  return key == owner || key.rfind(owner + "\\", 0) == 0;
}

TEST(RegistryRowsTest, EveryRowIsRemovedAgainByUnregistering) {
  const Places places{"C:\\P\\pinlet.dll", "C:\\P\\", "C:\\U\\"};
  std::set<std::string> shared;
  for (const RegistryRow& row : SharedValues(places)) shared.insert(row.key + "|" + row.name);
  for (const RegistryRow& row : RegistryRows(places)) {
    bool owned = false;
    for (const OwnedKey& key : OwnedKeys())
      owned |= key.root == row.root && Under(row.key, key.key);
    EXPECT_TRUE(owned || shared.count(row.key + "|" + row.name))
        << row.key << " " << row.name << " would outlive unregistering";
  }
  // An owned key is deleted whole: it must never be one the add-in keeps
  // its own settings in.
  for (const OwnedKey& key : OwnedKeys()) {
    EXPECT_FALSE(Under(key.key, std::string(kSettingsKey))) << key.key;
    EXPECT_TRUE(key.kept.empty() || Under(key.key, key.kept)) << key.key;
  }
}

TEST(RegistryRowsTest, CarryThePlacesAndTheClassAsGiven) {
  const Places places{"C:\\Program Files\\Zarvo & Co\\pinlet.dll", "C:\\Zarvo & Co\\",
                      "D:\\Data\\"};
  std::set<std::string> values;
  int rows = 0;
  for (const RegistryRow& row : RegistryRows(places)) {
    values.insert(row.name + "=" + row.value);
    ++rows;
  }
  EXPECT_EQ(rows, 13);
  EXPECT_TRUE(values.count("=" + places.dll));
  EXPECT_TRUE(values.count("InstDir=" + places.install_dir));
  EXPECT_TRUE(values.count("MyDir=" + places.user_dir));
  EXPECT_TRUE(values.count("=" + std::string(kClsid)));
  EXPECT_TRUE(values.count("LoadBehavior=3"));
  EXPECT_TRUE(values.count("ThreadingModel=Apartment"));
}

}  // namespace
}  // namespace pinlet::install
