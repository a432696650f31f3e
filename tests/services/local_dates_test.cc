#include "services/local_dates.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace qv {
namespace {

TEST(DateToLocalTest, WritesTheDateInTheUsersFormatOrNothingForNoDate) {
  const struct {
    const char *locale, *stamp, *date, *time;
  } cases[] = {
      {"en_US.UTF-8", "20240131", "1/31/2024", ""},
      {"en_GB.UTF-8", "20240131235958", "31/01/2024", "23:59:58"},
      {"en_US.UTF-8", "", "", ""},
      {"en_US.UTF-8", "2024013", "", ""},
      {"en_US.UTF-8", "20241301", "", ""},
      {"en_US.UTF-8", "20240230", "", ""},
  };
  for (const auto& c : cases) {
    test::ScopedEnv env;
    env.Set("LC_ALL", c.locale);
    std::string date = "stale", time = "stale";
    const int32_t n = DateToLocal(c.stamp, &date, &time);
    EXPECT_EQ(n, static_cast<int32_t>(date.size()));
    EXPECT_EQ(date, c.date) << c.locale << " " << c.stamp;
    EXPECT_EQ(time, c.time) << c.locale << " " << c.stamp;
  }
}

}  // namespace
}  // namespace qv
