#include "platform/msi/packed_guid.h"

#include <gtest/gtest.h>

#include "support/data_rows.h"

namespace qv::msi {
namespace {

TEST(PackedGuidTest, PacksAndUnpacksKeepingCaseAndRefusesWhatIsNoGuid) {
  for (const test::DataRow& row : test::DataRows("engine/guids.txt", "Packed")) {
    std::string out = "left over";
    EXPECT_EQ(PackGuid(row[0], &out), !row[1].empty()) << row[0];
    EXPECT_EQ(out, row[1]);
    if (row[1].empty()) continue;
    EXPECT_TRUE(UnpackGuid(row[1], &out)) << row[1];
    EXPECT_EQ(out, row[0]);
  }
  for (const test::DataRow& row : test::DataRows("engine/guids.txt", "Unpacked")) {
    std::string out = "left over";
    EXPECT_FALSE(UnpackGuid(row[0], &out)) << row[0];
    EXPECT_EQ(out, "");
  }
}

TEST(PackedGuidTest, DecodesCompressedGuidsAsTheInstallerWritesThem) {
  for (const test::DataRow& row : test::DataRows("engine/guids.txt", "Compressed")) {
    std::string out;
    const std::string list = row[0] + (row[1].empty() ? "" : "\x02Main");  // as a list holds it
    EXPECT_EQ(DecodeCompressedGuid(list, &out), !row[1].empty()) << row[0];
    if (row[1].empty()) continue;
    EXPECT_EQ(out, row[1]);
    EXPECT_TRUE(EncodeCompressedGuid(row[1], &out));
    EXPECT_EQ(out, row[0]);
  }
}

}  // namespace
}  // namespace qv::msi
