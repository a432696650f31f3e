#include "services/text_files.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <vector>

#include "services/drive_c_fixture.h"

namespace qv {
namespace {

using Lines = std::vector<std::string>;

class TextFilesTest : public test::DriveCTest {
 protected:
  void TearDown() override {
    CloseAllFFiles();
    ui::ResetProgramEnded();
    DriveCTest::TearDown();
  }
  // Every line of a file through the numbered-file calls, as the log reader reads them.
  Lines ReadAll(const std::string& path) {
    Lines lines;
    EXPECT_EQ(OpenFFile(path, 2, FileOpenType::kRead, true), OpenFileResult::kOpened);
    std::string line;
    while (!EofFFile(2) && ReadFFileLine(2, &line) == ReadLineResult::kRead) lines.push_back(line);
    EXPECT_EQ(ReadFFileLine(2, &line), ReadLineResult::kEnd);
    EXPECT_EQ(line, "");
    EXPECT_EQ(CloseFFile(2), CloseFileResult::kClosed);
    return lines;
  }
  test::ScopedScriptedUi m_ui;
};

// The log text of kLogLines with product as the product name, lines ended by eol.
std::string Log(const std::string& product, const std::string& eol) {
  return "=== Verbose logging started: 1/31/2024 ===" + eol +
         "Property(S): ProductName = " + product + eol + eol + "MSI (s) (A4:B8) done";
}
const Lines kLogLines = {"=== Verbose logging started: 1/31/2024 ===",
                         "Property(S): ProductName = Caf\xC3\xA9 \xE2\x82\xAC", "",
                         "MSI (s) (A4:B8) done"};

TEST_F(TextFilesTest, ReadsEveryEncodingBackAsTheSameText) {
  const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC";
  const std::string cases[] = {
      "\xFF\xFE" + Utf8ToUtf16Le(Log(utf8, "\r\n") + "\r\n"), Utf8ToUtf16Le(Log(utf8, "\r\n")),
      Log(utf8, "\r\n") + "\r\n", "\xEF\xBB\xBF" + Log(utf8, "\n") + "\n",
      Log("Caf\xE9 \x80", "\r\n") + "\r\n"};  // the last one in windows-1252
  for (const std::string& bytes : cases) {
    m_dir.Write("drive_c/logs/install.log", bytes);
    EXPECT_EQ(ReadAll("C:\\logs\\install.log"), kLogLines) << bytes;
  }
  // The lowest code points of two and three bytes are UTF-8, not Windows-1252.
  EXPECT_EQ(AnsiToUtf8("\xC2\x80\xE0\xA0\x80"), "\xC2\x80\xE0\xA0\x80");
  m_dir.Write("drive_c/a.log", "first\r\n\nsecond\rthird\r\n");  // stray line feeds go
  EXPECT_EQ(ReadAll("C:\\a.log"), (Lines{"first", "second", "third"}));
  m_dir.Write("drive_c/b.log", Utf8ToUtf16Le("one\r\n\ntwo"));
  EXPECT_EQ(ReadAll(m_dir.Sub("drive_c/b.log")), (Lines{"one", "two"}));
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(TextFilesTest, WritesUnicodeWithAMarkAppendsAndReplacesReadOnlyFiles) {
  using enum FileOpenType;
  auto write = [](const std::string& path, int32_t FileNo, FileOpenType Ntype, const char* line) {
    ASSERT_EQ(OpenFFile(path, FileNo, Ntype, true), OpenFileResult::kOpened);
    EXPECT_EQ(WriteFFileLine(FileNo, line), WriteLineResult::kWritten);
    EXPECT_EQ(CloseFFile(FileNo), CloseFileResult::kClosed);
  };
  write("C:\\out\\new\\u.txt", 5, kWriteUnicode, "Caf\xC3\xA9");
  EXPECT_EQ(test::ReadFile(m_dir.Sub("drive_c/out/new/u.txt")),
            std::string("\xFF\xFE"
                        "C\0a\0f\0\xE9\0\r\0\n\0",
                        14));
  write("C:\\out\\a.txt", 6, kAppend, "one");
  write("C:\\out\\a.txt", 6, kAppend, "two");
  EXPECT_EQ(test::ReadFile(m_dir.Sub("drive_c/out/a.txt")), "one\r\ntwo\r\n");
  std::string host = m_dir.Write("drive_c/out/b.txt", "old content");
  ASSERT_EQ(chmod(host.c_str(), 0444), 0);
  write("C:\\out\\b.txt", 7, kWrite, "new");
  EXPECT_EQ(test::ReadFile(host), "new\r\n");
}

TEST_F(TextFilesTest, OpenFFileFailuresShowTheirMessage) {
  using enum ui::Buttons;
  using enum FileOpenType;
  using R = OpenFileResult;
  const char* kRange = "File Type <  0 or >  100";
  const char* kBlank = "Trying to Write/Append to a file with a blank name";
  const char* kNone = "C:\\logs\\none.log";
  const char* kMissing = "File C:\\logs\\none.log\r\nPress YES to End";
  const char* kMissingTitle = "Error - File to be opened for reading does not exist.";
  const struct {
    const char* path;
    int32_t FileNo;
    FileOpenType Ntype;
    bool show, yes;  // yes: the user answers Yes
    R code;
    int32_t ends;
    const char *text, *title;  // no message box when text is null
    ui::Buttons buttons;
  } cases[] = {
      {"C:\\a.log", 101, kRead, false, false, R::kFailed, 1, kRange, "Error", kOk},
      {"C:\\a.log", -1, kRead, false, false, R::kFailed, 1, kRange, "Error", kOk},
      {"", 3, kRead, true, false, R::kBlankPath, 0, "Trying to Read from a file with a blank name",
       "Error", kOk},
      {"", 3, kWrite, true, false, R::kBlankPath, 0, kBlank, "Error", kOk},
      {"", 3, kRead, false, false, R::kBlankPath, 0, nullptr, nullptr, kOk},
      {"C:\\a.log", 2, FileOpenType{5}, false, false, R::kFailed, 1,
       "FilePath C:\\a.log FileNo  2 Ntype= 5", "Error Invalid Ntype OpenFFile", kOk},
      {kNone, 2, kRead, true, false, R::kMissing, 0, kMissing, kMissingTitle, kYesNo},
      {kNone, 2, kRead, true, true, R::kMissing, 1, kMissing, kMissingTitle, kYesNo},
      {kNone, 2, kRead, false, true, R::kMissing, 0, nullptr, nullptr, kOk},
      {"C:\\Windows", 3, kWrite, true, false, R::kFailed, 0,  // a folder is in the way
       "Could not open FileObject  3 for Write\r\nPress YES to End",
       "Error when trying to OpenFile C:\\Windows", kYesNo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.FileNo << " " << static_cast<int>(c.Ntype) << " [" << c.path << "]");
    test::ScopedScriptedUi ui;
    ui->Answer(c.yes ? ui::Answer::kYes : ui::Answer::kNo);
    EXPECT_EQ(OpenFFile(c.path, c.FileNo, c.Ntype, c.show), c.code);
    if (c.text) {
      test::ExpectOneMessage(ui.get(), c.text, c.title, c.buttons);
    } else {
      EXPECT_TRUE(ui->messages.empty());
    }
    EXPECT_EQ(ui->endCount, c.ends);
    if (FileTable(c.FileNo)) {
      EXPECT_EQ(FileTable(c.FileNo)->Ntype, kFree);
    }
    ui::ResetProgramEnded();
  }
}

TEST_F(TextFilesTest, NumbersNotOpenAndReopenedNumbers) {
  using enum FileOpenType;
  std::string line = "x";
  EXPECT_EQ(ReadFFileLine(9, &line), ReadLineResult::kNotOpen);
  EXPECT_EQ(line, "");
  EXPECT_TRUE(EofFFile(9));
  ASSERT_EQ(OpenFFile("C:\\out\\w.txt", 9, kWriteText, true), OpenFileResult::kOpened);
  EXPECT_EQ(ReadFFileLine(9, &line), ReadLineResult::kNotOpen);
  EXPECT_TRUE(EofFFile(9));
  EXPECT_EQ(CloseFFile(9), CloseFileResult::kClosed);
  EXPECT_TRUE(m_ui->messages.empty());
  ASSERT_EQ(OpenFFile("C:\\out\\c.txt", 99, kWrite, true), OpenFileResult::kOpened);
  EXPECT_EQ(CloseFFile(99), CloseFileResult::kClosed);
  m_ui->Answer(ui::Answer::kYes);
  EXPECT_EQ(CloseFFile(99), CloseFileResult::kNothingOpen);
  test::ExpectOneMessage(m_ui.get(),
                         "Trying to close File C:\\out\\c.txt Number 99\r\nPress YES to End",
                         "Error", ui::Buttons::kYesNo);
  EXPECT_EQ(m_ui->endCount, 1);
  m_dir.Write("drive_c/two.log", "2\r\n");  // reopening a number replaces its file
  ASSERT_EQ(OpenFFile("C:\\Windows\\win.ini", 4, kRead, true), OpenFileResult::kOpened);
  ASSERT_EQ(OpenFFile("C:\\two.log", 4, kRead, true), OpenFileResult::kOpened);
  EXPECT_EQ(ReadFFileLine(4, &line), ReadLineResult::kRead);
  EXPECT_EQ(line, "2");
  EXPECT_EQ(FileTable(4)->FilePath, "C:\\two.log");
}

}  // namespace
}  // namespace qv
