#include "platform/registry/hive_grammar.h"

#include "platform/registry/text_codec.h"

namespace qv::registry {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Fail(std::string* error, const char* what) {
  *error = what;
  return false;
}

bool ParseHexNumber(std::string_view digits, std::size_t maxDigits, uint32_t* number) {
  if (digits.empty() || digits.size() > maxDigits) return false;
  uint32_t n = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0) return false;
    n = n * 16 + static_cast<uint32_t>(d);
  }
  *number = n;
  return true;
}

// Texts in hex data are UTF-16LE (8-bit in REGEDIT4); NULs at the end follow the value's type.
std::string TextOfHexData(const std::string& bytes, uint32_t type, HiveFormat format) {
  if (format != HiveFormat::kRegedit4) return Value::FromStoredBytes(type, bytes).data;
  return Value::FromStoredText(type, bytes).data;
}

// "text" after a str(N): or as plain string data.
bool ParseStringData(std::string_view data, std::size_t pos, uint32_t type, HiveFormat format,
                     Value* value, std::string* error) {
  if (pos >= data.size() || data[pos] != '"') return Fail(error, "expected '\"'");
  ++pos;
  std::string text;
  if (!ParseEscaped(data, format, &pos, '"', &text, error)) return false;
  if (!TrimLine(data.substr(pos)).empty()) return Fail(error, "text after the closing '\"'");
  if (type == kMultiText) {
    if (!text.empty() && text.back() != '\0') text += '\0';
  } else if (type == kText || type == kExpandText) {
    while (!text.empty() && text.back() == '\0') text.pop_back();
  } else {
    // Any other type holds the text as Windows stores a string: UTF-16LE with its NUL, as
    // Wine reads str(4):"abc" (a DWORD written as a string, which real files contain).
    text = Utf8ToUtf16Le(text) + std::string(2, '\0');
  }
  *value = Value::Raw(type, std::move(text));
  return true;
}

// hex:..., hex(N):...: comma-separated bytes.
bool ParseHexData(std::string_view data, HiveFormat format, Value* value, std::string* error) {
  uint32_t type = kBinary;
  std::size_t pos = 3;
  if (pos < data.size() && data[pos] == '(') {
    std::size_t close = data.find(')', pos);
    if (close == std::string_view::npos ||
        !ParseHexNumber(data.substr(pos + 1, close - pos - 1), 8, &type)) {
      return Fail(error, "bad type in hex(N)");
    }
    pos = close + 1;
  }
  if (pos >= data.size() || data[pos] != ':') return Fail(error, "expected ':'");
  ++pos;
  std::string bytes;
  std::string_view rest = TrimLine(data.substr(pos));
  bytes.reserve(rest.size() / 3 + 1);
  std::size_t i = 0;
  while (i < rest.size()) {
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
    std::size_t start = i;
    while (i < rest.size() && HexDigit(rest[i]) >= 0) ++i;
    std::size_t digits = i - start;
    if (digits == 0 || digits > 2) return Fail(error, "bad hex byte");
    int byte = HexDigit(rest[start]);
    if (digits == 2) byte = byte * 16 + HexDigit(rest[start + 1]);
    bytes += static_cast<char>(byte);
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
    if (i < rest.size()) {
      if (rest[i] != ',') return Fail(error, "expected ','");
      ++i;
      if (i == rest.size()) return Fail(error, "bad hex byte");
    }
  }
  if (type == kText || type == kExpandText || type == kMultiText) {
    *value = Value::Raw(type, TextOfHexData(bytes, type, format));
  } else {
    // Any number of bytes, whatever the type, as Wine and regedit keep them: a DWORD of
    // three bytes is hex(4):61,62,63 and must read again.
    *value = Value::Raw(type, std::move(bytes));
  }
  return true;
}

char EscapedControl(char e) {
  switch (e) {
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case 'a':
      return '\a';
    case 'b':
      return '\b';
    case 'e':
      return '\x1b';
    case 'f':
      return '\f';
    case 'v':
      return '\v';
    default:
      return e;  // any other escaped character stands for itself
  }
}

}  // namespace

std::string_view TrimLine(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

bool FormatOfHeader(std::string_view line, HiveFormat* format) {
  line = TrimLine(line);
  if (line == "WINE REGISTRY Version 2") {
    *format = HiveFormat::kWine;
  } else if (line == "Windows Registry Editor Version 5.00") {
    *format = HiveFormat::kRegedit5;
  } else if (line == "REGEDIT4") {
    *format = HiveFormat::kRegedit4;
  } else {
    return false;
  }
  return true;
}

bool ParseKeyLine(std::string_view line, HiveFormat format, std::string* path, std::string* error) {
  path->clear();
  if (format == HiveFormat::kWine) {
    std::size_t pos = 1;
    if (!ParseEscaped(line, format, &pos, ']', path, error)) return false;
  } else {
    std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) return Fail(error, "expected ']'");
    path->assign(line.substr(1, close - 1));
    if (!path->empty() && (*path)[0] == '-') return Fail(error, "key deletion is not supported");
  }
  while (!path->empty() && path->back() == '\\') path->pop_back();
  std::size_t start = path->find_first_not_of('\\');
  if (start == std::string::npos) return Fail(error, "empty key name");
  path->erase(0, start);
  return true;
}

bool ParseValueName(std::string_view line, HiveFormat format, std::string* name,
                    std::string_view* data, std::string* error) {
  name->clear();
  std::size_t pos = 0;
  if (!line.empty() && line[0] == '@') {
    pos = 1;
  } else if (!line.empty() && line[0] == '"') {
    pos = 1;
    if (!ParseEscaped(line, format, &pos, '"', name, error)) return false;
  } else {
    return Fail(error, "expected '[', '\"' or '@'");
  }
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  if (pos >= line.size() || line[pos] != '=') return Fail(error, "expected '='");
  ++pos;
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  *data = line.substr(pos);
  return true;
}

bool DataContinues(std::string_view data) {
  return !data.empty() && data.back() == '\\' && data.substr(0, 3) == "hex";
}

bool ParseValueData(std::string_view data, HiveFormat format, Value* value, std::string* error) {
  if (data == "-") {
    *value = Value::Tombstone();
    return true;
  }
  if (!data.empty() && data[0] == '"') return ParseStringData(data, 0, kText, format, value, error);
  if (data.substr(0, 4) == "str(") {
    std::size_t close = data.find(')');
    uint32_t type = 0;
    if (close == std::string_view::npos || !ParseHexNumber(data.substr(4, close - 4), 8, &type)) {
      return Fail(error, "bad type in str(N)");
    }
    if (close + 2 > data.size() || data[close + 1] != ':') return Fail(error, "expected ':'");
    return ParseStringData(data, close + 2, type, format, value, error);
  }
  if (data.substr(0, 6) == "dword:") {
    uint32_t number = 0;
    if (!ParseHexNumber(data.substr(6), 8, &number)) return Fail(error, "bad dword value");
    *value = Value::Dword(number);
    return true;
  }
  if (data.substr(0, 3) == "hex") return ParseHexData(data, format, value, error);
  return Fail(error, "unknown value data");
}

bool ParseEscaped(std::string_view line, HiveFormat format, std::size_t* pos, char delimiter,
                  std::string* out, std::string* error) {
  std::size_t i = *pos;
  char32_t pendingHigh = 0;
  auto flushHigh = [&] {
    if (pendingHigh != 0) AppendUtf8(0xFFFD, out);
    pendingHigh = 0;
  };
  while (i < line.size()) {
    // Copy the run of plain characters at once.
    std::size_t run = i;
    if (format == HiveFormat::kRegedit4) {
      while (run < line.size() && line[run] != delimiter) ++run;
    } else {
      while (run < line.size() && line[run] != delimiter && line[run] != '\\') ++run;
    }
    if (run > i) {
      flushHigh();
      out->append(line.data() + i, run - i);
      i = run;
      continue;
    }
    char c = line[i];
    if (c == delimiter) {
      flushHigh();
      *pos = i + 1;
      return true;
    }
    if (i + 1 >= line.size()) break;
    char e = line[i + 1];
    i += 2;
    if (format != HiveFormat::kWine) {  // exports escape only \\ and \"
      flushHigh();
      if (e != '\\' && e != '"') *out += '\\';
      *out += e;
      continue;
    }
    if (e == 'x') {
      std::size_t start = i;
      char32_t unit = 0;
      while (i < line.size() && i - start < 4 && HexDigit(line[i]) >= 0) {
        unit = unit * 16 + static_cast<char32_t>(HexDigit(line[i]));
        ++i;
      }
      if (i == start) return Fail(error, "bad \\x escape");
      if (unit >= 0xD800 && unit <= 0xDBFF) {
        flushHigh();
        pendingHigh = unit;
      } else if (unit >= 0xDC00 && unit <= 0xDFFF && pendingHigh != 0) {
        AppendUtf8(0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00), out);
        pendingHigh = 0;
      } else {
        flushHigh();
        AppendUtf8(unit, out);
      }
      continue;
    }
    flushHigh();
    if (e >= '0' && e <= '7') {  // octal, as Wine writes control characters
      char32_t unit = static_cast<char32_t>(e - '0');
      for (int digits = 1; digits < 3 && i < line.size() && line[i] >= '0' && line[i] <= '7';
           ++digits) {
        unit = unit * 8 + static_cast<char32_t>(line[i] - '0');
        ++i;
      }
      AppendUtf8(unit, out);
      continue;
    }
    *out += EscapedControl(e);
  }
  *error = std::string("missing closing '") + delimiter + "'";
  return false;
}

}  // namespace qv::registry
