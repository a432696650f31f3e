#include "platform/msi/sql_parser.h"

#include <utility>

namespace qv::msi {
namespace {

// A recursive-descent parser, one method per rule of the grammar.
class Parser {
 public:
  Parser(std::vector<SqlToken> tokens, SelectStatement* out, std::string* badToken)
      : m_tokens(std::move(tokens)), m_out(out), m_badToken(badToken) {}

  Status Statement() {
    if (!Keyword("SELECT")) return Unexpected();
    if (Status s = ColumnList(); !s.ok()) return s;
    if (!Keyword("FROM")) return Unexpected();
    if (Status s = Name(&m_out->table); !s.ok()) return s;
    if (Keyword("WHERE")) {
      if (Status s = Or(&m_out->where); !s.ok()) return s;
    }
    if (Keyword("ORDER")) {
      if (!Keyword("BY")) return Unexpected();
      do {
        SqlOperand column;
        if (Status s = ColumnRef(&column); !s.ok()) return s;
        m_out->orderBy.push_back(std::move(column));
      } while (Symbol(","));
    }
    if (Peek().kind != SqlToken::Kind::kEnd) return Unexpected();
    return Status::Ok();
  }

 private:
  const SqlToken& Peek() const { return m_tokens[m_pos]; }
  void Next() {
    if (m_pos + 1 < m_tokens.size()) ++m_pos;
  }
  bool Keyword(std::string_view word) {
    if (!IsKeyword(Peek(), word)) return false;
    Next();
    return true;
  }
  bool Symbol(std::string_view symbol) {
    if (Peek().kind != SqlToken::Kind::kSymbol || Peek().text != symbol) return false;
    Next();
    return true;
  }
  Status Unexpected() {
    const SqlToken& t = Peek();
    *m_badToken = t.text;
    const std::string where =
        "line " + std::to_string(t.line) + ", column " + std::to_string(t.column) + ": ";
    if (t.kind == SqlToken::Kind::kEnd) return Status::InvalidArgument(where + "unexpected end");
    return Status::InvalidArgument(where + "unexpected token '" + t.text + "'");
  }
  Status TooDeep() {
    const SqlToken& t = Peek();
    *m_badToken = t.text;
    return Status::InvalidArgument("line " + std::to_string(t.line) + ", column " +
                                   std::to_string(t.column) + ": parentheses nested deeper than " +
                                   std::to_string(kMaxSqlNesting));
  }
  static bool IsReserved(const SqlToken& t) {
    for (const char* word :
         {"SELECT", "FROM", "WHERE", "AND", "OR", "IS", "NOT", "NULL", "ORDER", "BY", "DISTINCT"}) {
      if (IsKeyword(t, word)) return true;
    }
    return false;
  }

  // name := `quoted` | bare name that is not a keyword
  Status Name(std::string* name) {
    const SqlToken& t = Peek();
    if (t.kind == SqlToken::Kind::kQuotedName ||
        (t.kind == SqlToken::Kind::kName && !IsReserved(t))) {
      *name = t.text;
      Next();
      return Status::Ok();
    }
    return Unexpected();
  }

  // column := name ['.' name]   (a table-qualified column keeps its last part)
  Status ColumnRef(SqlOperand* operand) {
    operand->kind = SqlOperand::Kind::kColumn;
    operand->line = Peek().line;
    operand->column = Peek().column;
    if (Status s = Name(&operand->text); !s.ok()) return s;
    if (Symbol(".")) {
      operand->qualifier = operand->text;
      return Name(&operand->text);
    }
    return Status::Ok();
  }

  // columns := '*' | column {',' column}
  Status ColumnList() {
    if (Symbol("*")) {
      m_out->allColumns = true;
      return Status::Ok();
    }
    do {
      SqlOperand column;
      if (Status s = ColumnRef(&column); !s.ok()) return s;
      m_out->columns.push_back(std::move(column));
    } while (Symbol(","));
    return Status::Ok();
  }

  int Add(SqlCondition node) {
    m_out->nodes.push_back(std::move(node));
    return static_cast<int>(m_out->nodes.size()) - 1;
  }

  // or := and {OR and}
  Status Or(int* node) { return Chain(SqlCondition::Kind::kOr, "OR", &Parser::And, node); }

  // and := primary {AND primary}
  Status And(int* node) { return Chain(SqlCondition::Kind::kAnd, "AND", &Parser::Primary, node); }

  // term {keyword term}, as one node when there is more than one term.
  Status Chain(SqlCondition::Kind kind, std::string_view keyword, Status (Parser::*term)(int*),
               int* node) {
    if (Status s = (this->*term)(node); !s.ok()) return s;
    if (!IsKeyword(Peek(), keyword)) return Status::Ok();
    SqlCondition c;
    c.kind = kind;
    c.terms.push_back(*node);
    while (Keyword(keyword)) {
      if (Status s = (this->*term)(node); !s.ok()) return s;
      c.terms.push_back(*node);
    }
    *node = Add(std::move(c));
    return Status::Ok();
  }

  // primary := '(' or ')' | operand IS [NOT] NULL | operand op operand
  Status Primary(int* node) {
    if (Peek().kind == SqlToken::Kind::kSymbol && Peek().text == "(") {
      if (m_depth == kMaxSqlNesting) return TooDeep();
      Next();
      ++m_depth;
      if (Status s = Or(node); !s.ok()) return s;
      if (!Symbol(")")) return Unexpected();
      --m_depth;
      return Status::Ok();
    }
    SqlCondition c;
    if (Status s = Operand(&c.left); !s.ok()) return s;
    if (Keyword("IS")) {
      c.kind = Keyword("NOT") ? SqlCondition::Kind::kIsNotNull : SqlCondition::Kind::kIsNull;
      if (!Keyword("NULL")) return Unexpected();
      if (c.left.kind != SqlOperand::Kind::kColumn) return Unexpected();
      *node = Add(std::move(c));
      return Status::Ok();
    }
    const SqlToken& op = Peek();
    if (op.kind != SqlToken::Kind::kSymbol ||
        (op.text != "=" && op.text != "<>" && op.text != "<" && op.text != ">" && op.text != "<=" &&
         op.text != ">=")) {
      return Unexpected();
    }
    c.op = op.text;
    Next();
    if (Status s = Operand(&c.right); !s.ok()) return s;
    *node = Add(std::move(c));
    return Status::Ok();
  }

  // operand := column | 'string' | integer | '?'
  Status Operand(SqlOperand* operand) {
    const SqlToken& t = Peek();
    switch (t.kind) {
      case SqlToken::Kind::kString:
        operand->kind = SqlOperand::Kind::kString;
        operand->text = t.text;
        Next();
        return Status::Ok();
      case SqlToken::Kind::kInteger:
        if (t.integer < INT32_MIN || t.integer > INT32_MAX) return Unexpected();
        operand->kind = SqlOperand::Kind::kInteger;
        operand->integer = static_cast<int32_t>(t.integer);
        Next();
        return Status::Ok();
      case SqlToken::Kind::kParameter:
        operand->kind = SqlOperand::Kind::kParameter;
        operand->parameter = ++m_out->parameterCount;
        Next();
        return Status::Ok();
      default:
        return ColumnRef(operand);
    }
  }

  std::vector<SqlToken> m_tokens;
  size_t m_pos = 0;
  int m_depth = 0;  // parentheses open around the current primary
  SelectStatement* m_out;
  std::string* m_badToken;
};

}  // namespace

Status ParseSelect(std::string_view sql, SelectStatement* statement, std::string* badToken) {
  *statement = SelectStatement();
  badToken->clear();
  std::vector<SqlToken> tokens;
  if (Status s = TokenizeSql(sql, &tokens, badToken); !s.ok()) return s;
  Parser parser(std::move(tokens), statement, badToken);
  return parser.Statement();
}

}  // namespace qv::msi
