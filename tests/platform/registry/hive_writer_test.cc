#include "platform/registry/hive_writer.h"

#include <gtest/gtest.h>

#include "platform/registry/hive_reader.h"

namespace qv::registry {
namespace {

// Values are written in the order they were first set, as Wine keeps them.
TEST(HiveWriterTest, WritesWineFormat) {
  Hive hive;
  hive.SetValue("Software\\Dunar\\Quorvex", "Name", Value::Text("a\\b \"c\""));
  hive.SetValue("Software\\Dunar\\Quorvex", "", Value::Dword(7));
  hive.SetValue("Software\\Dunar\\Quorvex", "Gone", Value::Tombstone());
  EXPECT_EQ(WriteWineHive(hive, "\\User\\S-1", 1700000000),
            "WINE REGISTRY Version 2\n"
            ";; All keys relative to \\\\User\\\\S-1\n"
            "\n"
            "#arch=win64\n"
            "\n"
            "[Software\\\\Dunar\\\\Quorvex] 1700000000\n"
            "\"Name\"=\"a\\\\b \\\"c\\\"\"\n"
            "@=dword:00000007\n"
            "\"Gone\"=-\n");
}

TEST(HiveWriterTest, EscapesControlAndNonAsciiCharacters) {
  EXPECT_EQ(EscapeWineText(std::string("t\tn\nr\rz\0e\x01\x7f", 11), '"'),
            "t\\tn\\nr\\rz\\0e\\x0001\\x007f");
  EXPECT_EQ(EscapeWineText("\xC3\xA9\xF0\x9F\x98\x80", '"'), "\\x00e9\\xd83d\\xde00");
  EXPECT_EQ(EscapeWineText("a]b", ']'), "a\\]b");
  // Bytes that are no UTF-8 stay as they are: an escape would read back as another character.
  EXPECT_EQ(EscapeWineText("W\xff\x93\xC3\xA9", ']'), "W\xff\x93\\x00e9");
  // A NUL before an octal digit takes three digits, so the digit is not read into it.
  EXPECT_EQ(EscapeWineText(std::string("\0"
                                       "7\0"
                                       "8",
                                       4),
                           '"'),
            "\\0007\\08");
}

TEST(HiveWriterTest, EveryTypeSurvivesWriteAndRead) {
  const Value values[] = {
      Value::Text(""),
      Value::Text("plain \\ \"quoted\" \t\r\n caf\xC3\xA9 \xF0\x9F\x98\x80"),
      Value::Text("%SystemRoot%\\system32", kExpandText),
      Value::Raw(kBinary, std::string("\x00\x01\xff\x7f", 4)),
      Value::Raw(kBinary, ""),
      Value::Raw(kBinary, std::string(100, '\xAB')),
      Value::Dword(0),
      Value::Dword(0xDEADBEEF),
      Value::Raw(kDword, "abc"),
      Value::MultiText({"one", "two words", "\xC3\xA9"}),
      Value::MultiText({}),
      Value::Qword(0xFFFFFFFFFFFFFFFFULL),
      Value::Raw(0, "\x05"),
      Value::Tombstone(),
  };
  Hive hive;
  int i = 0;
  for (const Value& v : values) hive.SetValue("Key\\With]Bracket", "v" + std::to_string(i++), v);
  hive.SetValue("Key\\With]Bracket", "", Value::Text("default"));
  std::string text = WriteWineHive(hive, "\\Machine", 1);
  EXPECT_NE(text.find(",\\\n  ab,"), std::string::npos);  // long hex data is wrapped
  Hive back;
  std::vector<std::string> problems;
  auto report = [&](const Status& s) { problems.push_back(s.message()); };
  ASSERT_TRUE(ParseHive(text, "round.reg", &back, report).ok());
  EXPECT_EQ(problems, std::vector<std::string>{});
  i = 0;
  for (const Value& v : values) {
    const Value* got = back.FindValue("Key\\With]Bracket", "v" + std::to_string(i++));
    ASSERT_NE(got, nullptr) << i;
    EXPECT_EQ(*got, v) << "value " << i;
  }
  EXPECT_EQ(*back.FindValue("Key\\With]Bracket", ""), Value::Text("default"));
  EXPECT_EQ(WriteWineHive(back, "\\Machine", 1), text);
}

}  // namespace
}  // namespace qv::registry
