#include "details/file_rows.h"

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <ctime>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/fixture_packages.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"
#include "support/test_machine.h"

namespace qv {
namespace {

constexpr const char* kStampText = "13:05:09 1/31/2024";  // the time every file is given

constexpr const char* kMarker = "=== Verbose logging started: 1/31/2024  13:05:09\r\n";
constexpr const char* kPackageLine =
    "MSI (c) (A8:64): Package name extracted from path: app.msi\r\n";
constexpr const char* kCodeLine = "MSI (c) (A8:64): Passed: ProductCode '{1-2-3}' here\r\n";

class FileRowsTest : public ::testing::Test {
 protected:
  void SetUp() override { m_env.Set("LC_ALL", "C"); }

  // Writes a file into the listed folder with the fixed time.
  std::string Put(const std::string& name, const std::string& bytes) {
    const std::string path = m_folder.Write(name, bytes);
    Touch(path);
    return path;
  }
  // Copies a fixture package into the listed folder under name.
  void PutFixture(const std::string& fixture, const std::string& name) {
    const std::string built = test::BuildFixture(m_fixtures, fixture);
    ASSERT_FALSE(built.empty());
    std::filesystem::copy_file(built, m_folder.Sub(name));
    Touch(m_folder.Sub(name));
  }
  static void Touch(const std::string& path) {
    std::tm local{};
    local.tm_year = 2024 - 1900, local.tm_mon = 0, local.tm_mday = 31;
    local.tm_hour = 13, local.tm_min = 5, local.tm_sec = 9, local.tm_isdst = -1;
    const utimbuf times{std::mktime(&local), std::mktime(&local)};
    ASSERT_EQ(utime(path.c_str(), &times), 0) << path;
  }
  std::string Size(const std::string& name) const {
    return std::to_string(std::filesystem::file_size(m_folder.Sub(name)));
  }
  std::string Folder() const { return WindowsFormOf(m_folder.path()); }

  std::vector<FileRow> List(const std::string& nameText = "") {
    std::vector<FileRow> rows;
    m_listing.CurrentDir = Folder();
    const int32_t count =
        ListFiles(m_listing, nameText, [&rows](FileRow row) { rows.push_back(std::move(row)); });
    EXPECT_EQ(count, static_cast<int32_t>(rows.size()));
    return rows;
  }

  test::FreshProgramState m_fresh;
  test::ScopedTestMachine m_machine;
  test::ScopedScriptedUi m_ui;
  test::ScopedEnv m_env;
  test::TempDir m_folder;
  test::TempDir m_fixtures;
  FileListing m_listing;
};

TEST_F(FileRowsTest, ListsTheInstallerFilesOfAFolderWithTheirDetails) {
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  PutFixture("basic", "a.msi");
  PutFixture("module", "b.MSM");
  PutFixture("patch", "e.msp");
  Put("setup.msix", "not listed: its extension has four letters");
  Put("c.csv", "setupcapture REPORT of 1/31/2024\r\nline 2\r\n");
  Put("c2.csv", "Scan\r\nSetupCapture report\r\n");
  // A log is listed with its own identity, or not at all when it has none.
  Put("d.log", std::string(kMarker) + kCodeLine + kPackageLine);
  Put("e.log", std::string(kMarker) + kCodeLine);
  Put("f.log", std::string(kMarker) + kPackageLine + kCodeLine);

  const std::vector<FileRow> expected = {
      {"A.Msi", "MSI", "Caf\xC3\xA9 Cr\xC3\xA8me Installer", "2.5.1", "English (United States)",
       "{6B1D1A7E-3C2B-4E7A-9E55-0C8B2F7A1D42}", kStampText, Size("a.msi")},
      {"B.Msm", "MSM", "", "", "", "", kStampText, Size("b.MSM")},
      {"C.Csv", "CSV", "", "", "", "", kStampText, Size("c.csv")},
      {"D.Log", "LOG", "app.msi", "Install", "", "{1-2-3}", kStampText, Size("d.log")},
      {"F.Log", "LOG", "app.msi", "Install", "", "", kStampText, Size("f.log")},
  };
  EXPECT_EQ(List(), expected);
  EXPECT_EQ(m_listing.FileCount, 5);
  EXPECT_TRUE(m_ui->messages.empty());
}

// A log chosen by name is listed even without an identity, and shows none of an earlier one.
TEST_F(FileRowsTest, ListsOneFileChosenByNameEvenALogWithoutIdentity) {
  Put("plain.log", "no verbose log\r\n");
  m_listing.LogPackageName = "from an earlier log";
  const FileRow plain = {"Plain.Log", "LOG", "", "", "", "", kStampText, Size("plain.log")};
  EXPECT_EQ(List(Folder() + "\\plain.log"), std::vector<FileRow>{plain});
}

TEST_F(FileRowsTest, ListsWhatCanBeReadOfDamagedFiles) {
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  PutFixture("basic", "whole.msi");
  const std::string whole = test::ReadFile(m_folder.Sub("whole.msi"));
  Put("truncated.msi", whole.substr(0, whole.size() / 3));
  ASSERT_EQ(mkdir(m_folder.Sub("x.msi").c_str(), 0700), 0);
  ASSERT_EQ(mkfifo(m_folder.Sub("pipe.msi").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(m_folder.Sub("pipe.log").c_str(), 0600), 0);
  Put("zero.log", "");
  const std::string locked = Put("locked.log", std::string(kMarker) + kPackageLine);
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);

  std::vector<std::string> names;
  for (const FileRow& row : List()) {
    names.push_back(row[0]);
    if (row[0] != "Whole.Msi" && row[0] != "Locked.Log") {
      EXPECT_EQ(row[2] + row[3] + row[4] + row[5], "") << row[0];
    }
  }
  // Without read permission the log is listed only where permissions do not apply (root).
  std::vector<std::string> expected = {"Pipe.Msi", "Truncated.Msi", "Whole.Msi"};
  if (geteuid() == 0) expected.push_back("Locked.Log");
  EXPECT_EQ(names, expected);
  // The pipe named as a log cannot be opened as a file; the message says so and is answered No.
  ASSERT_FALSE(m_ui->messages.empty());
  EXPECT_EQ(m_ui->messages[0].title, "Error when trying to OpenFile " + Folder() + "\\pipe.log");
  EXPECT_EQ(m_ui->endCount, 0);
}

}  // namespace
}  // namespace qv
