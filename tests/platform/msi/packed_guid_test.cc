#include "platform/msi/packed_guid.h"

#include <gtest/gtest.h>

namespace qv::msi {
namespace {

TEST(PackedGuidTest, PacksUnpacksAndDecodesGuidsAsTheInstallerWritesThem) {
  const std::pair<std::string, std::string> cases[] = {
      {"{12345678-1234-1234-1234-123456789ABC}", "8765432143214321214321436587A9CB"},
      {"{ad000000-0000-0000-0000-000000000021}", "000000da000000000000000000000012"},
  };
  for (const auto& [guid, packed] : cases) {
    std::string out;
    EXPECT_TRUE(PackGuid(guid, &out)) << guid;
    EXPECT_EQ(out, packed);
    EXPECT_TRUE(UnpackGuid(packed, &out)) << packed;
    EXPECT_EQ(out, guid);
  }
  // What is no GUID is refused, leaving nothing.
  std::string out = "left over";
  for (const char* guid :
       {"{12345678-1234-1234-1234-123456789ABC", "{12345678x1234-1234-1234-123456789ABC}",
        "{1234567G-1234-1234-1234-123456789ABC}", "{12345678-1234-1234-1234-123456789ABCD}"}) {
    EXPECT_FALSE(PackGuid(guid, &out)) << guid;
    EXPECT_EQ(out, "");
  }
  for (const char* packed : {"8765432143214321214321436587A9C", "8765432143214321214321436587A9CBB",
                             "8765432143214321214321436587A9CG"}) {
    out = "left over";
    EXPECT_FALSE(UnpackGuid(packed, &out)) << packed;
    EXPECT_EQ(out, "");
  }
  // Compressed GUIDs as Wine's installer wrote them into a feature's component list.
  const std::pair<std::string, std::string> compressedGuids[] = {
      {"Q3SIg[6Q{-[6Q{-[6Q{-", "{C2222222-2222-2222-2222-222222222222}"},
      {"CwwKh!'6LC!'6LC!'6LC", "{C5555555-5555-5555-5555-555555555555}"},
  };
  for (const auto& [compressed, guid] : compressedGuids) {
    EXPECT_TRUE(DecodeCompressedGuid(compressed + "\x02Main", &out)) << compressed;
    EXPECT_EQ(out, guid);
    EXPECT_TRUE(EncodeCompressedGuid(guid, &out));
    EXPECT_EQ(out, compressed);
  }
  EXPECT_FALSE(DecodeCompressedGuid("Q3SIg[6Q{-[6Q{-[6Q{", &out));   // 19 characters
  EXPECT_FALSE(DecodeCompressedGuid("Q3SIg[6Q{-[6Q{-[6Q#-", &out));  // '#' is no digit
}

}  // namespace
}  // namespace qv::msi
