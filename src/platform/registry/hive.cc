#include "platform/registry/hive.h"

#include "platform/registry/name_compare.h"

namespace qv::registry {
namespace {

// Keys with more values than this keep an index of their names.
constexpr std::size_t kIndexFrom = 8;

}  // namespace

std::size_t Key::IndexOf(std::string_view name) const {
  if (m_values.size() > kIndexFrom) {
    auto it = m_index.find(FoldName(name));
    return it == m_index.end() ? m_values.size() : it->second;
  }
  for (std::size_t i = 0; i < m_values.size(); ++i) {
    if (SameName(m_values[i].first, name)) return i;
  }
  return m_values.size();
}

const Value* Key::Find(std::string_view name) const {
  std::size_t i = IndexOf(name);
  return i == m_values.size() ? nullptr : &m_values[i].second;
}

void Key::Set(const std::string& name, Value value) {
  std::size_t i = IndexOf(name);
  if (i < m_values.size()) {
    if (!(m_values[i].second == value)) m_written[i].clear();
    m_values[i].second = std::move(value);
    return;
  }
  m_values.emplace_back(name, std::move(value));
  m_written.emplace_back();
  if (m_values.size() == kIndexFrom + 1) {
    for (std::size_t k = 0; k < m_values.size(); ++k) m_index[FoldName(m_values[k].first)] = k;
  } else if (m_values.size() > kIndexFrom) {
    m_index[FoldName(name)] = m_values.size() - 1;
  }
}

void Key::SetRead(const std::string& name, Value value, std::string written) {
  Set(name, std::move(value));
  m_written[IndexOf(name)] = std::move(written);
}

const std::string& Key::WrittenLine(std::size_t index) const {
  return m_written[index];
}

void Key::Keep(std::string text, bool atEnd) {
  m_kept.push_back(KeptLine{atEnd ? KeptLine::kAtEnd : m_values.size(), std::move(text)});
}

bool Key::Remove(std::string_view name) {
  std::size_t i = IndexOf(name);
  if (i == m_values.size()) return false;
  m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(i));
  m_written.erase(m_written.begin() + static_cast<std::ptrdiff_t>(i));
  // Lines kept before a later value move up with it.
  for (KeptLine& line : m_kept) {
    if (line.before != KeptLine::kAtEnd && line.before > i) --line.before;
  }
  m_index.clear();
  if (m_values.size() > kIndexFrom) {
    for (std::size_t k = 0; k < m_values.size(); ++k) m_index[FoldName(m_values[k].first)] = k;
  }
  return true;
}

const Key* Hive::FindKey(std::string_view path) const {
  auto it = m_keys.find(FoldName(path));
  return it == m_keys.end() ? nullptr : &it->second;
}

Key* Hive::CreateKey(const std::string& path) {
  auto [it, inserted] = m_keys.try_emplace(FoldName(path));
  if (inserted) it->second.path = path;
  return &it->second;
}

bool Hive::KeyExists(std::string_view path) const {
  std::string folded = FoldName(path);
  if (folded.empty()) return true;  // the root is always there
  auto it = m_keys.lower_bound(folded);
  if (it == m_keys.end()) return false;
  if (it->first == folded) return true;
  return it->first.size() > folded.size() && it->first.compare(0, folded.size(), folded) == 0 &&
         it->first[folded.size()] == '\\';
}

const Value* Hive::FindValue(std::string_view path, std::string_view name) const {
  const Key* key = FindKey(path);
  return key == nullptr ? nullptr : key->Find(name);
}

bool Hive::ReadValue(std::string_view path, std::string_view name, Value* value) const {
  const Value* found = FindValue(path, name);
  if (found == nullptr) return false;
  *value = *found;
  return true;
}

std::vector<NamedValue> Hive::Values(std::string_view path) const {
  const Key* key = FindKey(path);
  return key == nullptr ? std::vector<NamedValue>() : key->values();
}

void Hive::SetValue(const std::string& path, const std::string& name, Value value) {
  CreateKey(path)->Set(name, std::move(value));
}

bool Hive::RemoveValue(std::string_view path, std::string_view name) {
  auto it = m_keys.find(FoldName(path));
  if (it == m_keys.end()) return false;
  return it->second.Remove(name);
}

std::vector<std::string> Hive::SubkeyNames(std::string_view path) const {
  std::string folded = FoldName(path);
  std::string prefix = folded.empty() ? "" : folded + "\\";
  size_t depth = 0;
  for (char c : prefix) depth += c == '\\';
  // Folding keeps every '\\', so a written path splits like its folded form.
  std::map<std::string, std::string> children;
  for (auto it = m_keys.lower_bound(prefix); it != m_keys.end(); ++it) {
    if (it->first.compare(0, prefix.size(), prefix) != 0) break;
    if (it->first.size() == prefix.size()) continue;
    size_t end = it->first.find('\\', prefix.size());
    std::string child = it->first.substr(prefix.size(), end - prefix.size());
    if (children.count(child)) continue;
    const std::string& written = it->second.path;
    size_t start = 0;
    for (size_t d = 0; d < depth; ++d) start = written.find('\\', start) + 1;
    size_t stop = written.find('\\', start);
    children[child] = written.substr(start, stop == std::string::npos ? stop : stop - start);
  }
  std::vector<std::string> names;
  names.reserve(children.size());
  for (auto& [foldedChild, name] : children) names.push_back(std::move(name));
  return names;
}

Hive HiveBelow(const Hive& hive, const std::string& prefix) {
  Hive out;
  std::string folded = FoldName(prefix) + "\\";
  for (const auto& [foldedPath, key] : hive.keys()) {
    if (foldedPath.compare(0, folded.size(), folded) != 0) continue;
    Key* copy = out.CreateKey(key.path.substr(folded.size()));
    for (const auto& [name, value] : key.values()) copy->Set(name, value);
  }
  return out;
}

}  // namespace qv::registry
