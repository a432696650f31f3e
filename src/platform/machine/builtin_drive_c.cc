#include "platform/machine/builtin_drive_c.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

namespace qv {
namespace {

// At most 50 ms of waiting for one folder.
constexpr int kMaxWaits = 100;

int64_t Nanoseconds(const statx_timestamp& t) {
  return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

int64_t CoarseNowNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The birth time the file system keeps for path; 0 when it keeps none.
int64_t BirthNs(const std::string& path) {
  struct statx sx {};
  if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME, &sx) != 0) return 0;
  return (sx.stx_mask & STATX_BTIME) ? Nanoseconds(sx.stx_btime) : 0;
}

// A name that is no valid 8.3 name gets a "~n" short name, whose n follows the birth order.
bool NeedsGeneratedShortName(const std::string& name) {
  const size_t dot = name.find('.');
  const size_t base = dot == std::string::npos ? name.size() : dot;
  if (base == 0 || base > 8) return true;
  if (dot != std::string::npos && (name.size() - dot - 1 == 0 || name.size() - dot - 1 > 3)) {
    return true;
  }
  return name.find_first_of(" +,;=[]") != std::string::npos ||
         name.find('.', base + 1) != std::string::npos;
}

}  // namespace

std::vector<std::string> BuiltinDriveCFolders(const std::string& userName) {
  const std::string user = "Users/" + userName;
  const std::string roaming = user + "/AppData/Roaming/Microsoft/Windows";
  const std::string commonMenu = "ProgramData/Microsoft/Windows/Start Menu";
  return {
      "Program Files",
      "Program Files/Common Files",
      "Program Files (x86)",
      "Program Files (x86)/Common Files",
      "ProgramData",
      "ProgramData/Microsoft",
      "ProgramData/Microsoft/Windows",
      commonMenu,
      commonMenu + "/Programs",
      commonMenu + "/Programs/Startup",
      commonMenu + "/Programs/Administrative Tools",
      "ProgramData/Microsoft/Windows/Templates",
      "Users",
      "Users/Public",
      "Users/Public/Desktop",
      "Users/Public/Documents",
      user,
      user + "/AppData",
      user + "/AppData/Local",
      user + "/AppData/Local/Temp",
      user + "/AppData/Roaming",
      user + "/AppData/Roaming/Microsoft",
      roaming,
      roaming + "/Start Menu",
      roaming + "/Start Menu/Programs",
      roaming + "/Start Menu/Programs/Startup",
      roaming + "/Start Menu/Programs/Administrative Tools",
      roaming + "/SendTo",
      roaming + "/Templates",
      user + "/Desktop",
      user + "/Documents",
      user + "/Favorites",
      user + "/Pictures",
      "Windows",
      "Windows/system32",
      "Windows/SysWOW64",
      "Windows/system",
      "Windows/Fonts",
      "Windows/Temp",
  };
}

Status CreateFoldersInOrder(const std::string& root, const std::vector<std::string>& folders) {
  std::error_code ec;
  std::filesystem::create_directories(root, ec);
  if (ec) return Status::IOError(root + ": " + ec.message());
  Status status = Status::Ok();
  // Per parent: the birth time of the last folder made in it that got a "~n" short name.
  std::map<std::string, int64_t> lastBorn;
  for (const std::string& folder : folders) {
    const std::string path = root + "/" + folder;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) continue;
    const size_t slash = folder.rfind('/');
    const std::string parent = slash == std::string::npos ? "" : folder.substr(0, slash);
    const std::string name = folder.substr(slash == std::string::npos ? 0 : slash + 1);
    const bool ordered = NeedsGeneratedShortName(name);
    if (ordered && lastBorn.count(parent)) {
      // Wait for the clock the file system stamps births with to pass the sibling's birth (a
      // tick; never long, even for a file system whose clock runs ahead).
      for (int waited = 0; CoarseNowNs() <= lastBorn[parent] && waited < kMaxWaits; ++waited) {
        usleep(500);
      }
    }
    if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) {
      if (status.ok()) status = Status::IOError(path + ": " + std::strerror(errno));
      continue;
    }
    if (ordered) lastBorn[parent] = BirthNs(path);
  }
  return status;
}

}  // namespace qv
