#include "platform/msi/sql_lexer.h"

#include <cctype>

#include "platform/base/ascii_case.h"

namespace qv::msi {
namespace {

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) {
  return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

std::string Where(int line, int column) {
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
}

}  // namespace

bool IsKeyword(const SqlToken& token, std::string_view keyword) {
  return token.kind == SqlToken::Kind::kName && EqualsNoCase(token.text, keyword);
}

Status TokenizeSql(std::string_view sql, std::vector<SqlToken>* tokens, std::string* badText) {
  tokens->clear();
  tokens->reserve(sql.size() / 4 + 2);  // a token per four characters at most, as queries go
  int line = 1;
  size_t lineStart = 0;
  size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (c == '\n') {
      ++line;
      lineStart = ++i;
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    SqlToken t;
    t.line = line;
    t.column = static_cast<int>(i - lineStart) + 1;
    if (c == '`' || c == '\'') {
      const size_t close = sql.find(c, i + 1);
      if (close == std::string_view::npos ||
          sql.substr(i + 1, close - i - 1).find('\n') != std::string_view::npos) {
        *badText = std::string(1, c);
        return Status::InvalidArgument(Where(t.line, t.column) + "unterminated " +
                                       (c == '`' ? "name" : "string"));
      }
      t.kind = c == '`' ? SqlToken::Kind::kQuotedName : SqlToken::Kind::kString;
      t.text = std::string(sql.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               (c == '-' && i + 1 < sql.size() &&
                std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
      size_t end = i + 1;
      while (end < sql.size() && std::isdigit(static_cast<unsigned char>(sql[end]))) ++end;
      t.kind = SqlToken::Kind::kInteger;
      t.text = std::string(sql.substr(i, end - i));
      if (t.text.size() > 12) {
        *badText = t.text;
        return Status::InvalidArgument(Where(t.line, t.column) + "integer out of range");
      }
      t.integer = std::stoll(t.text);
      i = end;
    } else if (IsNameStart(c)) {
      size_t end = i + 1;
      while (end < sql.size() && IsNameChar(sql[end])) ++end;
      t.kind = SqlToken::Kind::kName;
      t.text = std::string(sql.substr(i, end - i));
      i = end;
    } else if (c == '?') {
      t.kind = SqlToken::Kind::kParameter;
      t.text = "?";
      ++i;
    } else if ((c == '<' || c == '>') && i + 1 < sql.size() &&
               (sql[i + 1] == '=' || (c == '<' && sql[i + 1] == '>'))) {
      t.kind = SqlToken::Kind::kSymbol;
      t.text = std::string(sql.substr(i, 2));
      i += 2;
    } else if (std::string_view("*,().=<>").find(c) != std::string_view::npos) {
      t.kind = SqlToken::Kind::kSymbol;
      t.text = std::string(1, c);
      ++i;
    } else {
      *badText = std::string(1, c);
      return Status::InvalidArgument(Where(t.line, t.column) + "unexpected character '" +
                                     std::string(1, c) + "'");
    }
    tokens->push_back(std::move(t));
  }
  SqlToken end;
  end.line = line;
  end.column = static_cast<int>(i - lineStart) + 1;
  tokens->push_back(end);
  return Status::Ok();
}

}  // namespace qv::msi
