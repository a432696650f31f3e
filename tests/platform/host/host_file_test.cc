#include "platform/host/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>

#include "platform/host/whole_file.h"
#include "support/locking_child.h"
#include "support/temp_dir.h"

namespace qv::host {
namespace {

std::string Outcome(const Status& s) {
  return s.ok() ? "ok" : s.ToString();
}

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Every reader of the platform opens its files here, so every kind of file that
// is no regular file is refused here, at once: none of them waits for a writer.
TEST(HostFileTest, ReadNamesWhatIsWrongWithoutWaitingAndOnlyAnothersWriteLockMeansInUse) {
  test::TempDir dir;
  const std::string file = dir.Write("a.msi", "0123456789");
  const std::string fifo = dir.Sub("fifo.msi");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string zero = dir.Sub("zero.msi");
  ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
  const auto refused = [](const std::string& path) {
    return "Invalid argument: " + path + ": not a regular file";
  };
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
      {fifo, 10, {}, refused(fifo), ""},
      {zero, 10, {}, refused(zero), ""},
      {dir.path(), 10, {}, refused(dir.path()), ""},
  };
  alarm(10);  // a read that waits for a writer ends this test program instead of hanging it
  for (const auto& c : cases) {
    std::string bytes = "stale";
    EXPECT_EQ(Outcome(ReadHostFile(c.path, c.maxBytes, &bytes, c.options)), c.outcome) << c.path;
    EXPECT_EQ(bytes, c.bytes) << c.path;
  }
  alarm(0);
  // System errors are worded by their case.
  const std::pair<int, const char*> errors[] = {
      {EACCES, "Permission denied: p: permission denied"},
      {ENXIO, "Invalid argument: p: not a regular file"},
      {EIO, "IO error: p: Input/output error"},
  };
  for (const auto& [err, text] : errors) EXPECT_EQ(HostError("p", err).ToString(), text) << err;
  EXPECT_EQ(SizeText(uint64_t{4} << 30) + "," + SizeText(3 << 20) + "," + SizeText(1025),
            "4 GiB,3 MiB,1025 bytes");
  // Only a write lock of another process means in use.
  const std::string path = dir.Write("setup.msi", "package bytes");
  auto read = [&](bool refuseInUse) {
    std::string bytes;
    const Status s = ReadHostFile(path, 100, &bytes, {.refuseInUse = refuseInUse});
    return s.ok() ? bytes : s.ToString();
  };
  {
    test::LockingChild child(path, F_WRLCK);
    ASSERT_TRUE(child.locked());
    EXPECT_EQ(read(true), "Busy: " + path + ": in use by another process");
    EXPECT_EQ(read(false), "package bytes");  // still readable, so it can be copied
  }
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

// A leftover under the writer's own temporary name, even a link or a FIFO, is replaced by a new
// regular file, and what the link pointed to is untouched; a rename that fails (onto a folder)
// leaves no temporary file.
TEST(HostFileTest, ReplaceLeavesTheNewFileOrTheOldOneAndNoTemporariesOfGoneWriters) {
  test::TempDir dir;
  const std::string path = dir.Write("user.reg", "old");
  const std::string temp = path + ".tmp-" + std::to_string(getpid());
  const std::string target = dir.Write("target", "must stay");
  ASSERT_EQ(symlink(target.c_str(), temp.c_str()), 0);
  ASSERT_TRUE(ReplaceHostFile(path, "new").ok());
  EXPECT_EQ(test::ReadFile(path), "new");
  ASSERT_EQ(mkfifo(temp.c_str(), 0600), 0);
  ASSERT_TRUE(ReplaceHostFile(path, "newer").ok());
  EXPECT_EQ(test::ReadFile(path), "newer");
  EXPECT_EQ(test::ReadFile(target), "must stay");
  const std::string folder = dir.Sub("folder.reg");
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  EXPECT_EQ(Outcome(ReplaceHostFile(folder, "x")),
            "Invalid argument: " + folder + ": not a regular file");
  ASSERT_EQ(rmdir(folder.c_str()), 0);
  EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"user.reg", "target"}));
  // A writer killed before its rename leaves "<path>.tmp-<pid>"; the next writer removes those
  // of processes that are gone, and nothing else.
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  int status = 0;
  ASSERT_EQ(waitpid(gone, &status, 0), gone);  // its number names no process now
  const std::string goneTemp = "user.reg.tmp-" + std::to_string(gone);
  const std::string aliveTemp = "user.reg.tmp-" + std::to_string(getppid());
  // Names that only look alike belong to other files or are no writer's.
  const std::set<std::string> others = {"system.reg.tmp-" + std::to_string(gone),
                                        "user.reg.tmp-x1"};
  for (const std::string& name : {goneTemp, aliveTemp, *others.begin(), *others.rbegin()}) {
    dir.Write(name, "left over");
  }
  ASSERT_TRUE(ReplaceHostFile(path, "newest").ok());
  std::set<std::string> expected = others;
  expected.insert({"user.reg", "target", aliveTemp});
  EXPECT_EQ(Entries(dir.path()), expected);
  EXPECT_EQ(test::ReadFile(path), "newest");
}

}  // namespace
}  // namespace qv::host
