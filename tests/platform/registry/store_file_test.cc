#include "platform/registry/store_file.h"

#include <gtest/gtest.h>

#include "platform/registry/value_lines.h"
#include "support/data_rows.h"
#include "support/temp_dir.h"

namespace qv::registry {
namespace {

const std::string kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1\n\n#arch=win64\n";
const std::string kKey = "Software\\Dunar\\Quorvex";

// The file's text with every key line's time stamp as "T", which each write renews.
std::string Unstamped(const std::string& text) {
  std::string out;
  std::size_t pos = 0;
  for (std::size_t at; (at = text.find("] ", pos)) != std::string::npos;) {
    std::size_t end = at + 2;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    const bool stamp = end > at + 2 && end < text.size() && text[end] == '\n';
    out += text.substr(pos, at + 2 - pos) + (stamp ? "T" : "");
    pos = stamp ? end : at + 2;
  }
  return out + text.substr(pos);
}

// A value that does not change is written back in the form it was read in, through two writes
// of other values.
TEST(StoreFileTest, ValuesAreWrittenBackAsReadOrAfreshWhenChangedUnreadableLinesKept) {
  for (const ValueLine& c : ValueLines()) {
    test::TempDir dir;
    const std::string path =
        dir.Write("user.reg", kHeader + "\n[Software\\\\Dunar\\\\Quorvex] 5\n" + c.line + "\n");
    StoreFile store(path, "\\User\\S-1");
    for (uint32_t n : {1u, 2u}) {
      ASSERT_TRUE(store.Update([&](Hive* h) { h->SetValue(kKey, "n", Value::Dword(n)); }).ok());
      EXPECT_EQ(Unstamped(test::ReadFile(path)), kHeader + "\n[Software\\\\Dunar\\\\Quorvex] T\n" +
                                                     c.line + "\n\"n\"=dword:0000000" +
                                                     std::to_string(n) + "\n")
          << c.line;
    }
  }
  // A value that changes is written in the writer's own form; one set to what it holds keeps
  // its line.
  test::TempDir dir;
  const std::string path = dir.Write("user.reg", kHeader +
                                                     "\n[Software\\\\Dunar\\\\Quorvex] 5\n"
                                                     "\"same\"=hex(4):2a,00,00,00\n"
                                                     "\"changed\"=str(4):\"abc\"\n");
  StoreFile store(path, "\\User\\S-1");
  ASSERT_TRUE(store
                  .Update([&](Hive* h) {
                    h->SetValue(kKey, "SAME", Value::Dword(42));
                    h->SetValue(kKey, "changed", Value::Dword(7));
                  })
                  .ok());
  EXPECT_EQ(Unstamped(test::ReadFile(path)), kHeader +
                                                 "\n[Software\\\\Dunar\\\\Quorvex] T\n"
                                                 "\"same\"=hex(4):2a,00,00,00\n"
                                                 "\"changed\"=dword:00000007\n");

  // Lines the reader cannot read, comments and lines of no key stay in the file where they
  // were, through writes that add and remove values around them.
  dir.Write("user.reg", test::DataFile("registry/store/unreadable_lines.reg"));
  StoreFile kept(path, "\\User\\S-1");
  ASSERT_TRUE(kept.Update([&](Hive* h) { h->SetValue(kKey, "d", Value::Text("four")); }).ok());
  ASSERT_TRUE(kept.Update([&](Hive* h) { h->RemoveValue(kKey, "a"); }).ok());
  // Key lines keep their place; their time stamps are those of the write ("T").
  EXPECT_EQ(Unstamped(test::ReadFile(path)),
            test::DataFile("registry/store/unreadable_lines.written.reg"));
  StoreFile fresh(path, "\\User\\S-1");
  EXPECT_EQ(*fresh.Current().FindValue(kKey, "c"), Value::Text("three"));
  EXPECT_EQ(*fresh.Current().FindValue("Software\\Other", "x"), Value::Raw(kBinary, "\x01\x02"));
  // The last line goes on over nothing, so it cannot be read; written back, a ';' line keeps
  // it so.
  EXPECT_EQ(fresh.Current().FindValue("Software\\Other", "y"), nullptr);
  EXPECT_EQ(fresh.problems().size(), 6u);  // stray, b, junk, [Broken, g, y
}

}  // namespace
}  // namespace qv::registry
