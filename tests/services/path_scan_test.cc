#include "services/path_scan.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(GetNextNonFileCharTest, StopsWhereAPathCannotGoOn) {
  const struct {
    int32_t start;
    const char* text;
    int32_t expected;
  } cases[] = {
      {1, "C:\\Program Files\\App\\app.exe", 0},
      {1, "C:\\App\\app.exe /quiet", 16},
      {1, "C:\\App\\a.txt;C:\\App\\b.txt", 13},
      {1, "C:\\App\\[ProductName]\\x", 8},
      {1, "C:\\App\\Smith, J.doc", 0},
      {5, "abc C:\\App\\x C:\\y", 15},
      {1, "C:\\a:b", 5},
      {1, "", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetNextNonFileChar(c.start, c.text, 0), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace qv
