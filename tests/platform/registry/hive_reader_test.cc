#include "platform/registry/hive_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry/text_codec.h"
#include "platform/registry/value_lines.h"
#include "support/data_rows.h"

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

TEST(HiveReaderTest, ReadsEveryFormAndSkipsMalformedLinesNamingThem) {
  Parsed p = Parse(test::DataFile("registry/reader/keys.reg"));
  ASSERT_TRUE(p.status.ok());
  EXPECT_EQ(p.format, HiveFormat::kWine);
  EXPECT_TRUE(p.problems.empty());
  const Value* v =
      p.hive.FindValue("software\\MICROSOFT\\windows\\currentversion", "programfilesdir");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(*v, Value::Text("C:\\Program Files"));
  // Escaped key names keep brackets and backslashes; É matches é.
  EXPECT_NE(p.hive.FindValue("a\\b]c\\\xC3\x89", "V"), nullptr);
  // Regedit exports in UTF-16 and UTF-8.
  const std::string text = test::DataFile("registry/reader/export.reg");
  for (const std::string& bytes : {"\xFF\xFE" + Utf8ToUtf16Le(text), text, "\xEF\xBB\xBF" + text}) {
    Parsed exported = Parse(bytes);
    ASSERT_TRUE(exported.status.ok()) << exported.status.ToString();
    EXPECT_EQ(exported.format, HiveFormat::kRegedit5);
    EXPECT_EQ(exported.problems, std::vector<std::string>{});
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Vendor App";
    EXPECT_EQ(*exported.hive.FindValue(key, ""), Value::Text("top"));
    EXPECT_EQ(*exported.hive.FindValue(key, "path"), Value::Text("C:\\Program Files\\App"));
    EXPECT_EQ(*exported.hive.FindValue(key, "Count"), Value::Dword(16));
    EXPECT_EQ(*exported.hive.FindValue(key, "Multi"), Value::MultiText({"ab", "c"}));
    EXPECT_EQ(*exported.hive.FindValue("HKEY_CURRENT_USER\\Software\\\xC3\xA9", "n"),
              Value::Text("\xE2\x82\xAC"));
    // HiveBelow splits an export by root.
    Hive machine = HiveBelow(exported.hive, "hkey_local_machine");
    EXPECT_EQ(*machine.FindValue("Software\\Vendor App", "Count"), Value::Dword(16));
    EXPECT_EQ(machine.keys().size(), 1u);
  }
  // Every form of Wine value line.
  for (const ValueLine& v : ValueLines()) {
    Parsed line = Parse(kWineHeader + "[K] 0\n" + v.line + "\n");
    EXPECT_EQ(line.problems, std::vector<std::string>{}) << v.line;
    const Value* read = line.hive.FindValue("K", v.name);
    ASSERT_NE(read, nullptr) << v.line;
    EXPECT_EQ(*read, v.value) << v.line;
  }
  // Files without a registry header are refused.
  for (const char* bytes : {"", "\xFF\xFE", "WINE REGISTRY Version 1\n"}) {
    Parsed refused = Parse(bytes);
    EXPECT_EQ(refused.status.code(), Status::Code::kCorruption);
    EXPECT_EQ(refused.status.message(), "test.reg:1: not a registry file");
  }
  // Each malformed line is skipped, named, and the rest kept.
  const std::string regedit = "Windows Registry Editor Version 5.00\r\n\r\n\r\n";
  // Each text follows the header and "[K] 0" (line 4) and comes before a good value.
  const struct {
    const std::string& header;
    const char *lines, *problems;
  } cases[] = {
      {kWineHeader, "\"b\"=dword:123456789", "5: bad dword value"},
      {kWineHeader, "\"c\"=hex:1,234", "5: bad hex byte"},
      {kWineHeader, "\"c\"=hex:01 02", "5: expected ','"},
      {kWineHeader, "\"c\"=hex 01", "5: expected ':'"},
      {kWineHeader, "\"c\"=hex(zz):01", "5: bad type in hex(N)"},
      {kWineHeader, "\"d\"=\"unterminated", "5: missing closing '\"'"},
      {kWineHeader, "\"d\"=\"a\" b", "5: text after the closing '\"'"},
      {kWineHeader, "\"d\"=\"\\xg\"", "5: bad \\x escape"},
      {kWineHeader, "\"s\"=str(x):\"a\"", "5: bad type in str(N)"},
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
    Parsed damaged = Parse(c.header + "[K] 0\n" + c.lines + "\n[K] 0\n\"after\"=dword:1\n");
    ASSERT_TRUE(damaged.status.ok()) << c.lines;
    std::string problems;
    for (const std::string& problem : damaged.problems) {
      problems += (problems.empty() ? "" : "|") + problem.substr(std::string("test.reg:").size());
    }
    EXPECT_EQ(problems, c.problems) << c.lines;
    EXPECT_NE(damaged.hive.FindValue("K", "after"), nullptr) << c.lines;
  }
}

}  // namespace
}  // namespace qv::registry
