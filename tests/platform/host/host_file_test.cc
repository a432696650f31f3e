#include "platform/host/host_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

#include "platform/host/whole_file.h"
#include "support/locking_child.h"
#include "support/temp_dir.h"

namespace qv::host {
namespace {

// The kinds of non-regular host file a user or an attacker may name in place of a package, a
// hive or a store.
enum class HostileKind { kFifo, kFolder, kSocket, kDevZero };

const char* NameOf(HostileKind kind) {
  const char* names[] = {"FIFO", "folder", "socket", "/dev/zero"};  // in the order of the kinds
  return names[static_cast<int>(kind)];
}

// Makes a file of the given kind at path: a FIFO without reader or writer, an empty folder, a
// bound UNIX socket nobody accepts on, or a symbolic link to /dev/zero.
bool MakeHostileFile(HostileKind kind, const std::string& path) {
  int result = -1;
  switch (kind) {
    case HostileKind::kFifo:
      result = mkfifo(path.c_str(), 0600);
      break;
    case HostileKind::kFolder:
      result = mkdir(path.c_str(), 0700);
      break;
    case HostileKind::kSocket: {
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      if (path.size() >= sizeof address.sun_path) {
        ADD_FAILURE() << path << ": too long for a socket";
        return false;
      }
      std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
      const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
      // The socket file stays after its descriptor is closed; nothing listens on it.
      result = fd < 0 ? -1 : bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
      if (fd >= 0) close(fd);
      break;
    }
    case HostileKind::kDevZero:
      result = symlink("/dev/zero", path.c_str());
      break;
  }
  if (result != 0)
    ADD_FAILURE() << "cannot make a " << NameOf(kind) << " at " << path << ": "
                  << std::strerror(errno);
  return result == 0;
}

// Runs call in a forked child that an alarm ends after seconds; "<hung>" when the call waited.
std::string CallBounded(const std::function<std::string()>& call, unsigned seconds = 10) {
  int channel[2];
  if (pipe(channel) != 0) return "<no pipe>";
  const pid_t pid = fork();
  if (pid < 0) {
    close(channel[0]);
    close(channel[1]);
    return "<no child>";
  }
  if (pid == 0) {
    close(channel[0]);
    signal(SIGALRM, SIG_DFL);
    alarm(seconds);
    const std::string answer = call();
    size_t done = 0;
    while (done < answer.size()) {
      const ssize_t n = write(channel[1], answer.data() + done, answer.size() - done);
      if (n <= 0) _exit(2);
      done += static_cast<size_t>(n);
    }
    _exit(0);  // no exit handlers: the parent's test state stays the parent's
  }
  close(channel[1]);
  std::string answer;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(channel[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    answer.append(buffer, static_cast<size_t>(n));
  }
  close(channel[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) {
    return WTERMSIG(status) == SIGALRM
               ? "<hung>"
               : "<ended by signal " + std::to_string(WTERMSIG(status)) + ">";
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
    return "<exited with " + std::to_string(WEXITSTATUS(status)) + ">";
  }
  return answer;
}

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
TEST(HostFileTest, ReadNamesWhatIsWrongWithoutWaiting) {
  test::TempDir dir;
  const std::string file = dir.Write("a.msi", "0123456789");
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
  };
  for (const auto& c : cases) {
    std::string bytes = "stale";
    EXPECT_EQ(Outcome(ReadHostFile(c.path, c.maxBytes, &bytes, c.options)), c.outcome) << c.path;
    EXPECT_EQ(bytes, c.bytes) << c.path;
  }
  for (HostileKind kind :
       {HostileKind::kFifo, HostileKind::kFolder, HostileKind::kSocket, HostileKind::kDevZero}) {
    const std::string path = dir.Sub("hostile-" + std::to_string(static_cast<int>(kind)));
    ASSERT_TRUE(MakeHostileFile(kind, path));
    const std::string outcome = CallBounded([&] {
      std::string bytes;
      return Outcome(ReadHostFile(path, 10, &bytes));
    });
    EXPECT_EQ(outcome, refused(path)) << NameOf(kind);
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
    EXPECT_EQ(read(false),
              "package bytes");  // still readable, so it can be copied
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

// A leftover under the writer's own temporary name, even a link or a FIFO, is replaced by a new
// regular file, and what the link pointed to is untouched; a rename that fails (onto a folder)
// leaves no temporary file.
TEST(HostFileTest, ReplaceLeavesTheNewFileOrTheOldOne) {
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
}

// A writer killed before its rename leaves "<path>.tmp-<pid>"; the next writer
// removes those of processes that are gone, and nothing else.
TEST(HostFileTest, TemporariesOfGoneWritersAreRemovedByTheNextWriter) {
  test::TempDir dir;
  const std::string path = dir.Write("user.reg", "old");
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
  ASSERT_TRUE(ReplaceHostFile(path, "new").ok());
  std::set<std::string> expected = others;
  expected.insert({"user.reg", aliveTemp});
  EXPECT_EQ(Entries(dir.path()), expected);
  EXPECT_EQ(test::ReadFile(path), "new");
}

}  // namespace
}  // namespace qv::host
