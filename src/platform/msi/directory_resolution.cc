#include "platform/msi/directory_resolution.h"

#include <unordered_map>
#include <unordered_set>

namespace qv::msi {
namespace {

// Longer than any folder Windows can create; it bounds what a hostile table can build.
constexpr size_t kMaxResolvedPath = 4096;

// "short|long" gives both; a single name is both.
void SplitShortLong(const std::string& names, std::string* shortName, std::string* longName) {
  const size_t bar = names.find('|');
  if (bar == std::string::npos) {
    *shortName = names;
    *longName = names;
  } else {
    *shortName = names.substr(0, bar);
    *longName = names.substr(bar + 1);
  }
}

// Appends a folder name to a parent path; "." (and an empty name) means the parent itself.
std::string Append(const std::string& parent, const std::string& name) {
  if (name.empty() || name == ".") return parent;
  return parent + name + "\\";
}

class Resolver {
 public:
  Resolver(const std::vector<DirectoryRow>& rows, const PropertyReader& property,
           bool shortSourceNames)
      : m_property(property), m_shortSource(shortSourceNames) {
    for (const DirectoryRow& row : rows) m_rows.emplace(row.key, &row);
  }

  std::map<std::string, ResolvedDirectory> ResolveAll() {
    for (const auto& entry : m_rows) Resolve(entry.first);
    return std::move(m_done);
  }

 private:
  // Resolves one key after its ancestors, walking up the parent chain without recursion so
  // a deep (or hostile) table cannot exhaust the stack; false when it cannot be resolved.
  bool Resolve(const std::string& key) {
    std::vector<const DirectoryRow*> chain;
    std::unordered_set<std::string> onChain;
    std::string current = key;
    while (!m_done.count(current)) {
      if (m_failed.count(current) || onChain.count(current)) return Fail(chain);
      auto it = m_rows.find(current);
      if (it == m_rows.end()) return Fail(chain);
      const DirectoryRow& row = *it->second;
      chain.push_back(&row);
      onChain.insert(current);
      if (IsRoot(row)) break;
      current = row.parent;
    }
    for (auto row = chain.rbegin(); row != chain.rend(); ++row) ResolveRow(**row);
    return m_done.count(key) != 0;
  }

  static bool IsRoot(const DirectoryRow& row) {
    return row.parent.empty() || row.parent == row.key;
  }

  bool Fail(const std::vector<const DirectoryRow*>& chain) {
    for (const DirectoryRow* row : chain) m_failed.insert(row->key);
    return false;
  }

  // Resolves a row whose parent (if any) is resolved already; a path that grows past
  // kMaxResolvedPath (only a hostile table does that) leaves the key unresolved.
  void ResolveRow(const DirectoryRow& row) {
    if (!IsRoot(row) && !m_done.count(row.parent)) {
      m_failed.insert(row.key);
      return;
    }
    const DefaultDirNames names = SplitDefaultDir(row.defaultDir);
    const std::string own = m_property(row.key);
    ResolvedDirectory resolved;
    if (IsRoot(row)) {
      resolved.target = WithTrailingBackslash(own.empty() ? m_property("ROOTDRIVE") : own);
      resolved.source = WithTrailingBackslash(m_property("SourceDir"));
    } else {
      const ResolvedDirectory& parent = m_done.at(row.parent);
      resolved.target =
          own.empty() ? Append(parent.target, names.targetLong) : WithTrailingBackslash(own);
      resolved.source = Append(parent.source, m_shortSource ? names.sourceShort : names.sourceLong);
    }
    if (resolved.target.size() > kMaxResolvedPath || resolved.source.size() > kMaxResolvedPath) {
      m_failed.insert(row.key);
      return;
    }
    m_done.emplace(row.key, std::move(resolved));
  }

  const PropertyReader& m_property;
  bool m_shortSource;
  std::unordered_map<std::string, const DirectoryRow*> m_rows;
  std::unordered_set<std::string> m_failed;
  std::map<std::string, ResolvedDirectory> m_done;
};

}  // namespace

DefaultDirNames SplitDefaultDir(const std::string& defaultDir) {
  DefaultDirNames names;
  const size_t colon = defaultDir.find(':');
  const std::string target = defaultDir.substr(0, colon);
  SplitShortLong(target, &names.targetShort, &names.targetLong);
  if (colon == std::string::npos) {
    names.sourceShort = names.targetShort;
    names.sourceLong = names.targetLong;
  } else {
    SplitShortLong(defaultDir.substr(colon + 1), &names.sourceShort, &names.sourceLong);
  }
  return names;
}

std::map<std::string, ResolvedDirectory> ResolveDirectories(const std::vector<DirectoryRow>& rows,
                                                            const PropertyReader& property,
                                                            bool shortSourceNames) {
  return Resolver(rows, property, shortSourceNames).ResolveAll();
}

std::string WithTrailingBackslash(const std::string& path) {
  if (path.empty() || path.back() == '\\') return path;
  return path + "\\";
}

}  // namespace qv::msi
