#include "platform/registry/hive_reader.h"

#include <algorithm>
#include <vector>

#include "platform/host/whole_file.h"

namespace qv::registry {
namespace {

// The line number in a problem "fileName:line: what".
size_t LineOf(const Status& problem, const std::string& fileName) {
  size_t line = 0;
  const std::string& m = problem.message();
  for (size_t i = fileName.size() + 1; i < m.size() && m[i] >= '0' && m[i] <= '9'; ++i) {
    line = line * 10 + static_cast<size_t>(m[i] - '0');
  }
  return line;
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
  if (Status s = host::ReadHostFile(path, kMaxHiveBytes, &bytes); !s.ok()) return s;
  return ParseHive(bytes, path, hive, report);
}

Status LoadHiveFile(const std::string& path, const ProblemReporter& report,
                    std::shared_ptr<const TextHive>* hive) {
  std::string bytes;
  if (Status s = host::ReadHostFile(path, kMaxHiveBytes, &bytes); !s.ok()) return s;
  return TextHive::Load(std::move(bytes), path, report, hive);
}

}  // namespace qv::registry
