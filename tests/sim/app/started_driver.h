// A fixture for the commands' tests: the pinlet command's driver on the
// sample mailbox with Outlook started, each line run as a one-line script,
// and no defect allowed.
#ifndef PINLET_TESTS_APP_STARTED_DRIVER_H_
#define PINLET_TESTS_APP_STARTED_DRIVER_H_

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sim/app/driver.h"

namespace pinlet::app {

class StartedDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(driver.Open(error)) << error;
    ASSERT_EQ(Run("start"), 0);
  }
  void TearDown() override { EXPECT_TRUE(driver.world().defects().empty()); }
  // Runs one command line; `out` and `err` hold what it printed.
  int Run(const std::string& line) {
    std::istringstream in(line + "\n");
    out.str("");
    err.str("");
    return driver.RunScript(in, "test");
  }

  std::ostringstream out, err;
  Driver driver{out, err, {}};
};

}  // namespace pinlet::app

#endif  // PINLET_TESTS_APP_STARTED_DRIVER_H_
