#include "platform/registry/text_hive.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/base/ascii_case.h"
#include "platform/registry/hive.h"
#include "platform/registry/name_compare.h"
#include "platform/registry/text_codec.h"

namespace qv::registry {
namespace {

constexpr std::string_view kRelativeToLine = ";; All keys relative to ";

bool IsAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Case-insensitive order of registry names, as SubkeyNames reports them.
bool FoldedLess(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
      char x = AsciiToUpper(a[i]), y = AsciiToUpper(b[i]);
      if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
  }
  return FoldName(a) < FoldName(b);
}

// The end of the line starting at pos, bounded by end.
std::size_t LineEnd(std::string_view text, std::size_t pos, std::size_t end) {
  const void* nl = std::memchr(text.data() + pos, '\n', end - pos);
  return nl == nullptr ? end : static_cast<std::size_t>(static_cast<const char*>(nl) - text.data());
}

// Joins the lines that continue data (hex data ending with '\'), as the reader of a value line
// does: each following line, trimmed, replaces the '\' while the joined data ends with one.
std::string JoinContinuation(std::string_view text, std::size_t* pos, std::size_t end,
                             uint32_t* line, std::string_view data) {
  std::string joined(data);
  while (!joined.empty() && joined.back() == '\\' && *pos < end) {
    joined.pop_back();
    std::size_t lineEnd = LineEnd(text, *pos, end);
    joined += TrimLine(text.substr(*pos, lineEnd - *pos));
    *pos = lineEnd + 1;
    ++*line;
  }
  return joined;
}

void Report(const ProblemReporter& report, const std::string& fileName, uint32_t line,
            const std::string& what) {
  if (report) report(Status::Corruption(fileName + ":" + std::to_string(line) + ": " + what));
}

}  // namespace

// One pass over the text: key lines become nodes and sections; value lines are only looked at
// far enough to skip their continuation lines.
class TextHive::Indexer {
 public:
  Indexer(TextHive* hive, const std::string& fileName, const ProblemReporter& report)
      : m_hive(hive), m_fileName(fileName), m_report(report) {}

  /// The keys whose children came out of order.
  const std::unordered_set<uint32_t>& unordered() const { return m_unordered; }

  void Run(std::size_t pos) {
    TextHive& h = *m_hive;
    std::string_view text = h.m_text;
    const std::size_t size = text.size();
    uint32_t line = 1;  // the header
    // The lines before the first key, and those from a bad key line to the next good one, are
    // sections of no key: only a writer that keeps every line reads them.
    uint32_t section = AddSection(kNone, pos, line + 1);
    bool inKey = false;
    while (pos < size) {
      const std::size_t lineStart = pos;
      const std::size_t lineEnd = LineEnd(text, pos, size);
      pos = lineEnd + 1;
      ++line;
      std::string_view content = TrimLine(text.substr(lineStart, lineEnd - lineStart));
      if (content.empty() || content[0] == '#') continue;
      if (content[0] == ';') {
        ReadRelativeTo(content);
        continue;
      }
      if (content[0] == '[') {
        h.m_sections[section].end = static_cast<uint32_t>(lineStart);
        inKey = SplitKeyLine(content);
        if (!inKey) {
          Report(m_report, m_fileName, line, m_error);
          section = AddSection(kNone, lineStart, line);
          continue;
        }
        section = AddSection(InsertPath(), std::min(pos, size), line + 1);
        continue;
      }
      if (!inKey || content.back() == '\\') SkipValueLine(content, &pos, &line, inKey);
    }
    h.m_sections[section].end = static_cast<uint32_t>(size);
  }

 private:
  // A value line that may go on over the next lines, or that stands outside any key.
  void SkipValueLine(std::string_view content, std::size_t* pos, uint32_t* line, bool inKey) {
    const uint32_t at = *line;
    std::string_view data;
    if (!ParseValueName(content, m_hive->m_format, &m_name, &data, &m_error)) {
      if (!inKey) Report(m_report, m_fileName, at, m_error);
      return;
    }
    if (DataContinues(data)) {
      JoinContinuation(m_hive->m_text, pos, m_hive->m_text.size(), line, data);
    }
    if (!inKey) Report(m_report, m_fileName, at, "value outside a key");
  }

  void ReadRelativeTo(std::string_view content) {
    if (m_hive->m_format != HiveFormat::kWine || !m_hive->m_relativeTo.empty()) return;
    if (content.substr(0, kRelativeToLine.size()) != kRelativeToLine) return;
    std::string rest(content.substr(kRelativeToLine.size()));
    rest += '\n';
    std::size_t at = 0;
    std::string root;
    if (ParseEscaped(rest, HiveFormat::kWine, &at, '\n', &root, &m_error)) {
      m_hive->m_relativeTo = root;
    }
  }

  // The components of a key line's path into m_components. Most Wine key lines escape
  // nothing but the separators, so their components are taken from the text as they stand;
  // other lines are parsed whole.
  bool SplitKeyLine(std::string_view content) {
    m_components.clear();
    if (m_hive->m_format == HiveFormat::kWine) {
      std::size_t start = 1;
      for (std::size_t i = 1; i < content.size(); ++i) {
        const char c = content[i];
        if (c == ']') {
          AddComponent(content.substr(start, i - start));
          return FinishComponents();
        }
        if (c != '\\') continue;
        if (i + 1 >= content.size() || content[i + 1] != '\\') break;  // another escape
        AddComponent(content.substr(start, i - start));
        start = i + 2;
        ++i;
      }
      m_components.clear();
    }
    if (!ParseKeyLine(content, m_hive->m_format, &m_path, &m_error)) return false;
    std::string_view path = m_path;
    std::size_t start = 0;
    while (start < path.size()) {
      std::size_t stop = path.find('\\', start);
      if (stop == std::string_view::npos) stop = path.size();
      AddComponent(path.substr(start, stop - start));
      start = stop + 1;
    }
    return FinishComponents();
  }

  void AddComponent(std::string_view component) {
    if (!component.empty()) m_components.push_back(component);
  }

  bool FinishComponents() {
    if (!m_components.empty()) return true;
    m_error = "empty key name";
    return false;
  }

  // The node of m_components, created with its parents; the previous key's chain of nodes is
  // reused for the components both paths share, as files list keys in tree order.
  uint32_t InsertPath() {
    TextHive& h = *m_hive;
    uint32_t parent = 0;
    std::size_t depth = 0;
    bool onChain = true;
    for (std::string_view component : m_components) {
      if (onChain && depth < m_chain.size() && Same(component, h.NameOf(m_chain[depth]))) {
        parent = m_chain[depth++];
        continue;
      }
      onChain = false;
      m_chain.resize(depth);
      const uint32_t child = ChildOf(parent, component);
      m_chain.push_back(child);
      ++depth;
      parent = child;
    }
    m_chain.resize(depth);
    return parent;
  }

  // The child of parent named component, added when new. In a file in tree order a name after
  // the last child's is new; a key whose children come out of order has them looked up in a
  // map from then on.
  uint32_t ChildOf(uint32_t parent, std::string_view component) {
    TextHive& h = *m_hive;
    const uint32_t last = h.m_nodes[parent].lastChild;
    if (last == kNone || FoldedLess(h.NameOf(last), component)) {
      if (m_unordered.empty() || m_unordered.count(parent) == 0) {
        return h.AddChild(parent, component);
      }
    } else if (m_unordered.insert(parent).second) {
      for (uint32_t c = h.m_nodes[parent].firstChild; c != kNone; c = h.m_nodes[c].nextSibling) {
        m_lookup.emplace(KeyOf(parent, h.NameOf(c)), c);
      }
    }
    auto [it, added] = m_lookup.try_emplace(KeyOf(parent, component), kNone);
    if (added) it->second = h.AddChild(parent, component);
    return it->second;
  }

  static std::string KeyOf(uint32_t parent, std::string_view name) {
    return std::to_string(parent) + "\\" + FoldName(name);
  }

  static bool Same(std::string_view a, std::string_view b) {
    if (a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0) return true;
    if (a.size() != b.size() && IsAscii(a) && IsAscii(b)) return false;
    return SameName(a, b);
  }

  uint32_t AddSection(uint32_t node, std::size_t begin, uint32_t line) {
    TextHive& h = *m_hive;
    const uint32_t id = static_cast<uint32_t>(h.m_sections.size());
    Section s;
    s.node = node;
    s.begin = static_cast<uint32_t>(begin);
    s.end = static_cast<uint32_t>(begin);
    s.line = line;
    h.m_sections.push_back(s);
    if (node == kNone) return id;
    Node& n = h.m_nodes[node];
    if (n.lastSection == kNone) {
      n.firstSection = id;
    } else {
      h.m_sections[n.lastSection].next = id;
    }
    n.lastSection = id;
    return id;
  }

  TextHive* m_hive;
  const std::string& m_fileName;
  const ProblemReporter& m_report;
  std::string m_path;
  std::vector<std::string_view> m_components;  // into the text or m_path
  std::string m_name;
  std::string m_error;
  std::vector<uint32_t> m_chain;
  std::unordered_set<uint32_t> m_unordered;            // keys with children out of order
  std::unordered_map<std::string, uint32_t> m_lookup;  // their children by parent and name
};

Status TextHive::Load(std::string bytes, const std::string& fileName, const ProblemReporter& report,
                      std::shared_ptr<const TextHive>* hive) {
  hive->reset();
  std::shared_ptr<TextHive> out(new TextHive());
  std::size_t begin = 0;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    out->m_text = Utf16LeToUtf8(std::string_view(bytes).substr(2));
    std::string().swap(bytes);
  } else if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') {
    out->m_text = Utf16LeToUtf8(bytes);  // UTF-16LE without its mark
    std::string().swap(bytes);
  } else {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) begin = 3;
    out->m_text = std::move(bytes);
  }
  const std::string_view text = out->m_text;
  if (text.size() >= kNone) return Status::Corruption(fileName + ": larger than 4 GiB");
  const std::size_t headerEnd = LineEnd(text, begin, text.size());
  if (!FormatOfHeader(text.substr(begin, headerEnd - begin), &out->m_format)) {
    return Status::Corruption(fileName + ":1: not a registry file");
  }
  out->m_nodes.emplace_back();  // the root
  // Room for the keys a file of this size may hold: untouched room costs no memory.
  out->m_nodes.reserve(text.size() / 64);
  out->m_sections.reserve(text.size() / 64);
  out->m_names.reserve(text.size() / 8);
  Indexer indexer(out.get(), fileName, report);
  indexer.Run(headerEnd + 1);
  out->BuildChildren(indexer.unordered());
  *hive = std::move(out);
  return Status::Ok();
}

std::string_view TextHive::NameOf(uint32_t node) const {
  const Node& n = m_nodes[node];
  return std::string_view(m_names).substr(n.nameOffset, n.nameLength);
}

std::string TextHive::PathOf(uint32_t node) const {
  std::vector<uint32_t> chain;
  for (uint32_t n = node; n != 0 && n != kNone; n = m_nodes[n].parent) chain.push_back(n);
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!path.empty()) path += '\\';
    path += NameOf(*it);
  }
  return path;
}

uint32_t TextHive::AddChild(uint32_t parent, std::string_view name) {
  const uint32_t id = static_cast<uint32_t>(m_nodes.size());
  Node n;
  n.parent = parent;
  n.nameOffset = static_cast<uint32_t>(m_names.size());
  n.nameLength = static_cast<uint32_t>(name.size());
  m_names.append(name);
  m_nodes.push_back(n);
  Node& p = m_nodes[parent];
  if (p.lastChild == kNone) {
    p.firstChild = id;
  } else {
    m_nodes[p.lastChild].nextSibling = id;
  }
  p.lastChild = id;
  ++p.childCount;
  return id;
}

void TextHive::BuildChildren(const std::unordered_set<uint32_t>& unordered) {
  uint32_t next = 0;
  for (Node& n : m_nodes) {
    n.childBegin = next;
    next += n.childCount;
    n.childCount = 0;
  }
  m_children.resize(next);
  for (Node& n : m_nodes) {
    for (uint32_t c = n.firstChild; c != kNone; c = m_nodes[c].nextSibling) {
      m_children[n.childBegin + n.childCount++] = c;
    }
  }
  for (uint32_t parent : unordered) {
    const Node& n = m_nodes[parent];
    auto begin = m_children.begin() + n.childBegin;
    std::stable_sort(begin, begin + n.childCount,
                     [&](uint32_t a, uint32_t b) { return FoldedLess(NameOf(a), NameOf(b)); });
  }
}

uint32_t TextHive::FindChild(uint32_t parent, std::string_view name) const {
  const Node& p = m_nodes[parent];
  auto begin = m_children.begin() + p.childBegin;
  auto end = begin + p.childCount;
  auto it = std::lower_bound(begin, end, name, [&](uint32_t child, std::string_view wanted) {
    return FoldedLess(NameOf(child), wanted);
  });
  return it != end && SameName(NameOf(*it), name) ? *it : kNone;
}

uint32_t TextHive::FindNode(std::string_view path) const {
  uint32_t node = 0;
  std::size_t start = 0;
  while (start < path.size() && node != kNone) {
    std::size_t stop = path.find('\\', start);
    if (stop == std::string_view::npos) stop = path.size();
    std::string_view component = path.substr(start, stop - start);
    start = stop + 1;
    if (!component.empty()) node = FindChild(node, component);
  }
  return node;
}

template <typename Visit, typename Other>
void TextHive::ScanSection(const Section& section, Visit&& visit, Other&& other) const {
  std::string_view text = m_text;
  std::size_t pos = section.begin;
  uint32_t line = section.line;
  std::string name;
  std::string error;
  while (pos < section.end) {
    const std::size_t lineStart = pos;
    const std::size_t lineEnd = LineEnd(text, pos, section.end);
    std::string_view content = TrimLine(text.substr(pos, lineEnd - pos));
    const uint32_t at = line;
    pos = lineEnd + 1;
    ++line;
    if (content.empty()) continue;
    // The line as written, through its continuation lines, without the last line end.
    auto written = [&] {
      const std::size_t end = section.end;
      return text.substr(lineStart, std::min(pos, end) - lineStart - (pos <= end));
    };
    if (content[0] == ';' || content[0] == '#') {
      other(at, written(), std::string());
      continue;
    }
    std::string_view data;
    if (!ParseValueName(content, m_format, &name, &data, &error)) {
      other(at, written(), error);
      continue;
    }
    if (DataContinues(data)) {
      std::string joined = JoinContinuation(text, &pos, section.end, &line, data);
      visit(at, name, std::string_view(joined), written());
    } else {
      visit(at, name, data, written());
    }
  }
}

bool TextHive::KeyExists(std::string_view path) const {
  return FindNode(path) != kNone;
}

bool TextHive::ReadValue(std::string_view path, std::string_view name, Value* value) const {
  const uint32_t node = FindNode(path);
  if (node == kNone) return false;
  bool found = false;
  std::string error;
  for (uint32_t s = m_nodes[node].firstSection; s != kNone; s = m_sections[s].next) {
    ScanSection(
        m_sections[s],
        [&](uint32_t, const std::string& lineName, std::string_view data, std::string_view) {
          if (!SameName(lineName, name)) return;
          Value v;
          if (ParseValueData(data, m_format, &v, &error)) {
            *value = std::move(v);
            found = true;
          }
        },
        [](uint32_t, std::string_view, const std::string&) {});
  }
  return found;
}

std::vector<NamedValue> TextHive::Values(std::string_view path) const {
  const uint32_t node = FindNode(path);
  if (node == kNone) return {};
  Key key;
  std::string error;
  for (uint32_t s = m_nodes[node].firstSection; s != kNone; s = m_sections[s].next) {
    ScanSection(
        m_sections[s],
        [&](uint32_t, const std::string& lineName, std::string_view data, std::string_view) {
          Value v;
          if (ParseValueData(data, m_format, &v, &error)) key.Set(lineName, std::move(v));
        },
        [](uint32_t, std::string_view, const std::string&) {});
  }
  return key.values();
}

std::vector<std::string> TextHive::SubkeyNames(std::string_view path) const {
  const uint32_t node = FindNode(path);
  std::vector<std::string> names;
  if (node == kNone) return names;
  const Node& n = m_nodes[node];
  names.reserve(n.childCount);
  for (uint32_t i = 0; i < n.childCount; ++i)
    names.emplace_back(NameOf(m_children[n.childBegin + i]));
  return names;
}

void TextHive::ReadSections(const SectionVisitor& visit, const std::string& fileName,
                            const ProblemReporter& report) const {
  std::vector<SectionLine> lines;
  std::string error;
  for (const Section& section : m_sections) {
    lines.clear();
    const bool inKey = section.node != kNone;
    auto keep = [&](std::string_view written) {
      SectionLine kept;
      kept.text = written;
      lines.push_back(std::move(kept));
    };
    ScanSection(
        section,
        [&](uint32_t line, const std::string& name, std::string_view data,
            std::string_view written) {
          SectionLine read;
          // Lines outside any key were reported when the file was indexed.
          if (inKey && ParseValueData(data, m_format, &read.value, &error)) {
            read.isValue = true;
            read.name = name;
            read.text = written;
            lines.push_back(std::move(read));
            return;
          }
          if (inKey) Report(report, fileName, line, error);
          keep(written);
        },
        [&](uint32_t line, std::string_view written, const std::string& what) {
          if (inKey && !what.empty()) Report(report, fileName, line, what);
          keep(written);
        });
    if (inKey) {
      const std::string path = PathOf(section.node);
      visit(&path, lines);
    } else if (!lines.empty()) {
      visit(nullptr, lines);
    }
  }
}

}  // namespace qv::registry
