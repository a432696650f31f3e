#include "platform/host/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/host/whole_file.h"
#include "support/locking_child.h"
#include "support/temp_dir.h"

namespace qv::host {
namespace {

std::string Outcome(const Status& s) {
  return s.ok() ? "ok" : s.ToString();
}

TEST(HostFileTest, ReadNamesWhatIsWrongWithoutWaitingOnAFifo) {
  test::TempDir dir;
  const std::string file = dir.Write("a.msi", "0123456789");
  const std::string fifo = dir.Sub("fifo.msi");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    uint64_t maxBytes;
    ReadOptions options;
    std::string outcome, bytes;
  } cases[] = {
      {file, 10, {}, "ok", "0123456789"},
      {file, 9, {}, "Corruption: " + file + ": larger than 9 bytes", ""},
      {file, 4, {.headOnly = true}, "ok", "0123"},
      {dir.Sub("none.msi"), 10, {}, "Not found: " + dir.Sub("none.msi") + ": no such file", ""},
      {file + "/x", 10, {}, "Not found: " + file + "/x: no such file", ""},
      {dir.path(), 10, {}, "Invalid argument: " + dir.path() + ": not a regular file", ""},
      {fifo, 10, {}, "Invalid argument: " + fifo + ": not a regular file", ""},
      {"/dev/zero", 10, {}, "Invalid argument: /dev/zero: not a regular file", ""},
  };
  for (const auto& c : cases) {
    std::string bytes = "stale";
    EXPECT_EQ(Outcome(ReadHostFile(c.path, c.maxBytes, &bytes, c.options)), c.outcome) << c.path;
    EXPECT_EQ(bytes, c.bytes) << c.path;
  }
}

TEST(HostFileTest, SystemErrorsAreWordedByTheirCase) {
  const std::pair<int, const char*> cases[] = {
      {ENOENT, "Not found: p: no such file"},
      {EACCES, "Permission denied: p: permission denied"},
      {EPERM, "Permission denied: p: permission denied"},
      {ENXIO, "Invalid argument: p: not a regular file"},
      {EIO, "IO error: p: Input/output error"},
  };
  for (const auto& [err, text] : cases) EXPECT_EQ(HostError("p", err).ToString(), text) << err;
  EXPECT_EQ(SizeText(uint64_t{4} << 30) + "," + SizeText(3 << 20) + "," + SizeText(1025),
            "4 GiB,3 MiB,1025 bytes");
}

TEST(HostFileTest, OnlyAWriteLockOfAnotherProcessMeansInUse) {
  test::TempDir dir;
  const std::string path = dir.Write("setup.msi", "package bytes");
  auto read = [&](bool refuseInUse) {
    std::string bytes;
    const Status s = ReadHostFile(path, 100, &bytes, {.refuseInUse = refuseInUse});
    return s.ok() ? bytes : s.ToString();
  };
  EXPECT_EQ(read(true), "package bytes");
  {
    test::LockingChild child(path, F_WRLCK);
    ASSERT_TRUE(child.locked());
    EXPECT_EQ(read(true), "Busy: " + path + ": in use by another process");
    EXPECT_EQ(read(false), "package bytes");  // still readable, so it can be copied
  }
  EXPECT_EQ(read(true), "package bytes");
  {
    test::LockingChild child(path, F_RDLCK);
    ASSERT_TRUE(child.locked());
    EXPECT_EQ(read(true), "package bytes");
  }
  // A lock of this very process is no other application's.
  HostFile own;
  ASSERT_TRUE(HostFile::Open(path, OpenMode::kLock, &own).ok());
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ASSERT_EQ(fcntl(own.fd(), F_SETLK, &lock), 0);
  EXPECT_EQ(read(true), "package bytes");
}

TEST(HostFileTest, ReplaceLeavesTheNewFileOrTheOldOne) {
  test::TempDir dir;
  const std::string path = dir.Write("user.reg", "old");
  ASSERT_TRUE(ReplaceHostFile(path, "new").ok());
  std::string bytes;
  ASSERT_TRUE(ReadHostFile(path, 10, &bytes).ok());
  EXPECT_EQ(bytes, "new");
  // A rename that fails (onto a folder) leaves no temporary file.
  const std::string folder = dir.Sub("folder.reg");
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  EXPECT_EQ(Outcome(ReplaceHostFile(folder, "x")),
            "Invalid argument: " + folder + ": not a regular file");
  ASSERT_EQ(rmdir(folder.c_str()), 0);
  // Nothing but the file itself is left in the folder.
  const std::filesystem::directory_iterator entries(dir.path());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
}

}  // namespace
}  // namespace qv::host
