#include "services/local_dates.h"

#include <gtest/gtest.h>

#include "services/data_rows.h"

namespace qv {
namespace {

TEST(DateToLocalTest, WritesTheDateInTheUsersFormatOrNothingForNoDate) {
  for (const test::DataRow& row : test::DataRows("services/date_to_local.tsv")) {
    SCOPED_TRACE(row[0] + " " + row[1]);
    test::ScopedEnv env;
    env.Set("LC_ALL", row[0]);
    std::string date = "stale", time = "stale";
    const int32_t n = DateToLocal(row[1], &date, &time);
    EXPECT_EQ(n, static_cast<int32_t>(date.size()));
    EXPECT_EQ(date, row[2]);
    EXPECT_EQ(time, row[3]);
  }
}

}  // namespace
}  // namespace qv
