#include "services/local_dates.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace qv {
namespace {

TEST(DateToLocalTest, WritesTheDateInTheUsersFormat) {
  struct Case {
    const char* locale;
    const char* stamp;
    const char* date;
    const char* time;
  } cases[] = {
      {"en_US.UTF-8", "20240131", "1/31/2024", ""},
      {"de_DE.UTF-8", "20240131", "31.01.2024", ""},
      {"en_GB.UTF-8", "20240131235958", "31/01/2024", "23:59:58"},
      {"de_DE.UTF-8", "20240131235958", "31.01.2024", "23:59:58"},
      {"C", "20240305", "3/5/2024", ""},
  };
  for (const Case& c : cases) {
    test::ScopedEnv env;
    env.Set("LC_ALL", c.locale);
    std::string date = "stale", time = "stale";
    int32_t length = DateToLocal(c.stamp, &date, &time);
    EXPECT_EQ(length, static_cast<int32_t>(date.size()));
    EXPECT_EQ(date, c.date) << c.locale << " " << c.stamp;
    EXPECT_EQ(time, c.time) << c.locale << " " << c.stamp;
  }
}

TEST(DateToLocalTest, RejectsTextsThatAreNoDate) {
  test::ScopedEnv env;
  env.Set("LC_ALL", "en_US.UTF-8");
  for (const char* stamp : {"", "2024013", "2024x131", "20241301", "20240230", "00000000"}) {
    std::string date = "stale", time = "stale";
    EXPECT_EQ(DateToLocal(stamp, &date, &time), 0) << stamp;
    EXPECT_EQ(date, "") << stamp;
    EXPECT_EQ(time, "") << stamp;
  }
}

}  // namespace
}  // namespace qv
