#include "platform/registry/hive.h"

#include "platform/registry/name_compare.h"

namespace qv::registry {

const Key* Hive::FindKey(const std::string& path) const {
  auto it = m_keys.find(FoldName(path));
  return it == m_keys.end() ? nullptr : &it->second;
}

Key* Hive::CreateKey(const std::string& path) {
  auto [it, inserted] = m_keys.try_emplace(FoldName(path));
  if (inserted) it->second.path = path;
  return &it->second;
}

bool Hive::KeyExists(const std::string& path) const {
  std::string folded = FoldName(path);
  if (folded.empty()) return true;  // the root is always there
  auto it = m_keys.lower_bound(folded);
  if (it == m_keys.end()) return false;
  if (it->first == folded) return true;
  return it->first.size() > folded.size() && it->first.compare(0, folded.size(), folded) == 0 &&
         it->first[folded.size()] == '\\';
}

const Value* Hive::FindValue(const std::string& path, const std::string& name) const {
  const Key* key = FindKey(path);
  if (key == nullptr) return nullptr;
  auto it = key->values.find(FoldName(name));
  return it == key->values.end() ? nullptr : &it->second.second;
}

void Hive::SetValue(const std::string& path, const std::string& name, Value value) {
  Key* key = CreateKey(path);
  auto [it, inserted] = key->values.try_emplace(FoldName(name), name, value);
  if (!inserted) it->second.second = std::move(value);
}

bool Hive::RemoveValue(const std::string& path, const std::string& name) {
  auto it = m_keys.find(FoldName(path));
  if (it == m_keys.end()) return false;
  return it->second.values.erase(FoldName(name)) > 0;
}

std::vector<std::string> Hive::SubkeyNames(const std::string& path) const {
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
    copy->values = key.values;
  }
  return out;
}

}  // namespace qv::registry
