#include "services/language_names.h"

#include <gtest/gtest.h>

#include "services/data_rows.h"

namespace qv {
namespace {

TEST(DecodeLanguageCTest, NamesWindowsLanguageIdsInEnglish) {
  for (const test::DataRow& row : test::DataRows("services/language_names.tsv")) {
    std::string buffer;
    const int32_t n = row[0] == "id" ? DecodeLanguageC(test::Int(row[1]), &buffer, 1000)
                                     : DecodeLanguageC(row[1], &buffer, 1000);
    EXPECT_EQ(buffer, row[2]) << row[1];
    if (row[0] == "id") {
      EXPECT_EQ(n, static_cast<int32_t>(buffer.size()));
    }
  }
  std::string buffer;
  EXPECT_EQ(DecodeLanguageC(1033, &buffer, 8), 7);  // keeps the buffer limit
  EXPECT_EQ(buffer, "English");
  EXPECT_EQ(CutUtf8("Caf\xC3\xA9", 4), "Caf");
}

}  // namespace
}  // namespace qv
