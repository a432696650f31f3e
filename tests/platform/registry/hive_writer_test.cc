#include "platform/registry/hive_writer.h"

#include <gtest/gtest.h>

#include "platform/registry/hive_reader.h"
#include "platform/registry/value_lines.h"

namespace qv::registry {
namespace {

// Values are written in the order they were first set, as Wine keeps them.
TEST(HiveWriterTest, WritesWineFormatEscapingCharactersEveryTypeSurvivingARead) {
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
  // Control and non-ASCII characters are escaped.
  EXPECT_EQ(EscapeWineText(std::string("t\tn\nr\rz\0e\x01\x7f", 11), '"'),
            "t\\tn\\nr\\rz\\0e\\x0001\\x007f");
  EXPECT_EQ(EscapeWineText("\xC3\xA9\xF0\x9F\x98\x80", '"'), "\\x00e9\\xd83d\\xde00");
  EXPECT_EQ(EscapeWineText("a]b", ']'), "a\\]b");
  // Bytes that are no UTF-8 stay as they are: an escape would read back as another character.
  EXPECT_EQ(EscapeWineText("W\xff\x93\xC3\xA9", ']'), "W\xff\x93\\x00e9");
  // A NUL before an octal digit takes three digits, so the digit is not read into it.
  EXPECT_EQ(EscapeWineText(std::string{'\0', '7', '\0', '8'}, '"'), "\\0007\\08");
  // Every type survives a write and a read.
  Hive every;
  const std::vector<ValueLine> lines = ValueLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    every.SetValue("Key\\With]Bracket", "v" + std::to_string(i), lines[i].value);
  }
  const std::string text = WriteWineHive(every, "\\Machine", 1);
  EXPECT_NE(text.find(",\\\n  ab,"), std::string::npos);  // long hex data is wrapped
  Hive back;
  ASSERT_TRUE(ParseHive(text, "round.reg", &back, nullptr).ok());
  for (size_t i = 0; i < lines.size(); ++i) {
    const Value* got = back.FindValue("Key\\With]Bracket", "v" + std::to_string(i));
    ASSERT_NE(got, nullptr) << lines[i].line;
    EXPECT_EQ(*got, lines[i].value) << lines[i].line;
  }
}

}  // namespace
}  // namespace qv::registry
