#include "platform/registry/hive_views.h"

#include <map>
#include <set>

#include "platform/registry/name_compare.h"

namespace qv::registry {
namespace {

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t stop = path.find('\\', start);
    if (stop == std::string_view::npos) stop = path.size();
    if (stop > start) parts.push_back(path.substr(start, stop - start));
    start = stop + 1;
  }
  return parts;
}

}  // namespace

StackedHive::StackedHive(std::vector<std::shared_ptr<const HiveSource>> layers)
    : m_layers(std::move(layers)) {}

bool StackedHive::KeyExists(std::string_view path) const {
  for (const auto& layer : m_layers) {
    if (layer->KeyExists(path)) return true;
  }
  return false;
}

bool StackedHive::ReadValue(std::string_view path, std::string_view name, Value* value) const {
  for (const auto& layer : m_layers) {
    if (layer->ReadValue(path, name, value)) return true;
  }
  return false;
}

std::vector<NamedValue> StackedHive::Values(std::string_view path) const {
  std::vector<NamedValue> out;
  std::set<std::string> taken;
  for (const auto& layer : m_layers) {
    for (NamedValue& v : layer->Values(path)) {
      if (taken.insert(FoldName(v.first)).second) out.push_back(std::move(v));
    }
  }
  return out;
}

std::vector<std::string> StackedHive::SubkeyNames(std::string_view path) const {
  std::vector<std::vector<std::string>> lists;
  for (const auto& layer : m_layers) {
    std::vector<std::string> names = layer->SubkeyNames(path);
    if (!names.empty()) lists.push_back(std::move(names));
  }
  if (lists.size() == 1) return std::move(lists.front());
  std::map<std::string, std::string> merged;
  for (std::vector<std::string>& list : lists) {
    for (std::string& n : list) merged.try_emplace(FoldName(n), std::move(n));
  }
  std::vector<std::string> out;
  out.reserve(merged.size());
  for (auto& [folded, name] : merged) out.push_back(std::move(name));
  return out;
}

MountedHive::MountedHive(std::shared_ptr<const HiveSource> source, std::string from, std::string at)
    : m_source(std::move(source)), m_from(std::move(from)) {
  for (std::string_view part : Components(at)) m_at.emplace_back(part);
}

MountedHive::Place MountedHive::Locate(std::string_view path, std::string* inSource) const {
  std::vector<std::string_view> parts = Components(path);
  const std::size_t shared = std::min(parts.size(), m_at.size());
  for (std::size_t i = 0; i < shared; ++i) {
    if (!SameName(parts[i], m_at[i])) return Place::kOutside;
  }
  if (parts.size() < m_at.size()) return Place::kAbove;
  *inSource = m_from;
  for (std::size_t i = m_at.size(); i < parts.size(); ++i) {
    if (!inSource->empty()) *inSource += '\\';
    inSource->append(parts[i]);
  }
  return Place::kInside;
}

bool MountedHive::KeyExists(std::string_view path) const {
  std::string inSource;
  switch (Locate(path, &inSource)) {
    case Place::kInside:
      return m_source->KeyExists(inSource);
    case Place::kAbove:
      return m_source->KeyExists(m_from);
    case Place::kOutside:
      break;
  }
  return false;
}

bool MountedHive::ReadValue(std::string_view path, std::string_view name, Value* value) const {
  std::string inSource;
  return Locate(path, &inSource) == Place::kInside && m_source->ReadValue(inSource, name, value);
}

std::vector<NamedValue> MountedHive::Values(std::string_view path) const {
  std::string inSource;
  if (Locate(path, &inSource) != Place::kInside) return {};
  return m_source->Values(inSource);
}

std::vector<std::string> MountedHive::SubkeyNames(std::string_view path) const {
  std::string inSource;
  switch (Locate(path, &inSource)) {
    case Place::kInside:
      return m_source->SubkeyNames(inSource);
    case Place::kAbove:
      if (m_source->KeyExists(m_from)) return {m_at[Components(path).size()]};
      break;
    case Place::kOutside:
      break;
  }
  return {};
}

}  // namespace qv::registry
