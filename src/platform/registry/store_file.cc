#include "platform/registry/store_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <thread>

#include "platform/registry/hive_writer.h"

namespace qv::registry {
namespace {

// A file changed this recently may change again within the same timestamp tick, so its
// stamp alone does not prove it is unchanged.
constexpr int64_t kRacyNs = 2'000'000'000;
constexpr int kLockAttempts = 200;  // 10 s at 50 ms

int64_t NowNs() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

std::string ErrorText(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

// Holds an exclusive flock on a lock file for its lifetime.
class FileLock {
 public:
  explicit FileLock(const std::string& path) {
    m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
      m_status = Status::IOError(ErrorText(path));
      return;
    }
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
      if (flock(m_fd, LOCK_EX | LOCK_NB) == 0) return;
      if (errno != EWOULDBLOCK && errno != EINTR) {
        m_status = Status::IOError(ErrorText(path));
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    m_status = Status::Busy(path + ": held by another instance");
  }
  ~FileLock() {
    if (m_fd >= 0) close(m_fd);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  const Status& status() const { return m_status; }

 private:
  int m_fd = -1;
  Status m_status;
};

Status ReadWhole(const std::string& path, std::string* bytes) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::IOError(ErrorText(path));
  bytes->clear();
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      Status s = Status::IOError(ErrorText(path));
      close(fd);
      return s;
    }
    if (n == 0) break;
    bytes->append(buffer, static_cast<size_t>(n));
    if (bytes->size() > (size_t{1} << 30)) {
      close(fd);
      return Status::Corruption(path + ": larger than 1 GiB");
    }
  }
  close(fd);
  return Status::Ok();
}

Status WriteAll(int fd, const std::string& bytes, const std::string& path) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Status::IOError(ErrorText(path));
    done += static_cast<size_t>(n);
  }
  return Status::Ok();
}

}  // namespace

StoreFile::StoreFile(std::string path, std::string relativeTo)
    : m_path(std::move(path)), m_relativeTo(std::move(relativeTo)) {}

StoreFile::Stamp StoreFile::StatFile() const {
  Stamp stamp;
  struct stat st {};
  if (stat(m_path.c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.dev = st.st_dev;
  stamp.ino = st.st_ino;
  stamp.size = st.st_size;
  stamp.mtimeNs = int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
  stamp.ctimeNs = int64_t{st.st_ctim.tv_sec} * 1'000'000'000 + st.st_ctim.tv_nsec;
  return stamp;
}

Status StoreFile::Reload(bool force) {
  Stamp stamp = StatFile();
  bool racy = stamp.exists && NowNs() - stamp.mtimeNs < kRacyNs;
  if (m_loaded && !force && stamp == m_stamp && !racy) return m_readStatus;
  if (!stamp.exists) {
    m_hive = Hive();
    m_bytes.clear();
    m_problems.clear();
    m_stamp = stamp;
    m_loaded = true;
    m_readStatus = Status::Ok();
    return m_readStatus;
  }
  std::string bytes;
  Status s = ReadWhole(m_path, &bytes);
  if (!s.ok()) {
    m_readStatus = s;  // keep what was read before
    return s;
  }
  m_stamp = stamp;
  if (m_loaded && m_readStatus.ok() && bytes == m_bytes) return m_readStatus;
  Hive hive;
  std::vector<Status> problems;
  s = ParseHive(bytes, m_path, &hive, [&](const Status& p) { problems.push_back(p); });
  m_loaded = true;
  m_readStatus = s;
  if (!s.ok()) return s;
  m_hive = std::move(hive);
  m_bytes = std::move(bytes);
  m_problems = std::move(problems);
  return s;
}

const Hive& StoreFile::Current() {
  Reload(false);
  return m_hive;
}

Status StoreFile::Update(const std::function<void(Hive*)>& change) {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::path(m_path).parent_path();
  std::filesystem::create_directories(folder, ec);
  if (ec) return Status::IOError(folder.string() + ": " + ec.message());
  FileLock lock(m_path + ".lock");
  if (!lock.status().ok()) return lock.status();
  Status s = Reload(true);
  if (s.code() == Status::Code::kCorruption) {
    // Not a hive at all: keep its bytes aside rather than overwrite them.
    if (rename(m_path.c_str(), (m_path + ".corrupt").c_str()) != 0) {
      return Status::IOError(ErrorText(m_path));
    }
    s = Reload(true);
  }
  if (!s.ok()) return s;
  Hive hive = m_hive;
  change(&hive);
  std::string bytes = WriteWineHive(hive, m_relativeTo, NowNs() / 1'000'000'000);
  s = WriteAtomically(bytes);
  if (!s.ok()) return s;
  m_hive = std::move(hive);
  m_bytes = std::move(bytes);
  m_problems.clear();
  m_stamp = StatFile();
  return Status::Ok();
}

Status StoreFile::WriteAtomically(const std::string& bytes) {
  std::string temp = m_path + ".tmp-" + std::to_string(getpid());
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return Status::IOError(ErrorText(temp));
  Status s = WriteAll(fd, bytes, temp);
  if (s.ok() && fsync(fd) != 0) s = Status::IOError(ErrorText(temp));
  if (close(fd) != 0 && s.ok()) s = Status::IOError(ErrorText(temp));
  if (!s.ok()) {
    unlink(temp.c_str());
    return s;
  }
  if (m_beforeRename) m_beforeRename();
  if (rename(temp.c_str(), m_path.c_str()) != 0) {
    s = Status::IOError(ErrorText(m_path));
    unlink(temp.c_str());
    return s;
  }
  // The rename itself reaches the disk with the folder.
  std::string folder = std::filesystem::path(m_path).parent_path().string();
  int dirFd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return Status::Ok();
}

}  // namespace qv::registry
