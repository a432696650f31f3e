#include "platform/msi/stream_name.h"

#include <gtest/gtest.h>

namespace qv::msi {
namespace {

struct NameCase {
  std::string name;
  bool isTable;
  std::u16string stored;
};

TEST(StreamNameTest, EncodesAndDecodesNames) {
  const NameCase cases[] = {
      // "_Tables": pairs (_,T) (a,b) (l,e) and a single s, after the table prefix.
      {"_Tables",
       true,
       {0x4840, 0x3800 + 63 + (29 << 6), 0x3800 + 36 + (37 << 6), 0x3800 + 47 + (40 << 6),
        0x4800 + 54}},
      {"Binary.Logo",
       false,
       {0x3800 + 11 + (44 << 6), 0x3800 + 49 + (36 << 6), 0x3800 + 53 + (60 << 6),
        0x3800 + 62 + (21 << 6), 0x3800 + 50 + (42 << 6), 0x4800 + 50}},
      {"a-b", false, {0x4800 + 36, u'-', 0x4800 + 37}},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(EncodeStreamName(c.name, c.isTable), c.stored) << c.name;
    const DecodedStreamName decoded = DecodeStreamName(c.stored);
    EXPECT_EQ(decoded.name, c.name);
    EXPECT_EQ(decoded.isTable, c.isTable) << c.name;
  }
  // Characters outside the compressed alphabet are kept, in UTF-8.
  EXPECT_EQ(DecodeStreamName(u"\u00e9t\u00e9").name, "\xc3\xa9t\xc3\xa9");
}

}  // namespace
}  // namespace qv::msi
