#pragma once
// Tokens of the installer's SQL dialect.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/status.h"

namespace qv::msi {

/// One token with its 1-based line and column in the query.
struct SqlToken {
  enum class Kind { kEnd, kName, kQuotedName, kString, kInteger, kSymbol, kParameter };
  Kind kind = Kind::kEnd;
  std::string text;     ///< the name, literal content or symbol; "" at the end
  int64_t integer = 0;  ///< value of an integer literal
  int line = 1;
  int column = 1;
};

/// Splits a query into tokens ending with a kEnd token. InvalidArgument names the line and
/// column of a character that starts no token or of an unterminated quote; *badText gets that
/// character.
Status TokenizeSql(std::string_view sql, std::vector<SqlToken>* tokens, std::string* badText);

/// True when a bare name token is this keyword (compared without regard to case).
bool IsKeyword(const SqlToken& token, std::string_view keyword);

}  // namespace qv::msi
