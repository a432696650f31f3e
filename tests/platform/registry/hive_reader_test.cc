#include "platform/registry/hive_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry/text_codec.h"

namespace qv::registry {
namespace {

struct Parsed {
  Hive hive;
  Status status;
  std::vector<std::string> problems;
  HiveFormat format = HiveFormat::kWine;
};

Parsed Parse(const std::string& bytes) {
  Parsed p;
  p.status = ParseHive(
      bytes, "test.reg", &p.hive, [&](const Status& s) { p.problems.push_back(s.message()); },
      &p.format);
  return p;
}

const std::string kWineHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

TEST(HiveReaderTest, ReadsWineKeysWithTimestampsAndComments) {
  Parsed p = Parse(kWineHeader +
                   "#arch=win64\n\n"
                   "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1796478104\n"
                   "#time=1d8c5e3a2b4c6d0\n"
                   "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n"
                   "@=\"default\"\n"
                   "[A\\\\B\\]C\\\\\\x00e9] 0\n\"v\"=dword:1\n");
  ASSERT_TRUE(p.status.ok());
  EXPECT_EQ(p.format, HiveFormat::kWine);
  EXPECT_TRUE(p.problems.empty());
  const Value* v =
      p.hive.FindValue("software\\MICROSOFT\\windows\\currentversion", "programfilesdir");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(*v, Value::Text("C:\\Program Files"));
  EXPECT_EQ(*p.hive.FindValue("Software\\Microsoft\\Windows\\CurrentVersion", ""),
            Value::Text("default"));
  // Escaped key names keep brackets and backslashes; É matches é.
  EXPECT_NE(p.hive.FindValue("a\\b]c\\\xC3\x89", "V"), nullptr);
}

TEST(HiveReaderTest, ReadsEveryWineValueForm) {
  const std::pair<const char*, Value> cases[] = {
      {"\"v\"=\"plain\"", Value::Text("plain")},
      {"\"v\"=\"a\\\\b \\\"q\\\" \\n\\r\\t end\"", Value::Text("a\\b \"q\" \n\r\t end")},
      {"\"v\"=\"\\x00e9t\\x00e9\"", Value::Text("\xC3\xA9t\xC3\xA9")},
      // Wine writes control characters in octal: a feature's absent mark is "\6".
      {"\"v\"=\"\\6\\0\\0\"", Value::Text("\x06")},
      {"\"v\"=\"\\101\\1012\"", Value::Text("AA2")},
      {"\"v\"=str(7):\"a\\0001\\0\"", Value::MultiText({"a", "1"})},
      {"\"v\"=\"\\xd83d\\xde00\"", Value::Text("\xF0\x9F\x98\x80")},
      {"\"v\"=str(2):\"%SystemRoot%\\\\x\"", Value::Text("%SystemRoot%\\x", kExpandText)},
      {"\"v\"=str(7):\"one\\0two\\0\"", Value::MultiText({"one", "two"})},
      {"\"v\"=str(7):\"one\\0two\"", Value::MultiText({"one", "two"})},
      {"\"v\"=str(7):\"\"", Value::MultiText({})},
      {"\"v\"=str(3):\"\"", Value::Raw(kBinary, std::string(2, '\0'))},
      {"\"v\"=hex(1):", Value::Text("")},
      {"\"v\"=dword:0000002a", Value::Dword(42)},
      {"\"v\"=dword:ffffffff", Value::Dword(0xFFFFFFFF)},
      {"\"v\"=hex:01,ab,FF", Value::Raw(kBinary, "\x01\xab\xff")},
      {"\"v\"=hex:", Value::Raw(kBinary, "")},
      {"\"v\"=hex(b):08,07,06,05,04,03,02,01", Value::Qword(0x0102030405060708ULL)},
      {"\"v\"=hex(2):25,00,41,00,25,00,00,00", Value::Text("%A%", kExpandText)},
      {"\"v\"=hex(7):61,00,00,00,62,00,00,00,00,00", Value::MultiText({"a", "b"})},
      {"\"v\"=hex(100000):01,02", Value::Raw(0x100000, "\x01\x02")},
      {"\"v\"=hex(4):61,62,63", Value::Raw(kDword, "abc")},
      {"\"v\"=str(4):\"abc\"", Value::Raw(kDword, std::string("a\0b\0c\0\0\0", 8))},
      {"\"v\"=-", Value::Tombstone()},
  };
  for (const auto& [line, expected] : cases) {
    Parsed p = Parse(kWineHeader + "[K] 0\n" + line + "\n");
    EXPECT_EQ(p.problems, std::vector<std::string>{}) << line;
    const Value* v = p.hive.FindValue("K", "v");
    ASSERT_NE(v, nullptr) << line;
    EXPECT_EQ(*v, expected) << line;
  }
}

TEST(HiveReaderTest, SkipsEachMalformedLineNamingItAndKeepsTheRest) {
  const std::string regedit = "Windows Registry Editor Version 5.00\r\n\r\n\r\n";
  // Each text follows the header and "[K] 0" (line 4) and comes before a good value.
  const struct {
    const std::string& header;
    const char *lines, *problems;
  } cases[] = {
      {kWineHeader, "\"b\"=dword:xyz", "5: bad dword value"},
      {kWineHeader, "\"b\"=dword:123456789", "5: bad dword value"},
      {kWineHeader, "\"c\"=hex:1,234", "5: bad hex byte"},
      {kWineHeader, "\"c\"=hex:01,", "5: bad hex byte"},
      {kWineHeader, "\"c\"=hex:01 02", "5: expected ','"},
      {kWineHeader, "\"c\"=hex 01", "5: expected ':'"},
      {kWineHeader, "\"c\"=hex(zz):01", "5: bad type in hex(N)"},
      {kWineHeader, "\"d\"=\"unterminated", "5: missing closing '\"'"},
      {kWineHeader, "\"d\"=\"a\" b", "5: text after the closing '\"'"},
      {kWineHeader, "\"d\"=\"\\xg\"", "5: bad \\x escape"},
      {kWineHeader, "\"s\"=str(x):\"a\"", "5: bad type in str(N)"},
      {kWineHeader, "\"s\"=str(2)\"a\"", "5: expected ':'"},
      {kWineHeader, "\"s\"=str(2):a", "5: expected '\"'"},
      {kWineHeader, "\"e\" \"x\"", "5: expected '='"},
      {kWineHeader, "junk", "5: expected '[', '\"' or '@'"},
      {kWineHeader, "\"f\"=weird:1", "5: unknown value data"},
      {kWineHeader, "[\\\\] 0\n\"g\"=dword:2", "5: empty key name|6: value outside a key"},
      {kWineHeader, "[Broken 0\n\"g\"=dword:2", "5: missing closing ']'|6: value outside a key"},
      {regedit, "[HKEY_CURRENT_USER\\X\r\n\"g\"=dword:2", "5: expected ']'|6: value outside a key"},
      {regedit, "[-HKEY_CURRENT_USER\\X]", "5: key deletion is not supported"},
  };
  for (const auto& c : cases) {
    Parsed p = Parse(c.header + "[K] 0\n" + c.lines + "\n[K] 0\n\"after\"=dword:1\n");
    ASSERT_TRUE(p.status.ok()) << c.lines;
    std::string problems;
    for (const std::string& problem : p.problems) {
      problems += (problems.empty() ? "" : "|") + problem.substr(std::string("test.reg:").size());
    }
    EXPECT_EQ(problems, c.problems) << c.lines;
    EXPECT_NE(p.hive.FindValue("K", "after"), nullptr) << c.lines;
  }
  // A value before any key has none to go to.
  EXPECT_EQ(Parse(kWineHeader + "\"early\"=dword:1\n").problems,
            std::vector<std::string>{"test.reg:4: value outside a key"});
}

TEST(HiveReaderTest, RejectsFilesWithoutARegistryHeader) {
  for (const char* bytes : {"", "hello\n[K]\n", "\xFF\xFE", "WINE REGISTRY Version 1\n"}) {
    Parsed p = Parse(bytes);
    EXPECT_EQ(p.status.code(), Status::Code::kCorruption);
    EXPECT_EQ(p.status.message(), "test.reg:1: not a registry file");
  }
}

const char kRegeditBody[] =
    "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor App]\r\n"
    "@=\"top\"\r\n"
    "\"Path\"=\"C:\\\\Program Files\\\\App\"\r\n"
    "\"Count\"=dword:00000010\r\n"
    "\"Multi\"=hex(7):61,00,62,00,00,00,63,00,00,00,\\\r\n"
    "  00,00\r\n"
    "\r\n[HKEY_CURRENT_USER\\Software\\\xC3\xA9]\r\n"
    "\"n\"=\"\xE2\x82\xAC\"\r\n";

TEST(HiveReaderTest, ReadsRegeditExportsInUtf16AndUtf8) {
  const std::string text = std::string("Windows Registry Editor Version 5.00\r\n") + kRegeditBody;
  for (const std::string& bytes : {"\xFF\xFE" + Utf8ToUtf16Le(text), text, "\xEF\xBB\xBF" + text}) {
    Parsed p = Parse(bytes);
    ASSERT_TRUE(p.status.ok()) << p.status.ToString();
    EXPECT_EQ(p.format, HiveFormat::kRegedit5);
    EXPECT_EQ(p.problems, std::vector<std::string>{});
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Vendor App";
    EXPECT_EQ(*p.hive.FindValue(key, ""), Value::Text("top"));
    EXPECT_EQ(*p.hive.FindValue(key, "path"), Value::Text("C:\\Program Files\\App"));
    EXPECT_EQ(*p.hive.FindValue(key, "Count"), Value::Dword(16));
    EXPECT_EQ(*p.hive.FindValue(key, "Multi"), Value::MultiText({"ab", "c"}));
    EXPECT_EQ(*p.hive.FindValue("HKEY_CURRENT_USER\\Software\\\xC3\xA9", "n"),
              Value::Text("\xE2\x82\xAC"));
    // HiveBelow splits an export by root.
    Hive machine = HiveBelow(p.hive, "hkey_local_machine");
    EXPECT_EQ(*machine.FindValue("Software\\Vendor App", "Count"), Value::Dword(16));
    EXPECT_EQ(machine.keys().size(), 1u);
  }
}

}  // namespace
}  // namespace qv::registry
