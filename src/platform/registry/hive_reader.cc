#include "platform/registry/hive_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace qv::registry {
namespace {

constexpr uint64_t kMaxHiveBytes = uint64_t{1} << 30;

// The line number in a problem "fileName:line: what".
size_t LineOf(const Status& problem, const std::string& fileName) {
  size_t line = 0;
  const std::string& m = problem.message();
  for (size_t i = fileName.size() + 1; i < m.size() && m[i] >= '0' && m[i] <= '9'; ++i) {
    line = line * 10 + static_cast<size_t>(m[i] - '0');
  }
  return line;
}

// The bytes of a hive file, refused when it is not a regular file or over the size limit.
Status ReadHiveBytes(const std::string& path, std::string* out) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::IOError(path + ": " + std::strerror(errno));
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return Status::IOError(path + ": not a regular file");
  }
  if (static_cast<uint64_t>(st.st_size) > kMaxHiveBytes) {
    close(fd);
    return Status::Corruption(path + ": larger than 1 GiB");
  }
  std::string& bytes = *out;
  bytes.clear();
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int err = errno;
      close(fd);
      return Status::IOError(path + ": " + std::strerror(err));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
    if (bytes.size() > kMaxHiveBytes) {
      close(fd);
      return Status::Corruption(path + ": larger than 1 GiB");
    }
  }
  close(fd);
  return Status::Ok();
}

}  // namespace

Status ParseHive(std::string_view bytes, const std::string& fileName, Hive* hive,
                 const ProblemReporter& report, HiveFormat* format) {
  std::vector<Status> problems;
  std::shared_ptr<const TextHive> text;
  Status s = TextHive::Load(
      std::string(bytes), fileName, [&](const Status& p) { problems.push_back(p); }, &text);
  if (!s.ok()) return s;
  if (format != nullptr) *format = text->format();
  text->ReadSections(
      [&](const std::string& path, std::vector<NamedValue>& values) {
        Key* key = hive->CreateKey(path);
        for (NamedValue& v : values) key->Set(v.first, std::move(v.second));
      },
      fileName, [&](const Status& p) { problems.push_back(p); });
  // Key lines are checked when the file is indexed, values afterwards: report in line order.
  std::stable_sort(problems.begin(), problems.end(), [&](const Status& a, const Status& b) {
    return LineOf(a, fileName) < LineOf(b, fileName);
  });
  if (report) {
    for (const Status& p : problems) report(p);
  }
  return Status::Ok();
}

Status ReadHiveFile(const std::string& path, Hive* hive, const ProblemReporter& report) {
  std::string bytes;
  if (Status s = ReadHiveBytes(path, &bytes); !s.ok()) return s;
  return ParseHive(bytes, path, hive, report);
}

Status LoadHiveFile(const std::string& path, const ProblemReporter& report,
                    std::shared_ptr<const TextHive>* hive) {
  std::string bytes;
  if (Status s = ReadHiveBytes(path, &bytes); !s.ok()) return s;
  return TextHive::Load(std::move(bytes), path, report, hive);
}

}  // namespace qv::registry
