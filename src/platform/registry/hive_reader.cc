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

// A line as written, without the carriage returns that end its lines (the reader trims them
// all), so that a line written back reads and writes as it did.
std::string WrittenText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      std::size_t run = i;
      while (run < text.size() && text[run] == '\r') ++run;
      if (run == text.size() || text[run] == '\n') {
        i = run - 1;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// The lines before the first key that the writer writes itself.
bool WrittenByTheWriter(std::string_view line) {
  line = TrimLine(line);
  return line.starts_with(";; All keys relative to ") || line.starts_with("#arch=");
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
  // Values keep the lines they were read from, and every other line is kept at its place, so
  // that a hive written back holds what it was read from. Only Wine's own lines are kept:
  // other formats are read, not written.
  const bool keepLines = text->format() == HiveFormat::kWine;
  Key* last = nullptr;  // the key of the section before
  text->ReadSections(
      [&](const std::string* path, std::vector<SectionLine>& lines) {
        if (path == nullptr) {
          for (const SectionLine& line : lines) {
            if (!keepLines) break;
            if (last != nullptr) {
              last->Keep(WrittenText(line.text), true);
            } else if (!WrittenByTheWriter(line.text)) {
              hive->KeepPreamble(WrittenText(line.text));
            }
          }
          return;
        }
        Key* key = last = hive->CreateKey(*path);
        std::vector<std::string_view> pending;  // kept lines before the next value
        for (SectionLine& line : lines) {
          if (!line.isValue) {
            if (keepLines) pending.push_back(line.text);
            continue;
          }
          for (std::string_view kept : pending) key->Keep(WrittenText(kept), false);
          pending.clear();
          if (keepLines) {
            key->SetRead(line.name, std::move(line.value), WrittenText(line.text));
          } else {
            key->Set(line.name, std::move(line.value));
          }
        }
        for (std::string_view kept : pending) key->Keep(WrittenText(kept), true);
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
