#include "platform/registry/hive_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/registry/text_codec.h"

namespace qv::registry {
namespace {

constexpr uint64_t kMaxHiveBytes = uint64_t{1} << 30;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Texts in hex data are UTF-16LE (8-bit in REGEDIT4); NULs at the end follow the value's type.
std::string TextOfHexData(const std::string& bytes, uint32_t type, HiveFormat format) {
  std::string text = format == HiveFormat::kRegedit4 ? bytes : Utf16LeToUtf8(bytes);
  if (type == kMultiText) {
    while (text.size() >= 2 && text[text.size() - 1] == '\0' && text[text.size() - 2] == '\0') {
      text.pop_back();
    }
    if (!text.empty() && text.back() != '\0') text += '\0';
  } else {
    while (!text.empty() && text.back() == '\0') text.pop_back();
  }
  return text;
}

// One parser per file; each method handles one rule of the grammar and sets m_error (with the
// rest of the line skipped) when the line breaks it.
class Parser {
 public:
  Parser(std::string_view text, const std::string& fileName, Hive* hive,
         const ProblemReporter& report)
      : m_text(text), m_fileName(fileName), m_hive(hive), m_report(report) {}

  Status Run(HiveFormat* format) {
    std::string_view header = Trim(NextLine());
    if (header == "WINE REGISTRY Version 2") {
      m_format = HiveFormat::kWine;
    } else if (header == "Windows Registry Editor Version 5.00") {
      m_format = HiveFormat::kRegedit5;
    } else if (header == "REGEDIT4") {
      m_format = HiveFormat::kRegedit4;
    } else {
      return Status::Corruption(m_fileName + ":1: not a registry file");
    }
    if (format != nullptr) *format = m_format;
    while (m_pos < m_text.size()) {
      std::string_view line = Trim(NextLine());
      if (line.empty() || line[0] == ';' || line[0] == '#') continue;
      m_error.clear();
      if (line[0] == '[') {
        ParseKeyLine(line);
      } else {
        ParseValueLine(line);
      }
      if (!m_error.empty()) {
        if (m_report) {
          m_report(
              Status::Corruption(m_fileName + ":" + std::to_string(m_errorLine) + ": " + m_error));
        }
      }
    }
    return Status::Ok();
  }

 private:
  std::string_view NextLine() {
    size_t end = m_text.find('\n', m_pos);
    if (end == std::string_view::npos) end = m_text.size();
    std::string_view line = m_text.substr(m_pos, end - m_pos);
    m_pos = end + 1;
    ++m_line;
    return line;
  }

  void Fail(const std::string& what) {
    if (m_error.empty()) m_error = what;
  }

  // [path] with Wine escapes, or a regedit path taken as written; "[-path]" deletes in regedit.
  void ParseKeyLine(std::string_view line) {
    m_inKey = false;
    m_errorLine = m_line;
    std::string path;
    if (m_format == HiveFormat::kWine) {
      size_t pos = 1;
      if (!ParseEscaped(line, &pos, ']', &path)) return;
    } else {
      size_t close = line.rfind(']');
      if (close == std::string_view::npos) return Fail("expected ']'");
      path = std::string(line.substr(1, close - 1));
      if (!path.empty() && path[0] == '-') return Fail("key deletion is not supported");
    }
    while (!path.empty() && path.back() == '\\') path.pop_back();
    size_t start = path.find_first_not_of('\\');
    path = start == std::string::npos ? "" : path.substr(start);
    if (path.empty()) return Fail("empty key name");
    m_key = m_hive->CreateKey(path)->path;
    m_inKey = true;
  }

  // "name"=data or @=data.
  void ParseValueLine(std::string_view line) {
    m_errorLine = m_line;
    std::string name;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] == '"') {
      pos = 1;
      if (!ParseEscaped(line, &pos, '"', &name)) return;
    } else {
      return Fail("expected '[', '\"' or '@'");
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size() || line[pos] != '=') return Fail("expected '='");
    ++pos;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    std::string data(line.substr(pos));
    if (!data.empty() && data.back() == '\\' && data.compare(0, 3, "hex") == 0) {
      JoinContinuations(&data);
    }
    if (!m_inKey) return Fail("value outside a key");
    Value value;
    if (!ParseData(data, &value)) return;
    m_hive->SetValue(m_key, name, std::move(value));
  }

  // Hex data may go on over lines ending with '\'.
  void JoinContinuations(std::string* data) {
    while (!data->empty() && data->back() == '\\' && m_pos < m_text.size()) {
      data->pop_back();
      *data += std::string(Trim(NextLine()));
    }
  }

  bool ParseData(const std::string& data, Value* value) {
    if (data == "-") {
      *value = Value::Tombstone();
      return true;
    }
    if (!data.empty() && data[0] == '"') return ParseStringData(data, 0, kText, value);
    if (data.compare(0, 4, "str(") == 0) {
      size_t close = data.find(')');
      uint32_t type = 0;
      if (close == std::string::npos || !ParseHexNumber(data.substr(4, close - 4), 8, &type)) {
        Fail("bad type in str(N)");
        return false;
      }
      if (close + 2 > data.size() || data[close + 1] != ':') {
        Fail("expected ':'");
        return false;
      }
      return ParseStringData(data, close + 2, type, value);
    }
    if (data.compare(0, 6, "dword:") == 0) {
      uint32_t number = 0;
      if (!ParseHexNumber(data.substr(6), 8, &number)) {
        Fail("bad dword value");
        return false;
      }
      *value = Value::Dword(number);
      return true;
    }
    if (data.compare(0, 3, "hex") == 0) return ParseHexData(data, value);
    Fail("unknown value data");
    return false;
  }

  bool ParseStringData(const std::string& data, size_t pos, uint32_t type, Value* value) {
    if (pos >= data.size() || data[pos] != '"') {
      Fail("expected '\"'");
      return false;
    }
    ++pos;
    std::string text;
    if (!ParseEscaped(data, &pos, '"', &text)) return false;
    if (!Trim(std::string_view(data).substr(pos)).empty()) {
      Fail("text after the closing '\"'");
      return false;
    }
    if (type == kMultiText) {
      if (!text.empty() && text.back() != '\0') text += '\0';
    } else if (type == kText || type == kExpandText) {
      while (!text.empty() && text.back() == '\0') text.pop_back();
    }
    *value = Value::Raw(type, std::move(text));
    return true;
  }

  // hex:..., hex(N):...: comma-separated bytes.
  bool ParseHexData(const std::string& data, Value* value) {
    uint32_t type = kBinary;
    size_t pos = 3;
    if (pos < data.size() && data[pos] == '(') {
      size_t close = data.find(')', pos);
      if (close == std::string::npos ||
          !ParseHexNumber(data.substr(pos + 1, close - pos - 1), 8, &type)) {
        Fail("bad type in hex(N)");
        return false;
      }
      pos = close + 1;
    }
    if (pos >= data.size() || data[pos] != ':') {
      Fail("expected ':'");
      return false;
    }
    ++pos;
    std::string bytes;
    std::string_view rest = Trim(std::string_view(data).substr(pos));
    size_t i = 0;
    while (i < rest.size()) {
      while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
      size_t start = i;
      while (i < rest.size() && HexDigit(rest[i]) >= 0) ++i;
      size_t digits = i - start;
      if (digits == 0 || digits > 2) {
        Fail("bad hex byte");
        return false;
      }
      int byte = HexDigit(rest[start]);
      if (digits == 2) byte = byte * 16 + HexDigit(rest[start + 1]);
      bytes += static_cast<char>(byte);
      while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
      if (i < rest.size()) {
        if (rest[i] != ',') {
          Fail("expected ','");
          return false;
        }
        ++i;
        if (i == rest.size()) {
          Fail("bad hex byte");
          return false;
        }
      }
    }
    if (type == kText || type == kExpandText || type == kMultiText) {
      *value = Value::Raw(type, TextOfHexData(bytes, type, m_format));
    } else if ((type == kDword && bytes.size() != 4) || (type == kQword && bytes.size() != 8)) {
      Fail("wrong size for its type");
      return false;
    } else {
      *value = Value::Raw(type, std::move(bytes));
    }
    return true;
  }

  bool ParseHexNumber(std::string_view digits, size_t maxDigits, uint32_t* number) {
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

  // Text up to the unescaped delimiter, *pos just past it. Wine escapes \\ \" \n \r \t \0
  // \a \b \e \f \v and \xNNNN (UTF-16 units, surrogate pairs joined); any other escaped
  // character stands for itself.
  bool ParseEscaped(std::string_view line, size_t* pos, char delimiter, std::string* out) {
    size_t i = *pos;
    char32_t pendingHigh = 0;
    auto flushHigh = [&] {
      if (pendingHigh != 0) AppendUtf8(0xFFFD, out);
      pendingHigh = 0;
    };
    while (i < line.size()) {
      char c = line[i];
      if (c == delimiter) {
        flushHigh();
        *pos = i + 1;
        return true;
      }
      if (c != '\\' || m_format == HiveFormat::kRegedit4) {
        flushHigh();
        *out += c;
        ++i;
        continue;
      }
      if (i + 1 >= line.size()) break;
      char e = line[i + 1];
      i += 2;
      if (m_format != HiveFormat::kWine) {  // regedit escapes only \\ and \"
        flushHigh();
        if (e != '\\' && e != '"') *out += '\\';
        *out += e;
        continue;
      }
      if (e == 'x') {
        size_t start = i;
        char32_t unit = 0;
        while (i < line.size() && i - start < 4 && HexDigit(line[i]) >= 0) {
          unit = unit * 16 + static_cast<char32_t>(HexDigit(line[i]));
          ++i;
        }
        if (i == start) {
          Fail("bad \\x escape");
          return false;
        }
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
      switch (e) {
        case 'n':
          *out += '\n';
          break;
        case 'r':
          *out += '\r';
          break;
        case 't':
          *out += '\t';
          break;
        case '0':
          *out += '\0';
          break;
        case 'a':
          *out += '\a';
          break;
        case 'b':
          *out += '\b';
          break;
        case 'e':
          *out += '\x1b';
          break;
        case 'f':
          *out += '\f';
          break;
        case 'v':
          *out += '\v';
          break;
        default:
          *out += e;
          break;
      }
    }
    Fail(std::string("missing closing '") + delimiter + "'");
    return false;
  }

  std::string_view m_text;
  const std::string& m_fileName;
  Hive* m_hive;
  const ProblemReporter& m_report;
  HiveFormat m_format = HiveFormat::kWine;
  size_t m_pos = 0;
  size_t m_line = 0;
  size_t m_errorLine = 0;
  std::string m_error;
  bool m_inKey = false;
  std::string m_key;
};

}  // namespace

Status ParseHive(std::string_view bytes, const std::string& fileName, Hive* hive,
                 const ProblemReporter& report, HiveFormat* format) {
  std::string converted;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    converted = Utf16LeToUtf8(bytes.substr(2));
    bytes = converted;
  } else if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') {
    converted = Utf16LeToUtf8(bytes);  // UTF-16LE without its mark
    bytes = converted;
  } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
  }
  Parser parser(bytes, fileName, hive, report);
  return parser.Run(format);
}

Status ReadHiveFile(const std::string& path, Hive* hive, const ProblemReporter& report) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::IOError(path + ": " + std::strerror(errno));
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return Status::IOError(path + ": not a regular file");
  }
  if (static_cast<uint64_t>(st.st_size) > kMaxHiveBytes) {
    close(fd);
    return Status::Corruption(path + ": larger than 1 GiB");
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int err = errno;
      close(fd);
      return Status::IOError(path + ": " + std::strerror(err));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
    if (bytes.size() > kMaxHiveBytes) {
      close(fd);
      return Status::Corruption(path + ": larger than 1 GiB");
    }
  }
  close(fd);
  return ParseHive(bytes, path, hive, report);
}

}  // namespace qv::registry
