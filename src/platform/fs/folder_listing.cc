#include "platform/fs/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <numeric>

#include "platform/fs/name_compare.h"
#include "platform/fs/short_names.h"

namespace qv::fs {
namespace {

// A folder changed twice within the file system's timestamp granularity keeps its mtime, so
// a listing is trusted only when the folder's mtime is older than the reading by this much.
constexpr int64_t kRacyWindowNs = 100'000'000;
// Beyond this many cached folders the cache starts over.
constexpr size_t kMaxCachedFolders = 512;

int64_t Nanoseconds(const timespec& t) {
  return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

struct CachedListing {
  std::shared_ptr<const FolderListing> listing;
  dev_t device = 0;
  ino_t inode = 0;
  int64_t mtimeNs = 0;
  int64_t readAtNs = 0;
};

std::mutex& CacheMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<std::string, CachedListing>& Cache() {
  static std::map<std::string, CachedListing> cache;
  return cache;
}

bool EntryIsDirectory(const std::string& folder, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
  struct stat st;
  std::string path = (folder == "/" ? "" : folder) + "/" + entry->d_name;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The short names an NTFS volume keeps for the entries, as ntfs-3g shows them in the
// "system.ntfs_dos_name" attribute, so that a Windows installation's files keep theirs; empty
// when the file system keeps none.
std::vector<std::string> RecordedShortNames(const std::string& hostFolder,
                                            const std::vector<std::string>& names) {
  std::vector<std::string> recorded;
  bool any = false;
  for (const std::string& name : names) {
    char value[16];
    const std::string path = (hostFolder == "/" ? "" : hostFolder) + "/" + name;
    const ssize_t n = lgetxattr(path.c_str(), "system.ntfs_dos_name", value, sizeof value);
    if (n < 0 && (errno == ENOTSUP || errno == EOPNOTSUPP) && recorded.empty()) return {};
    recorded.emplace_back(n > 0 && n <= 12 ? std::string(value, static_cast<size_t>(n)) : "");
    any = any || !recorded.back().empty();
  }
  if (!any) recorded.clear();
  return recorded;
}

// When an entry came into being, as far as the file system tells: its birth time where it
// keeps one (0 where it does not), then its inode number, then its name.
struct BirthKey {
  int64_t birthNs = 0;
  uint64_t inode = 0;
  std::string name;
  bool isDirectory = false;

  bool operator<(const BirthKey& other) const {
    if (birthNs != other.birthNs) return birthNs < other.birthNs;
    if (inode != other.inode) return inode < other.inode;
    return name < other.name;
  }
};

BirthKey BirthOf(int folderFd, const std::string& folder, const dirent* entry) {
  BirthKey key{0, entry->d_ino, entry->d_name, EntryIsDirectory(folder, entry)};
  struct statx sx {};
  if (statx(folderFd, entry->d_name, AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC,
            STATX_BTIME | STATX_INO, &sx) == 0) {
    if (sx.stx_mask & STATX_INO) key.inode = sx.stx_ino;
    if (sx.stx_mask & STATX_BTIME) {
      key.birthNs =
          static_cast<int64_t>(sx.stx_btime.tv_sec) * 1'000'000'000 + sx.stx_btime.tv_nsec;
    }
  }
  return key;
}

Status ReadFolder(const std::string& hostFolder, std::shared_ptr<const FolderListing>* listing) {
  DIR* dir = opendir(hostFolder.c_str());
  if (dir == nullptr) {
    return Status::NotFound(hostFolder + ": " + std::strerror(errno));
  }
  std::vector<BirthKey> born;
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    born.push_back(BirthOf(dirfd(dir), hostFolder, entry));
  }
  closedir(dir);
  // Short names are given out in the order the entries came into being, so that a new file
  // never moves the short name of an older one, as Windows never renames a short name.
  std::sort(born.begin(), born.end());
  std::vector<std::string> names;
  std::vector<bool> isDirectory;
  names.reserve(born.size());
  for (BirthKey& key : born) {
    names.push_back(std::move(key.name));
    isDirectory.push_back(key.isDirectory);
  }
  std::vector<std::string> recorded = RecordedShortNames(hostFolder, names);
  *listing = std::make_shared<FolderListing>(std::move(names), isDirectory, recorded);
  return Status::Ok();
}

}  // namespace

FolderListing::FolderListing(std::vector<std::string> names, const std::vector<bool>& isDirectory,
                             const std::vector<std::string>& recorded) {
  std::vector<std::string> shortNames = AssignShortNames(names, recorded);
  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return NameLess(names[a], names[b]); });
  m_entries.reserve(names.size());
  for (size_t i : order) {
    const size_t at = m_entries.size();
    m_entries.push_back({std::move(names[i]), std::move(shortNames[i]), isDirectory[i]});
    const FolderEntry& entry = m_entries.back();
    m_exact.emplace(entry.name, at);
    m_folded.emplace(AsciiLower(entry.name), at);  // keeps the first in sorted order
    m_short.emplace(AsciiUpper(entry.shortName), at);
  }
}

const FolderEntry* FolderListing::Find(std::string_view component) const {
  std::string key(component);
  if (auto it = m_exact.find(key); it != m_exact.end()) return &m_entries[it->second];
  if (auto it = m_folded.find(AsciiLower(key)); it != m_folded.end()) {
    return &m_entries[it->second];
  }
  if (auto it = m_short.find(AsciiUpper(key)); it != m_short.end()) return &m_entries[it->second];
  return nullptr;
}

Status ListFolder(const std::string& hostFolder, std::shared_ptr<const FolderListing>* listing) {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct stat st;
  if (stat(hostFolder.c_str(), &st) != 0) {
    return Status::NotFound(hostFolder + ": " + std::strerror(errno));
  }
  if (!S_ISDIR(st.st_mode)) return Status::NotFound(hostFolder + ": not a folder");
  int64_t mtimeNs = Nanoseconds(st.st_mtim);
  {
    std::lock_guard<std::mutex> lock(CacheMutex());
    auto it = Cache().find(hostFolder);
    if (it != Cache().end() && it->second.device == st.st_dev && it->second.inode == st.st_ino &&
        it->second.mtimeNs == mtimeNs && it->second.mtimeNs < it->second.readAtNs - kRacyWindowNs) {
      *listing = it->second.listing;
      return Status::Ok();
    }
  }
  Status status = ReadFolder(hostFolder, listing);
  if (!status.ok()) return status;
  std::lock_guard<std::mutex> lock(CacheMutex());
  if (Cache().size() >= kMaxCachedFolders) Cache().clear();
  Cache()[hostFolder] = {*listing, st.st_dev, st.st_ino, mtimeNs, Nanoseconds(now)};
  return Status::Ok();
}

}  // namespace qv::fs
