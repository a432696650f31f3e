#include "services/text_files.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/machine.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

class TextFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.Write("drive_c/Windows/win.ini", "x");
    auto machine = std::make_shared<Machine>();
    machine->drives['C'] = m_dir.Sub("drive_c");
    SetCurrentMachine(machine);
  }
  void TearDown() override {
    for (int32_t n = kFirstFileNo; n <= kLastFileNo; ++n) {
      if (FileTable(n)->Ntype != 0) CloseFFile(n);
    }
    ui::ResetProgramEnded();
    SetCurrentMachine(nullptr);
  }
  // Every line of a file through the numbered-file calls, as the log reader reads them.
  std::vector<std::string> ReadAll(const std::string& path) {
    std::vector<std::string> lines;
    EXPECT_EQ(OpenFFile(path, 2, 1, true), 0);
    std::string line;
    while (!EofFFile(2) && ReadFFileLine(2, &line) == 0) lines.push_back(line);
    EXPECT_EQ(ReadFFileLine(2, &line), 2);
    EXPECT_EQ(line, "");
    EXPECT_EQ(CloseFFile(2), 0);
    return lines;
  }
  test::TempDir m_dir;
  test::ScopedScriptedUi m_ui;
};

const std::vector<std::string> kLogLines = {"=== Verbose logging started: 1/31/2024 ===",
                                            "Property(S): ProductName = Caf\xC3\xA9 \xE2\x82\xAC",
                                            "", "MSI (s) (A4:B8) done"};

TEST_F(TextFilesTest, ReadsEveryEncodingBackAsTheSameText) {
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"utf16 with mark",
       "\xFF\xFE" + Utf8ToUtf16Le("=== Verbose logging started: 1/31/2024 ===\r\n"
                                  "Property(S): ProductName = Caf\xC3\xA9 "
                                  "\xE2\x82\xAC\r\n\r\nMSI (s) (A4:B8) done\r\n")},
      {"utf16 without mark", Utf8ToUtf16Le("=== Verbose logging started: 1/31/2024 ===\r\n"
                                           "Property(S): ProductName = Caf\xC3\xA9 \xE2\x82\xAC\r\n"
                                           "\r\nMSI (s) (A4:B8) done")},
      {"utf8",
       "=== Verbose logging started: 1/31/2024 ===\r\nProperty(S): ProductName = "
       "Caf\xC3\xA9 \xE2\x82\xAC\r\n\r\nMSI (s) (A4:B8) done\r\n"},
      {"utf8 with mark",
       "\xEF\xBB\xBF=== Verbose logging started: 1/31/2024 ===\nProperty(S): "
       "ProductName = Caf\xC3\xA9 \xE2\x82\xAC\n\nMSI (s) (A4:B8) done\n"},
      {"windows-1252",
       "=== Verbose logging started: 1/31/2024 ===\r\nProperty(S): ProductName = "
       "Caf\xE9 \x80\r\n\r\nMSI (s) (A4:B8) done\r\n"},
  };
  for (const Case& c : cases) {
    m_dir.Write("drive_c/logs/install.log", c.bytes);
    EXPECT_EQ(ReadAll("C:\\logs\\install.log"), kLogLines) << c.name;
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(TextFilesTest, StrayLineFeedAtTheStartOfALineIsRemoved) {
  m_dir.Write("drive_c/a.log", "first\r\n\nsecond\rthird\r\n");
  EXPECT_EQ(ReadAll("C:\\a.log"), (std::vector<std::string>{"first", "second", "third"}));
  m_dir.Write("drive_c/b.log", Utf8ToUtf16Le("one\r\n\ntwo"));
  EXPECT_EQ(ReadAll(m_dir.Sub("drive_c/b.log")), (std::vector<std::string>{"one", "two"}));
}

TEST_F(TextFilesTest, WritesUnicodeWithAMarkAndAppends) {
  ASSERT_EQ(OpenFFile("C:\\out\\new\\u.txt", 5, 4, true), 0);
  EXPECT_TRUE(FileTable(5)->unicode);
  EXPECT_EQ(WriteFFileLine(5, "Caf\xC3\xA9"), 0);
  EXPECT_EQ(CloseFFile(5), 0);
  EXPECT_EQ(test::ReadFile(m_dir.Sub("drive_c/out/new/u.txt")),
            std::string("\xFF\xFE"
                        "C\0a\0f\0\xE9\0\r\0\n\0",
                        14));
  EXPECT_EQ(ReadAll("C:\\out\\new\\u.txt"), (std::vector<std::string>{"Caf\xC3\xA9"}));

  ASSERT_EQ(OpenFFile("C:\\out\\a.txt", 6, 8, true), 0);
  EXPECT_EQ(WriteFFileLine(6, "one"), 0);
  EXPECT_EQ(CloseFFile(6), 0);
  ASSERT_EQ(OpenFFile("C:\\out\\a.txt", 6, 8, true), 0);
  EXPECT_EQ(WriteFFileLine(6, "two"), 0);
  EXPECT_EQ(CloseFFile(6), 0);
  EXPECT_EQ(test::ReadFile(m_dir.Sub("drive_c/out/a.txt")), "one\r\ntwo\r\n");
}

TEST_F(TextFilesTest, NewFileTypesReplaceReadOnlyFiles) {
  std::string host = m_dir.Write("drive_c/out/b.txt", "old content");
  ASSERT_EQ(chmod(host.c_str(), 0444), 0);
  ASSERT_EQ(OpenFFile("C:\\out\\b.txt", 7, 2, true), 0);
  EXPECT_EQ(WriteFFileLine(7, "new"), 0);
  EXPECT_EQ(CloseFFile(7), 0);
  EXPECT_EQ(test::ReadFile(host), "new\r\n");
}

TEST_F(TextFilesTest, FileNumberOutOfRangeEndsTheProgram) {
  for (int32_t FileNo : {101, -1}) {
    test::ScopedScriptedUi ui;
    OpenFFile("C:\\a.log", FileNo, 1, false);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, "File Type <  0 or >  100");
    EXPECT_EQ(ui->messages[0].title, "Error");
    EXPECT_EQ(ui->messages[0].buttons, ui::Buttons::kOk);
    EXPECT_EQ(ui->endCount, 1);
  }
}

TEST_F(TextFilesTest, BlankNamesGiveCodeThree) {
  struct Case {
    int32_t Ntype;
    bool show;
    const char* message;
  } cases[] = {
      {1, true, "Trying to Read from a file with a blank name"},
      {2, true, "Trying to Write/Append to a file with a blank name"},
      {8, true, "Trying to Write/Append to a file with a blank name"},
      {1, false, nullptr},
  };
  for (const Case& c : cases) {
    test::ScopedScriptedUi ui;
    EXPECT_EQ(OpenFFile("", 3, c.Ntype, c.show), 3);
    ASSERT_EQ(ui->messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(ui->messages[0].text, c.message);
      EXPECT_EQ(ui->messages[0].title, "Error");
      EXPECT_EQ(ui->messages[0].buttons, ui::Buttons::kOk);
    }
    EXPECT_EQ(ui->endCount, 0);
  }
}

TEST_F(TextFilesTest, InvalidTypeEndsTheProgram) {
  EXPECT_EQ(OpenFFile("C:\\a.log", 2, 5, false), 4);
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(m_ui->messages[0].text, "FilePath C:\\a.log FileNo  2 Ntype= 5");
  EXPECT_EQ(m_ui->messages[0].title, "Error Invalid Ntype OpenFFile");
  EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kOk);
  EXPECT_EQ(m_ui->endCount, 1);
}

TEST_F(TextFilesTest, MissingFileToReadAsksWhetherToEnd) {
  struct Case {
    bool show;
    ui::Answer answer;
    int ends;
  } cases[] = {
      {true, ui::Answer::kNo, 0}, {true, ui::Answer::kYes, 1}, {false, ui::Answer::kYes, 0}};
  for (const Case& c : cases) {
    test::ScopedScriptedUi ui;
    ui->Answer(c.answer);
    EXPECT_EQ(OpenFFile("C:\\logs\\none.log", 2, 1, c.show), 1);
    ASSERT_EQ(ui->messages.size(), c.show ? 1u : 0u);
    if (c.show) {
      EXPECT_EQ(ui->messages[0].text, "File C:\\logs\\none.log\r\nPress YES to End");
      EXPECT_EQ(ui->messages[0].title, "Error - File to be opened for reading does not exist.");
      EXPECT_EQ(ui->messages[0].buttons, ui::Buttons::kYesNo);
    }
    EXPECT_EQ(ui->endCount, c.ends);
    ui::ResetProgramEnded();
  }
}

TEST_F(TextFilesTest, FileThatCannotBeOpenedGivesCodeFour) {
  m_ui->Answer(ui::Answer::kNo);
  EXPECT_EQ(OpenFFile("C:\\Windows", 3, 2, true), 4);  // a folder is in the way
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(m_ui->messages[0].text, "Could not open FileObject  3 for Write\r\nPress YES to End");
  EXPECT_EQ(m_ui->messages[0].title, "Error when trying to OpenFile C:\\Windows");
  EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kYesNo);
  EXPECT_EQ(m_ui->endCount, 0);
  EXPECT_EQ(FileTable(3)->Ntype, 0);
}

TEST_F(TextFilesTest, NumbersNotOpenForReading) {
  std::string line = "x";
  EXPECT_EQ(ReadFFileLine(9, &line), 1);
  EXPECT_EQ(line, "");
  EXPECT_TRUE(EofFFile(9));
  ASSERT_EQ(OpenFFile("C:\\out\\w.txt", 9, 3, true), 0);
  EXPECT_EQ(ReadFFileLine(9, &line), 1);
  EXPECT_TRUE(EofFFile(9));
  EXPECT_EQ(CloseFFile(9), 0);
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(TextFilesTest, ClosingANumberNotOpenAsksWhetherToEnd) {
  ASSERT_EQ(OpenFFile("C:\\out\\c.txt", 99, 2, true), 0);
  EXPECT_EQ(CloseFFile(99), 0);
  m_ui->Answer(ui::Answer::kYes);
  EXPECT_EQ(CloseFFile(99), 999);
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(m_ui->messages[0].text,
            "Trying to close File C:\\out\\c.txt Number 99\r\nPress YES to End");
  EXPECT_EQ(m_ui->messages[0].title, "Error");
  EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kYesNo);
  EXPECT_EQ(m_ui->endCount, 1);
}

TEST_F(TextFilesTest, ReopeningANumberReplacesItsFile) {
  m_dir.Write("drive_c/one.log", "1\r\n");
  m_dir.Write("drive_c/two.log", "2\r\n");
  ASSERT_EQ(OpenFFile("C:\\one.log", 4, 1, true), 0);
  ASSERT_EQ(OpenFFile("C:\\two.log", 4, 1, true), 0);
  std::string line;
  EXPECT_EQ(ReadFFileLine(4, &line), 0);
  EXPECT_EQ(line, "2");
  EXPECT_EQ(FileTable(4)->FilePath, "C:\\two.log");
}

}  // namespace
}  // namespace qv
