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

TEST(HiveReaderTest, ReadsWineKeysWithTimestampsAndComments) {
  Parsed p = Parse(test::DataFile("registry/reader/keys.reg"));
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
  for (const ValueLine& v : ValueLines()) {
    Parsed p = Parse(kWineHeader + "[K] 0\n" + v.line + "\n");
    EXPECT_EQ(p.problems, std::vector<std::string>{}) << v.line;
    const Value* read = p.hive.FindValue("K", v.name);
    ASSERT_NE(read, nullptr) << v.line;
    EXPECT_EQ(*read, v.value) << v.line;
  }
}

TEST(HiveReaderTest, SkipsEachMalformedLineNamingItAndKeepsTheRest) {
  const std::string regedit = "Windows Registry Editor Version 5.00\r\n\r\n\r\n";
  for (const test::DataRow& row : test::DataRows("registry/malformed_lines.txt")) {
    const std::string header = row[0] == "wine" ? kWineHeader : regedit;
    Parsed p = Parse(header + "[K] 0\n" + row[1] + "\n[K] 0\n\"after\"=dword:1\n");
    ASSERT_TRUE(p.status.ok()) << row[1];
    std::string problems;
    for (const std::string& problem : p.problems) {
      problems += (problems.empty() ? "" : "|") + problem.substr(std::string("test.reg:").size());
    }
    EXPECT_EQ(problems, row[2]) << row[1];
    EXPECT_NE(p.hive.FindValue("K", "after"), nullptr) << row[1];
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

TEST(HiveReaderTest, ReadsRegeditExportsInUtf16AndUtf8) {
  const std::string text = test::DataFile("registry/reader/export.reg");
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
