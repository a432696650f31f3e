#include "platform/msi/sql_view.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/base/pending_error.h"
#include "platform/msi/error_records.h"
#include "platform/msi/package_database.h"
#include "platform/msi/sql_parser.h"
#include "platform/msi/sql_statement_cache.h"

namespace qv::msi {
namespace {

// A '?' value as bound by Execute: text and, when it reads as one, an integer.
struct BoundValue {
  bool null = true;
  bool hasInteger = false;
  int32_t integer = 0;
  std::string text;
};

int CompareValues(const CellValue& a, const CellValue& b) {
  if (a.kind != b.kind) return a.kind < b.kind ? -1 : 1;
  if (a.kind == CellValue::Kind::kInteger)
    return a.integer < b.integer ? -1 : a.integer > b.integer;
  if (a.kind == CellValue::Kind::kText) {
    const int c = a.text.compare(b.text);
    return c < 0 ? -1 : c > 0;
  }
  return 0;
}

class SqlView : public View {
 public:
  SqlView(std::shared_ptr<PackageDatabase> database, SelectStatement statement,
          std::vector<int> selected)
      : m_database(std::move(database)),
        m_statement(std::move(statement)),
        m_selected(std::move(selected)) {}

  bool Execute(const Record* params) override {
    m_rows.clear();
    m_next = 0;
    m_executed = false;
    Status s = m_database->GetTable(m_statement.table, &m_table);
    if (!s.ok()) {
      SetLastErrorRecord(MakeErrorRecord(kErrorExecute, {m_statement.table, s.message()}));
      SetMsiApiError("Execute,Params");
      return false;
    }
    m_params.assign(m_statement.parameterCount + 1, BoundValue());
    for (int i = 1; params && i <= m_statement.parameterCount; ++i) {
      BoundValue& b = m_params[i];
      b.null = params->IsNull(i);
      b.text = params->StringData(i);
      b.integer = params->IntegerData(i);
      b.hasInteger = b.integer != kNullInteger;
    }
    const std::vector<uint32_t>* candidates = IndexedCandidates();
    if (candidates) {
      for (uint32_t row : *candidates) {
        if (Matches(m_statement.where, row)) m_rows.push_back(row);
      }
    } else {
      for (uint32_t row = 0; row < m_table->RowCount(); ++row) {
        if (m_statement.where < 0 || Matches(m_statement.where, row)) m_rows.push_back(row);
      }
    }
    if (!m_statement.orderBy.empty()) {
      std::stable_sort(m_rows.begin(), m_rows.end(), [this](uint32_t a, uint32_t b) {
        for (const SqlOperand& key : m_statement.orderBy) {
          const int c =
              CompareValues(m_table->Value(a, key.columnIndex), m_table->Value(b, key.columnIndex));
          if (c != 0) return c < 0;
        }
        return false;
      });
    }
    m_executed = true;
    return true;
  }

  std::shared_ptr<Record> Fetch() override {
    if (!m_executed) {
      SetLastErrorRecord(MakeErrorRecord(kErrorFetch, {m_statement.table}));
      SetMsiApiError("Fetch");
      return nullptr;
    }
    if (m_next >= m_rows.size()) return nullptr;
    const uint32_t row = m_rows[m_next++];
    auto record = std::make_shared<Record>(static_cast<int>(m_selected.size()));
    for (size_t i = 0; i < m_selected.size(); ++i) {
      const int column = m_selected[i];
      const int field = static_cast<int>(i) + 1;
      const uint32_t raw = m_table->Raw(row, column);
      if (raw == 0) continue;
      const int type = m_table->Columns()[column].type;
      if (IsBinaryColumn(type)) {
        std::string bytes;
        if (!m_database->ReadCellStream(raw, &bytes).ok()) {
          SetLastErrorRecord(MakeErrorRecord(kErrorFetch, {m_statement.table}));
          SetMsiApiError("Fetch");
          return nullptr;
        }
        record->SetStreamData(field, std::move(bytes));
      } else if (IsStringColumn(type)) {
        record->SetStringData(field, std::string(m_table->TextOf(raw)));
      } else {
        record->SetIntegerData(field, m_table->Value(row, column).integer);
      }
    }
    return record;
  }

  void Close() override {
    m_executed = false;
    m_rows.clear();
    m_next = 0;
  }

 private:
  // The value of an operand for a row; parameters take the type of the column they meet.
  CellValue ValueOf(const SqlOperand& operand, uint32_t row, const SqlOperand& other) const {
    CellValue v;
    switch (operand.kind) {
      case SqlOperand::Kind::kColumn:
        return m_table->Value(row, operand.columnIndex);
      case SqlOperand::Kind::kString:
        v.kind = CellValue::Kind::kText;
        v.text = operand.text;
        return v;
      case SqlOperand::Kind::kInteger:
        v.kind = CellValue::Kind::kInteger;
        v.integer = operand.integer;
        return v;
      case SqlOperand::Kind::kParameter: {
        const BoundValue& b = m_params[operand.parameter];
        if (b.null) return v;
        const bool wantsText = other.kind != SqlOperand::Kind::kColumn ||
                               IsStringColumn(m_table->Columns()[other.columnIndex].type);
        if (wantsText) {
          v.kind = CellValue::Kind::kText;
          v.text = b.text;
        } else if (b.hasInteger) {
          v.kind = CellValue::Kind::kInteger;
          v.integer = b.integer;
        }
        return v;
      }
    }
    return v;
  }

  // A chain is walked in a loop, term after term; only parentheses nest calls, and the parser
  // bounds those.
  bool Matches(int node, uint32_t row) const {
    if (node < 0) return true;
    const SqlCondition& c = m_statement.nodes[node];
    switch (c.kind) {
      case SqlCondition::Kind::kAnd:
        return std::all_of(c.terms.begin(), c.terms.end(),
                           [&](int term) { return Matches(term, row); });
      case SqlCondition::Kind::kOr:
        return std::any_of(c.terms.begin(), c.terms.end(),
                           [&](int term) { return Matches(term, row); });
      case SqlCondition::Kind::kIsNull:
        return m_table->IsNull(row, c.left.columnIndex);
      case SqlCondition::Kind::kIsNotNull:
        return !m_table->IsNull(row, c.left.columnIndex);
      case SqlCondition::Kind::kCompare:
        break;
    }
    const CellValue a = ValueOf(c.left, row, c.right);
    const CellValue b = ValueOf(c.right, row, c.left);
    if (a.kind == CellValue::Kind::kNull || b.kind == CellValue::Kind::kNull || a.kind != b.kind) {
      return false;
    }
    const int r = CompareValues(a, b);
    if (c.op == "=") return r == 0;
    if (c.op == "<>") return r != 0;
    if (c.op == "<") return r < 0;
    if (c.op == ">") return r > 0;
    if (c.op == "<=") return r <= 0;
    return r >= 0;
  }

  // Rows of a "column = constant" term of the top-level AND chain, through the column's hash
  // index; null when the condition has no such term.
  const std::vector<uint32_t>* IndexedCandidates() const {
    std::vector<int> pending{m_statement.where};
    while (!pending.empty()) {
      const int node = pending.back();
      pending.pop_back();
      if (node < 0) continue;
      const SqlCondition& c = m_statement.nodes[node];
      if (c.kind == SqlCondition::Kind::kAnd) {
        pending.insert(pending.end(), c.terms.rbegin(), c.terms.rend());
        continue;
      }
      if (c.kind != SqlCondition::Kind::kCompare || c.op != "=") continue;
      const bool leftColumn = c.left.kind == SqlOperand::Kind::kColumn;
      const bool rightColumn = c.right.kind == SqlOperand::Kind::kColumn;
      if (leftColumn == rightColumn) continue;
      const SqlOperand& column = leftColumn ? c.left : c.right;
      const SqlOperand& constant = leftColumn ? c.right : c.left;
      if (IsBinaryColumn(m_table->Columns()[column.columnIndex].type)) continue;
      const CellValue value = ValueOf(constant, 0, column);
      return &m_table->RowsEqual(column.columnIndex, value);
    }
    return nullptr;
  }

  std::shared_ptr<PackageDatabase> m_database;
  SelectStatement m_statement;
  std::vector<int> m_selected;
  const Table* m_table = nullptr;
  std::vector<BoundValue> m_params;
  std::vector<uint32_t> m_rows;
  size_t m_next = 0;
  bool m_executed = false;
};

// Resolves a column operand against the table's columns; false when it is not there.
bool Resolve(SqlOperand* operand, const std::string& table, const std::vector<Column>& columns) {
  if (operand->kind != SqlOperand::Kind::kColumn) return true;
  if (!operand->qualifier.empty() && operand->qualifier != table) return false;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].name == operand->text) {
      operand->columnIndex = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

std::shared_ptr<View> Fail(int number, const std::string& arg, const std::string& sql) {
  SetLastErrorRecord(MakeErrorRecord(number, {"", arg, sql}));
  SetMsiApiError("OpenView,Sql");
  return nullptr;
}

}  // namespace

std::shared_ptr<View> OpenSqlView(std::shared_ptr<PackageDatabase> database,
                                  const std::string& sql) {
  SelectStatement statement;
  std::string badToken;
  if (!ParseSelectShared(sql, &statement, &badToken).ok()) {
    return Fail(kErrorUnexpectedToken, badToken, sql);
  }
  const std::vector<Column>* columns = database->Schema(statement.table);
  if (!columns) return Fail(kErrorUnknownTable, statement.table, sql);
  std::vector<int> selected;
  if (statement.allColumns) {
    for (size_t i = 0; i < columns->size(); ++i) selected.push_back(static_cast<int>(i));
  }
  for (SqlOperand& column : statement.columns) {
    if (!Resolve(&column, statement.table, *columns)) {
      return Fail(kErrorUnknownColumn, column.text, sql);
    }
    selected.push_back(column.columnIndex);
  }
  for (SqlCondition& node : statement.nodes) {
    if (node.kind == SqlCondition::Kind::kAnd || node.kind == SqlCondition::Kind::kOr) continue;
    for (SqlOperand* operand : {&node.left, &node.right}) {
      if (node.kind != SqlCondition::Kind::kCompare && operand == &node.right) continue;
      if (!Resolve(operand, statement.table, *columns)) {
        return Fail(kErrorUnknownColumn, operand->text, sql);
      }
    }
  }
  for (SqlOperand& key : statement.orderBy) {
    if (!Resolve(&key, statement.table, *columns)) return Fail(kErrorUnknownColumn, key.text, sql);
  }
  return std::make_shared<SqlView>(std::move(database), std::move(statement), std::move(selected));
}

}  // namespace qv::msi
