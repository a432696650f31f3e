#pragma once
// Value lines of Wine's registry files, each with the value it holds: one line per form the
// reader takes, shared by the tests of the reader, the store and the writer.

#include <string>
#include <vector>

#include "platform/registry/value.h"

namespace qv::registry {

/// A value line of a Wine registry file, the value's name and the value the line holds.
struct ValueLine {
  std::string line;
  std::string name;
  Value value;
};

/// Every form of value line.
inline std::vector<ValueLine> ValueLines() {
  std::string longHex = "\"v\"=hex:ab";  // long data, which the writer wraps
  for (int i = 1; i < 100; ++i) longHex += ",ab";
  const std::pair<std::string, Value> lines[] = {
      {"\"v\"=\"a\\\\b \\\"q\\\" \\n\\r\\t end\"", Value::Text("a\\b \"q\" \n\r\t end")},
      {"@=\"\\x00e9t\\x00e9\"", Value::Text("\xC3\xA9t\xC3\xA9")},
      {"\"v\"=\"\\xd83d\\xde00\"", Value::Text("\xF0\x9F\x98\x80")},
      // Wine writes control characters in octal: a feature's absent mark is "\6".
      {"\"v\"=\"\\6\\0\\0\"", Value::Text("\x06")},
      {"\"v\"=\"\\101\\1012\"", Value::Text("AA2")},
      {"\"v\"=str(7):\"a\\0001\\0\"", Value::MultiText({"a", "1"})},
      {"\"v\"=str(2):\"%SystemRoot%\\\\x\"", Value::Text("%SystemRoot%\\x", kExpandText)},
      {"\"v\"=str(7):\"one\\0two\\0\"", Value::MultiText({"one", "two"})},
      {"\"v\"=str(7):\"one\\0two\"", Value::MultiText({"one", "two"})},
      {"\"v\"=str(7):\"\"", Value::MultiText({})},
      {"\"v\"=str(3):\"\"", Value::Raw(kBinary, std::string(2, '\0'))},
      {"\"v\"=hex(1):", Value::Text("")},
      {"\"v\"=dword:2A", Value::Dword(42)},
      {"  \"v\" = dword:ffffffff", Value::Dword(0xFFFFFFFF)},
      {"\"v\"=hex:", Value::Raw(kBinary, "")},
      {"\"v\"=hex:01,ab,FF", Value::Raw(kBinary, "\x01\xab\xff")},
      {longHex, Value::Raw(kBinary, std::string(100, '\xab'))},
      {"\"v\"=hex(b):08,07,06,05,04,03,02,01", Value::Qword(0x0102030405060708ULL)},
      {"\"v\"=hex(2):25,00,41,00,25,00,00,00", Value::Text("%A%", kExpandText)},
      {"\"v\"=hex(7):61,00,00,00,\\\n  62,00,00,00,00,00", Value::MultiText({"a", "b"})},
      {"\"v\"=hex(4):2a,00,00,00", Value::Dword(42)},
      {"\"v\"=hex(4):61,62,63", Value::Raw(kDword, "abc")},
      {"\"v\"=hex(0):05", Value::Raw(kNone, "\x05")},
      {"\"v\"=hex(100000):01,02", Value::Raw(0x100000, "\x01\x02")},
      {"\"v\"=-", Value::Tombstone()},
  };
  std::vector<ValueLine> out;
  for (const auto& [line, value] : lines) out.push_back({line, line[0] == '@' ? "" : "v", value});
  return out;
}

}  // namespace qv::registry
