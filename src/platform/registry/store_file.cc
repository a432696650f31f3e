#include "platform/registry/store_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <thread>

#include "platform/host/host_file.h"
#include "platform/host/whole_file.h"
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

// Holds an exclusive flock on a lock file for its lifetime (closing releases it).
class FileLock {
 public:
  explicit FileLock(const std::string& path) {
    m_status = host::HostFile::Open(path, host::OpenMode::kLock, &m_file);
    if (!m_status.ok()) return;
    for (int attempt = 1;; ++attempt) {
      m_status = m_file.TryLockExclusive();
      if (m_status.code() != Status::Code::kBusy) return;
      if (attempt == kLockAttempts) {
        m_status = Status::Busy(path + ": held by another instance");
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  const Status& status() const { return m_status; }

 private:
  host::HostFile m_file;
  Status m_status;
};

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
  Status s = host::ReadHostFile(m_path, kMaxHiveBytes, &bytes);
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
  Reload(false).IgnoreError();  // an unreadable file keeps what was read before
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
      return host::HostError(m_path, errno);
    }
    s = Reload(true);
  }
  if (!s.ok()) return s;
  Hive hive = m_hive;
  change(&hive);
  std::string bytes = WriteWineHive(hive, m_relativeTo, NowNs() / 1'000'000'000);
  s = host::ReplaceHostFile(m_path, bytes, m_beforeRename);
  if (!s.ok()) return s;
  m_hive = std::move(hive);
  m_bytes = std::move(bytes);
  m_problems.clear();
  m_stamp = StatFile();
  return Status::Ok();
}

}  // namespace qv::registry
