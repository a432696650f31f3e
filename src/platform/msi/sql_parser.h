#pragma once
// The SELECT statements the engine answers, parsed into a small tree.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/status.h"
#include "platform/msi/sql_lexer.h"

namespace qv::msi {

/// A side of a comparison: a column, a literal or a '?' parameter.
struct SqlOperand {
  enum class Kind { kColumn, kString, kInteger, kParameter };
  Kind kind = Kind::kColumn;
  std::string text;       ///< column name or string literal
  std::string qualifier;  ///< table name written before a column ("" when none)
  int32_t integer = 0;    ///< integer literal
  int parameter = 0;      ///< 1-based number of a '?'
  int columnIndex = -1;   ///< a column's index in the table, set when the view resolves it
  int line = 1;           ///< where a column name stood, for error messages
  int column = 1;
};

/// The deepest nesting of parentheses a WHERE condition may have; a query nested deeper is
/// refused at the '(' that goes past it, so that no query can exhaust the stack.
inline constexpr int kMaxSqlNesting = 100;

/// A node of a WHERE condition. AND and OR hold every term of their chain at once
/// ("a OR b OR c" is one node of three terms), so the tree is no deeper than the nesting of
/// parentheses however long the chain.
struct SqlCondition {
  enum class Kind { kAnd, kOr, kCompare, kIsNull, kIsNotNull };
  Kind kind = Kind::kCompare;
  std::string op;  ///< "=", "<>", "<", ">", "<=", ">=" for comparisons
  SqlOperand left;
  SqlOperand right;
  std::vector<int> terms;  ///< kAnd, kOr: indexes into SelectStatement::nodes, in order
};

/// SELECT [* | columns] FROM table [WHERE condition] [ORDER BY columns].
struct SelectStatement {
  bool allColumns = false;
  std::vector<SqlOperand> columns;  ///< kColumn operands, in order
  std::string table;
  std::vector<SqlCondition> nodes;
  int where = -1;  ///< root node, -1 without WHERE
  std::vector<SqlOperand> orderBy;
  int parameterCount = 0;
};

/// Parses one SELECT statement. InvalidArgument names line and column; *badToken gets the
/// text of the token that was not expected ("" at the end of the query, "(" past
/// kMaxSqlNesting).
Status ParseSelect(std::string_view sql, SelectStatement* statement, std::string* badToken);

}  // namespace qv::msi
