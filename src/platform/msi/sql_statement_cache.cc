#include "platform/msi/sql_statement_cache.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace qv::msi {
namespace {

// Beyond this many query shapes the cache starts over.
constexpr size_t kMaxShapes = 64;

// A literal's marker in the query parsed for a shape: no query text holds control characters
// around a number in a literal by chance, and the parse of the real query is compared anyway.
std::string Marker(size_t index) {
  return "\x01" + std::to_string(index) + "\x02";
}

// Where a literal of the query goes in the statement: a side of a condition node.
struct Slot {
  size_t node;
  bool right;
  size_t literal;
};

struct Shape {
  SelectStatement statement;  // with the markers in place of the literals
  std::vector<Slot> slots;
};

// Splits sql into its shape (the text with every string literal emptied) and the literals'
// contents, quoting as the tokenizer does. False for a text the tokenizer would refuse inside
// quotes (an unterminated quote, a line end in one): such a query is parsed on its own.
bool SplitLiterals(std::string_view sql, std::string* shape,
                   std::vector<std::string_view>* literals) {
  shape->clear();
  literals->clear();
  for (size_t i = 0; i < sql.size(); ++i) {
    const char c = sql[i];
    if (c != '`' && c != '\'') {
      shape->push_back(c);
      continue;
    }
    const size_t close = sql.find(c, i + 1);
    if (close == std::string_view::npos) return false;
    const std::string_view inside = sql.substr(i + 1, close - i - 1);
    if (inside.find('\n') != std::string_view::npos) return false;
    shape->push_back(c);
    if (c == '`') {
      shape->append(inside);
    } else {
      literals->push_back(inside);
    }
    shape->push_back(c);
    i = close;
  }
  return true;
}

// The shape's text with literal i written as Marker(i).
std::string MarkedText(std::string_view shape) {
  std::string out;
  size_t literal = 0;
  for (size_t i = 0; i < shape.size(); ++i) {
    const char c = shape[i];
    out.push_back(c);
    if (c == '`') {
      const size_t close = shape.find('`', i + 1);
      out.append(shape.substr(i + 1, close - i));
      i = close;
    } else if (c == '\'') {
      out += Marker(literal++) + "'";
      ++i;  // the closing quote of the emptied literal
    }
  }
  return out;
}

void FillSlots(const Shape& shape, const std::vector<std::string_view>& literals,
               SelectStatement* statement) {
  *statement = shape.statement;
  for (const Slot& slot : shape.slots) {
    SqlCondition& node = statement->nodes[slot.node];
    (slot.right ? node.right : node.left).text = std::string(literals[slot.literal]);
  }
}

bool SameOperand(const SqlOperand& a, const SqlOperand& b) {
  return a.kind == b.kind && a.text == b.text && a.qualifier == b.qualifier &&
         a.integer == b.integer && a.parameter == b.parameter;
}

bool SameOperands(const std::vector<SqlOperand>& a, const std::vector<SqlOperand>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!SameOperand(a[i], b[i])) return false;
  }
  return true;
}

// True when two parses mean the same query (where names stood aside).
bool SameStatement(const SelectStatement& a, const SelectStatement& b) {
  if (a.allColumns != b.allColumns || a.table != b.table || a.where != b.where ||
      a.parameterCount != b.parameterCount || a.nodes.size() != b.nodes.size() ||
      !SameOperands(a.columns, b.columns) || !SameOperands(a.orderBy, b.orderBy)) {
    return false;
  }
  for (size_t i = 0; i < a.nodes.size(); ++i) {
    const SqlCondition& x = a.nodes[i];
    const SqlCondition& y = b.nodes[i];
    if (x.kind != y.kind || x.op != y.op || x.terms != y.terms || !SameOperand(x.left, y.left) ||
        !SameOperand(x.right, y.right)) {
      return false;
    }
  }
  return true;
}

// The shape of a query whose real parse is parsed; false when the shape cannot stand for it.
bool LearnShape(std::string_view shapeText, const std::vector<std::string_view>& literals,
                const SelectStatement& parsed, Shape* shape) {
  std::string ignored;
  if (!ParseSelect(MarkedText(shapeText), &shape->statement, &ignored).ok()) return false;
  std::vector<int> uses(literals.size(), 0);
  for (size_t n = 0; n < shape->statement.nodes.size(); ++n) {
    for (bool right : {false, true}) {
      const SqlOperand& operand =
          right ? shape->statement.nodes[n].right : shape->statement.nodes[n].left;
      if (operand.kind != SqlOperand::Kind::kString) continue;
      for (size_t i = 0; i < literals.size(); ++i) {
        if (operand.text == Marker(i)) {
          shape->slots.push_back({n, right, i});
          ++uses[i];
        }
      }
    }
  }
  for (int count : uses) {
    if (count != 1) return false;
  }
  SelectStatement filled;
  FillSlots(*shape, literals, &filled);
  return SameStatement(filled, parsed);
}

}  // namespace

Status ParseSelectShared(std::string_view sql, SelectStatement* statement, std::string* badToken) {
  thread_local std::unordered_map<std::string, Shape> shapes;
  std::string shapeText;
  std::vector<std::string_view> literals;
  if (!SplitLiterals(sql, &shapeText, &literals)) return ParseSelect(sql, statement, badToken);
  if (auto it = shapes.find(shapeText); it != shapes.end()) {
    FillSlots(it->second, literals, statement);
    return Status::Ok();
  }
  Status s = ParseSelect(sql, statement, badToken);
  if (!s.ok()) return s;
  Shape shape;
  if (LearnShape(shapeText, literals, *statement, &shape)) {
    if (shapes.size() >= kMaxShapes) shapes.clear();
    shapes.emplace(std::move(shapeText), std::move(shape));
  }
  return s;
}

}  // namespace qv::msi
