#include "details/verbose_log.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "details/log_lines.h"
#include "services/data_rows.h"
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
  for (const test::DataRow& row : test::DataRows("details/log_lines.tsv")) {
    const Lines lines(row.begin() + 2, row.end());
    for (size_t chunk : {size_t{1}, size_t{3}, size_t{4096}}) {
      EXPECT_EQ(AllLines(row[0], row[1] == "1", chunk), lines) << row[0] << " chunk " << chunk;
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

constexpr const char* kMarker = "=== Verbose logging started: 1/2/2024  10:00:00  Build type: SHIP";
constexpr const char* kPackageLine =
    "MSI (c) (A8:64) [10:00:00:010]: Package name extracted from package path: 'app.msi'";

TEST(ReadLogIdentityTest, ReadsTheIdentityUpToThePackageName) {
  for (const test::DataRow& row : test::DataRows("details/log_identity.tsv")) {
    LogLineReader reader(SourceOf(row[1], 4096), false);
    std::string name = "old name", type = "old type", code = "old code";
    EXPECT_EQ(ReadLogIdentity(reader, &name, &type, &code), row[2] == "1") << row[0];
    EXPECT_EQ((Lines{name, type, code}), (Lines{row[3], row[4], row[5]})) << row[0];
  }
}

class LogFileTest : public ::testing::Test {
 protected:
  test::FreshProgramState m_fresh;
  test::ScopedTestMachine m_machine;
  test::ScopedScriptedUi m_ui;
  test::TempDir m_dir;
};

TEST_F(LogFileTest, ReadsUnicodeAndAnsiLogs) {
  const std::string text = std::string(kMarker) + "\r\n" + kPackageLine + "\r\n";
  for (const std::string& bytes : {"\xFF\xFE" + Utf8ToUtf16Le(text), text}) {
    std::string name, type, code = "x";
    EXPECT_TRUE(GetIdentityLogFile(m_dir.Write("a.log", bytes), &name, &type, &code));
    EXPECT_EQ(name + "|" + code, "'app.msi'|");
  }
}

TEST_F(LogFileTest, AMissingLogClearsNameAndCodeOnly) {
  std::string name = "n", type = "t", code = "c";
  EXPECT_FALSE(GetIdentityLogFile(m_dir.Sub("absent.log"), &name, &type, &code));
  EXPECT_EQ(name + "|" + type + "|" + code, "|t|");
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(LogFileTest, ChangeFilesNeedTheirHeaderOnTheFirstLine) {
  const std::pair<const char*, bool> cases[] = {
      {"SETUPCAPTURE REPORT v2\r\nrest", true},
      {"SetupCapture report", true},
      {"\r\nSetupCapture report\r\n", false},
      {"SetupCapture", false},
      {"", false},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(IsChangeFile(m_dir.Write("c.csv", text)), expected) << text;
  }
}

TEST_F(LogFileTest, AFileThatCannotBeOpenedIsReportedAsTheTextFilesReportIt) {
  EXPECT_FALSE(IsChangeFile(m_dir.Sub("gone.csv")));
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(m_ui->messages[0].title, "Error - File to be opened for reading does not exist.");
  EXPECT_EQ(m_ui->endCount, 0);
}

}  // namespace
}  // namespace qv
