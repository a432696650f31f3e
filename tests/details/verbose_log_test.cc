#include "details/verbose_log.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include <gtest/gtest.h>

#include "details/log_lines.h"
#include "services/text_files.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"
#include "support/test_machine.h"

namespace qv {
namespace {

// A source that hands out at most chunk bytes per call, so lines and their ends straddle the
// reader's refills.
LogLineReader::ByteSource SourceOf(const std::string& bytes, size_t chunk) {
  auto position = std::make_shared<size_t>(0);
  return [bytes, chunk, position](char* buffer, size_t size, size_t* got) {
    *got = std::min({size, chunk, bytes.size() - *position});
    std::memcpy(buffer, bytes.data() + *position, *got);
    *position += *got;
    return Status::Ok();
  };
}

std::vector<std::string> AllLines(const std::string& bytes, bool unicode, size_t chunk) {
  LogLineReader reader(SourceOf(bytes, chunk), unicode);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(&line)) lines.push_back(line);
  EXPECT_TRUE(reader.AtEnd());
  return lines;
}

using Lines = std::vector<std::string>;

TEST(LogLineReaderTest, SplitsAnsiAndUnicodeTextAtEveryLineEnd) {
  const struct {
    std::string bytes;
    bool unicode;
    Lines lines;
  } cases[] = {
      {"a\r\nb\rc\nd", false, {"a", "b", "c", "d"}},
      {"\xEF\xBB\xBF"
       "caf\xC3\xA9\r\n",
       false,
       {"caf\xC3\xA9"}},  // UTF-8 with its mark
      {Utf8ToUtf16Le("x\r\ny"), true, {"x", "y"}},
      {"\xFF\xFE" + Utf8ToUtf16Le("\xD0\x96\r\nb\n"), true, {"\xD0\x96", "b"}},
      {Utf8ToUtf16Le("a\r\n") + "z", true, {"a"}},  // a dangling last byte is no character
      // A CR in the high byte of a character ends no line.
      {std::string("\x0D\x01\r\0", 4), true, {"\xC4\x8D"}},
  };
  for (const auto& c : cases) {
    for (size_t chunk : {size_t{1}, size_t{3}, size_t{4096}}) {
      EXPECT_EQ(AllLines(c.bytes, c.unicode, chunk), c.lines) << c.bytes << " chunk " << chunk;
    }
  }
}

TEST(LogLineReaderTest, CutsOverlongLinesAndSkipsTheirRest) {
  const std::string longLine(LogLineReader::kMaxLineBytes + 10, 'x');
  const Lines lines = AllLines(longLine + "\r\nnext", false, 65536);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), LogLineReader::kMaxLineBytes);
  EXPECT_EQ(lines[1], "next");
}

// Whether the identity was found, the package name, the install type and the product code.
using Identity = std::tuple<bool, std::string, std::string, std::string>;

Identity IdentityOf(const std::string& text) {
  LogLineReader reader(SourceOf(text, 4096), false);
  std::string name = "old name", type = "old type", code = "old code";
  const bool found = ReadLogIdentity(reader, &name, &type, &code);
  return {found, name, type, code};
}

constexpr const char* kMarker = "=== Verbose logging started: 1/2/2024  10:00:00  Build type: SHIP";
constexpr const char* kPackageLine =
    "MSI (c) (A8:64) [10:00:00:010]: Package name extracted from package path: 'app.msi'";

TEST(ReadLogIdentityTest, ReadsTheIdentityUpToThePackageName) {
  const std::string m = std::string(kMarker) + "\r\n";
  const std::string p = std::string(kPackageLine) + "\r\n";
  const std::string code = "MSI (c) (A8:64): Product Code passed: ProductCode '{AB-CD}' ok\r\n";
  const struct {
    const char* what;
    std::string text;
    Identity expected;
  } cases[] = {
      {"plain install", m + p, {true, "'app.msi'", "Install", ""}},
      {"marker on line 4", "1\r\n2\r\n3\r\n" + m + p, {true, "'app.msi'", "Install", ""}},
      {"marker on line 5",
       "1\r\n2\r\n3\r\n4\r\n" + m + p,
       {false, "old name", "old type", "old code"}},
      {"reinstall and remove",
       m + "MSI: Command Line: REINSTALL=ALL REMOVE=X\r\n" + p,
       {true, "'app.msi'", "ReInstall", ""}},
      {"remove", m + "x: command line: remove=ALL\r\n" + p, {true, "'app.msi'", "Remove", ""}},
      {"product code before the name", m + code + p, {true, "'app.msi'", "Install", "{AB-CD}"}},
      {"product code after the name", m + p + code, {true, "'app.msi'", "Install", ""}},
      {"no package name", m + code, {false, "", "Install", "{AB-CD}"}},
      {"leading blanks dropped",
       m + "x: package NAME is:    setup.msi  \r\n",
       {true, "setup.msi  ", "Install", ""}},
      {"product code without its brace",
       m + "ProductCode '{AB\r\n" + p,
       {true, "'app.msi'", "Install", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(IdentityOf(c.text), c.expected) << c.what;
}

// A missing log is no log, silently; a change file that cannot be opened is reported as the
// text files report it.
TEST(LogFileTest, AMissingLogClearsNameAndCodeAndAMissingChangeFileIsReported) {
  test::FreshProgramState fresh;
  test::ScopedTestMachine machine;
  test::ScopedScriptedUi ui;
  test::TempDir dir;
  std::string name = "n", type = "t", code = "c";
  EXPECT_FALSE(GetIdentityLogFile(dir.Sub("absent.log"), &name, &type, &code));
  EXPECT_EQ(name + "|" + type + "|" + code, "|t|");
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_FALSE(IsChangeFile(dir.Sub("gone.csv")));
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].title, "Error - File to be opened for reading does not exist.");
  EXPECT_EQ(ui->endCount, 0);
}

}  // namespace
}  // namespace qv
