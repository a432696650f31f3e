#pragma once
// A hive file's text indexed by key when it is loaded. Values stay in the text and are read
// when asked for, so loading is one pass over the file and costs little memory beyond it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/base/status.h"
#include "platform/registry/hive_grammar.h"
#include "platform/registry/hive_source.h"

namespace qv::registry {

/// Receives each skipped line as a Corruption status "file:line: what is wrong".
using ProblemReporter = std::function<void(const Status&)>;

/// A line of a section as TextHive::ReadSections gives it: a value line read into its name
/// and value, or a line kept as written (a comment, or one that breaks the grammar).
struct SectionLine {
  bool isValue = false;
  std::string name;
  Value value;
  /// The line as the file writes it, with its continuation lines, without the last line end.
  std::string_view text;
};

/// Receives a section's lines: path is the key's path, or null for lines that belong to no
/// key (those before the first key line, and a bad key line with the lines after it).
using SectionVisitor =
    std::function<void(const std::string* path, std::vector<SectionLine>& lines)>;

/// The keys of one hive file (Wine's format or a regedit export), read-only.
class TextHive : public HiveSource {
 public:
  /// Indexes text (a whole hive file as UTF-8, header line first), which the hive keeps.
  /// Corruption "<fileName>:1: not a registry file" when the header names no format. Bad key
  /// lines and lines outside any key are reported through report (may be empty) and skipped;
  /// a bad value line is skipped when its key is read.
  static Status Load(std::string text, const std::string& fileName, const ProblemReporter& report,
                     std::shared_ptr<const TextHive>* hive);

  /// The file's format.
  HiveFormat format() const { return m_format; }
  /// The root a Wine file's header names (";; All keys relative to \\Machine" gives
  /// "\Machine"); "" when the file has no such line.
  const std::string& relativeTo() const { return m_relativeTo; }
  /// Number of keys, written or implied, not counting the root.
  std::size_t KeyCount() const { return m_nodes.size() - 1; }

  bool KeyExists(std::string_view path) const override;
  bool ReadValue(std::string_view path, std::string_view name, Value* value) const override;
  std::vector<NamedValue> Values(std::string_view path) const override;
  std::vector<std::string> SubkeyNames(std::string_view path) const override;

  /// Every line of the file but the header and blank lines, in file order, section by
  /// section: the lines after each key line (a value name may repeat) and the lines of no key.
  /// Bad value lines go to report as well; the texts stay valid while the hive lives.
  void ReadSections(const SectionVisitor& visit, const std::string& fileName,
                    const ProblemReporter& report) const;

 private:
  static constexpr uint32_t kNone = UINT32_MAX;
  // A key: its place in the tree, its name as first written, its sections of the text.
  struct Node {
    uint32_t parent = kNone;
    uint32_t nameOffset = 0;  // in m_names
    uint32_t nameLength = 0;
    uint32_t childBegin = 0;  // its children are m_children[childBegin, childBegin + childCount)
    uint32_t childCount = 0;
    uint32_t firstChild = kNone;  // while indexing: children in the order added,
    uint32_t lastChild = kNone;   // linked through nextSibling
    uint32_t nextSibling = kNone;
    uint32_t firstSection = kNone;
    uint32_t lastSection = kNone;
  };
  // The lines after one key line, up to the next key line.
  struct Section {
    uint32_t node = kNone;
    uint32_t begin = 0;
    uint32_t end = 0;
    uint32_t line = 0;  // number of the section's first line
    uint32_t next = kNone;
  };
  class Indexer;

  TextHive() = default;
  std::string_view NameOf(uint32_t node) const;
  std::string PathOf(uint32_t node) const;
  // The child of parent named name (any case), by binary search; kNone when absent.
  uint32_t FindChild(uint32_t parent, std::string_view name) const;
  uint32_t FindNode(std::string_view path) const;
  uint32_t AddChild(uint32_t parent, std::string_view name);
  // Lays each key's children out one after another, in case-insensitive order; those of the
  // keys in unordered were added out of order and are sorted.
  void BuildChildren(const std::unordered_set<uint32_t>& unordered);
  // Calls visit(line, name, data, written) for each value line of a section; data has its
  // continuation lines joined, written is the text as the file has it. Comment lines go to
  // other(line, written, ""), lines that break the grammar to other(line, written, what).
  template <typename Visit, typename Other>
  void ScanSection(const Section& section, Visit&& visit, Other&& other) const;

  std::string m_text;
  HiveFormat m_format = HiveFormat::kWine;
  std::string m_relativeTo;
  std::vector<Node> m_nodes;  // [0] is the root
  std::vector<uint32_t> m_children;
  std::vector<Section> m_sections;
  std::string m_names;
};

}  // namespace qv::registry
