#include "platform/registry/hive_writer.h"

#include <cstdio>

#include "platform/registry/hive_grammar.h"
#include "platform/registry/text_codec.h"

namespace qv::registry {
namespace {

constexpr size_t kHexLineWidth = 76;

void AppendHexUnit(char32_t unit, std::string* out) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "\\x%04x", static_cast<unsigned>(unit));
  *out += buffer;
}

// hex or hex(N) data, wrapped over lines ending with '\' as Wine writes long values.
std::string HexData(uint32_t type, const std::string& bytes, size_t prefixWidth) {
  char head[32];
  if (type == kBinary) {
    std::snprintf(head, sizeof head, "hex:");
  } else {
    std::snprintf(head, sizeof head, "hex(%x):", static_cast<unsigned>(type));
  }
  std::string out = head;
  size_t column = prefixWidth + out.size();
  for (size_t i = 0; i < bytes.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(bytes[i]));
    out += byte;
    column += 2;
    if (i + 1 < bytes.size()) {
      out += ',';
      ++column;
      if (column > kHexLineWidth) {
        out += "\\\n  ";
        column = 2;
      }
    }
  }
  return out;
}

std::string ValueData(const Value& value, size_t prefixWidth) {
  if (value.tombstone) return "-";
  switch (value.type) {
    case kText:
      return "\"" + EscapeWineText(value.data, '"') + "\"";
    case kExpandText:
      return "str(2):\"" + EscapeWineText(value.data, '"') + "\"";
    case kMultiText:
      return "str(7):\"" + EscapeWineText(value.data, '"') + "\"";
    case kDword:
      if (value.data.size() == 4) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<unsigned>(value.Number()));
        return buffer;
      }
      break;
    default:
      break;
  }
  return HexData(value.type, value.data, prefixWidth);
}

// Appends a line as a file wrote it. A kept value line whose hex data ends with '\' went on
// over nothing where it was read (it ended the file), so it could not be read; here it would
// take in the line after it. A ';' line after it keeps it unreadable and that line apart.
void AppendWritten(const std::string& text, std::string* out) {
  *out += text;
  *out += '\n';
  const std::size_t last = text.rfind('\n');
  const std::string_view line =
      TrimLine(std::string_view(text).substr(last == std::string::npos ? 0 : last + 1));
  if (line.empty() || line.back() != '\\') return;
  // Only a value line with hex data goes on over the next line.
  std::string name, error;
  std::string_view data;
  if (ParseValueName(TrimLine(std::string_view(text).substr(0, text.find('\n'))), HiveFormat::kWine,
                     &name, &data, &error) &&
      data.substr(0, 3) == "hex") {
    *out += ";\n";
  }
}

}  // namespace

std::string EscapeWineText(const std::string& text, char delimiter) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[pos]);
    if (b >= 0x80) {
      char32_t c = 0;
      size_t start = pos;
      if (!DecodeUtf8(text, &pos, &c)) {
        // A byte that is no UTF-8 (a name read from a file that holds one) stays that byte,
        // which reads back as it was; an escape would read back as another character.
        out += text[start];
        continue;
      }
      if (c >= 0x10000) {
        AppendHexUnit(0xD800 + ((c - 0x10000) >> 10), &out);
        AppendHexUnit(0xDC00 + ((c - 0x10000) & 0x3FF), &out);
      } else {
        AppendHexUnit(c, &out);
      }
      continue;
    }
    ++pos;
    char c = static_cast<char>(b);
    switch (c) {
      case '\\':
        out += "\\\\";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\t':
        out += "\\t";
        continue;
      case '\0':
        // An octal digit after it would extend the escape, as Wine reads it.
        out += pos < text.size() && text[pos] >= '0' && text[pos] <= '7' ? "\\000" : "\\0";
        continue;
      default:
        break;
    }
    if (c == delimiter || c == '"') {
      out += '\\';
      out += c;
    } else if (b < 0x20 || b == 0x7F) {
      AppendHexUnit(b, &out);
    } else {
      out += c;
    }
  }
  return out;
}

std::string WriteWineHive(const Hive& hive, const std::string& relativeTo, int64_t unixTime) {
  std::string out = "WINE REGISTRY Version 2\n;; All keys relative to " +
                    EscapeWineText(relativeTo, '\0') + "\n\n#arch=win64\n";
  for (const std::string& line : hive.preamble()) AppendWritten(line, &out);
  std::string stamp = " " + std::to_string(unixTime) + "\n";
  for (const auto& [folded, key] : hive.keys()) {
    out += "\n[" + EscapeWineText(key.path, ']') + "]" + stamp;
    const std::vector<KeptLine>& kept = key.kept();
    std::size_t nextKept = 0;
    // Kept lines are in file order; those before a value come before the value's line.
    auto keptUpTo = [&](std::size_t index) {
      while (nextKept < kept.size() && kept[nextKept].before <= index) {
        AppendWritten(kept[nextKept++].text, &out);
      }
    };
    const std::vector<NamedValue>& values = key.values();
    for (std::size_t i = 0; i < values.size(); ++i) {
      keptUpTo(i);
      // A value read from a line and not changed since is written as that line.
      const std::string& written = key.WrittenLine(i);
      if (!written.empty()) {
        AppendWritten(written, &out);
        continue;
      }
      const auto& [name, value] = values[i];
      std::string prefix = name.empty() ? "@=" : "\"" + EscapeWineText(name, '"') + "\"=";
      out += prefix + ValueData(value, prefix.size()) + "\n";
    }
    keptUpTo(KeptLine::kAtEnd);
  }
  return out;
}

}  // namespace qv::registry
