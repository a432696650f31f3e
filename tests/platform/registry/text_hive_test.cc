#include "platform/registry/text_hive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry/hive_reader.h"
#include "platform/registry/name_compare.h"
#include "platform/registry/text_codec.h"
#include "support/data_rows.h"

namespace qv::registry {
namespace {

std::shared_ptr<const TextHive> Load(const std::string& text,
                                     std::vector<std::string>* problems = nullptr) {
  std::shared_ptr<const TextHive> hive;
  Status s = TextHive::Load(
      text, "t.reg",
      [&](const Status& p) {
        if (problems != nullptr) problems->push_back(p.message());
      },
      &hive);
  EXPECT_TRUE(s.ok()) << s.ToString();
  return hive;
}

const std::string kWine = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

// Files whose every key the indexed hive must answer as the full reader does, also when asked
// in other case.
const std::string kFiles[] = {"registry/text_hive/wine.reg", "registry/text_hive/regedit.reg"};

void ExpectSameAnswers(const Hive& full, const TextHive& lazy, const std::string& path) {
  EXPECT_TRUE(lazy.KeyExists(FoldName(path))) << path;
  EXPECT_EQ(lazy.SubkeyNames(FoldName(path)), full.SubkeyNames(path)) << path;
  EXPECT_EQ(lazy.Values(path), full.Values(path)) << path;
  for (const NamedValue& v : full.Values(path)) {
    Value value;
    EXPECT_TRUE(lazy.ReadValue(FoldName(path), FoldName(v.first), &value))
        << path << " " << v.first;
    EXPECT_EQ(value, v.second) << path << " " << v.first;
  }
}

TEST(TextHiveTest, AnswersAsTheFullReaderDoesReportsKeyLinesNamesTheRootRefusesWhatIsNoHive) {
  for (const std::string& file : kFiles) {
    const std::string text = test::DataFile(file);
    Hive full;
    ASSERT_TRUE(ParseHive(text, "t.reg", &full, nullptr).ok());
    std::shared_ptr<const TextHive> lazy = Load(text);
    ASSERT_TRUE(lazy);
    for (const auto& [folded, key] : full.keys()) {
      ExpectSameAnswers(full, *lazy, key.path);
      // Every parent of a key exists too, and lists the same subkeys.
      for (size_t at = key.path.find('\\'); at != std::string::npos;
           at = key.path.find('\\', at + 1)) {
        ExpectSameAnswers(full, *lazy, key.path.substr(0, at));
      }
    }
    EXPECT_EQ(lazy->SubkeyNames(""), full.SubkeyNames(""));
    EXPECT_FALSE(lazy->KeyExists("Software\\Classes\\CLSID\\{C}"));
    // UTF-16LE with its mark reads the same.
    std::shared_ptr<const TextHive> wide = Load("\xFF\xFE" + Utf8ToUtf16Le(text));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->KeyCount(), lazy->KeyCount());
  }
  // Key lines and stray values are reported when loaded.
  std::vector<std::string> problems;
  std::shared_ptr<const TextHive> hive = Load(kWine +                    // lines 1-3
                                                  "\"early\"=dword:1\n"  // 4
                                                  "[Good] 0\n"           // 5
                                                  "\"b\"=dword:xyz\n"    // 6: found when read
                                                  "[Broken 0\n"          // 7
                                                  "\"g\"=hex:01,\\\n"    // 8
                                                  "[Not a key]\n"        // 9: continues line 8
                                                  "[] 0\n"               // 10
                                                  "[Good\\\\Sub] 0\n",   // 11
                                              &problems);
  const std::vector<std::string> expected = {
      "t.reg:4: value outside a key", "t.reg:7: missing closing ']'",
      "t.reg:8: value outside a key", "t.reg:10: empty key name"};
  EXPECT_EQ(problems, expected);
  EXPECT_EQ(hive->SubkeyNames("Good"), std::vector<std::string>{"Sub"});
  EXPECT_FALSE(hive->KeyExists("Not a key"));
  EXPECT_EQ(hive->relativeTo(), "\\Machine");
  // The root a Wine file names, and what is no hive.
  EXPECT_EQ(
      Load("WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n")
          ->relativeTo(),
      "\\User\\S-1-5-21-0-0-0-1000");
  EXPECT_EQ(Load("WINE REGISTRY Version 2\n[K] 0\n")->relativeTo(), "");
  EXPECT_EQ(Load(test::DataFile(kFiles[1]))->format(), HiveFormat::kRegedit5);
  // What is no hive is refused.
  Status s = TextHive::Load("hello\n[K]\n", "t.reg", nullptr, &hive);
  EXPECT_EQ(s.code(), Status::Code::kCorruption);
  EXPECT_EQ(s.message(), "t.reg:1: not a registry file");
  EXPECT_FALSE(hive);
}

}  // namespace
}  // namespace qv::registry
