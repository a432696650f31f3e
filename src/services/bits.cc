#include "services/bits.h"

#include <charconv>

namespace qv {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int32_t HexToValue(std::string_view digits, Status* status) {
  std::string_view text = TrimBlanks(digits);
  auto fail = [&](const char* why) {
    if (status) {
      *status = Status::InvalidArgument("\"" + std::string(digits) + "\" " + why);
    }
    return 0;
  };
  if (text.empty()) return fail("is not a hexadecimal number");
  uint32_t value = 0;
  int significant = 0;
  for (char c : text) {
    int d = HexDigitValue(c);
    if (d < 0) return fail("is not a hexadecimal number");
    if (significant > 0 || d != 0) ++significant;
    if (significant > 8) return fail("has more than 8 hexadecimal digits");
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  if (status) *status = Status::Ok();
  return static_cast<int32_t>(value);
}

int32_t BitsSet(std::string* buffer, int32_t value) {
  buffer->clear();
  uint32_t bits = static_cast<uint32_t>(value);
  for (int n = 1; n <= 32; ++n) {
    if ((bits & (1u << (n - 1))) == 0) continue;
    if (!buffer->empty()) buffer->push_back(',');
    buffer->append(std::to_string(n));
  }
  return static_cast<int32_t>(buffer->size());
}

Status SetBits(int32_t* value, std::string_view list) {
  *value = 0;
  uint32_t bits = 0;
  std::string_view rest = list;
  while (true) {
    size_t comma = rest.find(',');
    std::string_view field = TrimBlanks(rest.substr(0, comma));
    if (!field.empty()) {
      int n = 0;
      auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), n);
      if (ec == std::errc::result_out_of_range) n = 0;
      if ((ec != std::errc() && ec != std::errc::result_out_of_range) ||
          end != field.data() + field.size()) {
        return Status::InvalidArgument("\"" + std::string(field) + "\" in \"" + std::string(list) +
                                       "\" is not a bit number");
      }
      if (n < 1 || n > 32) {
        return Status::InvalidArgument("bit number \"" + std::string(field) + "\" in \"" +
                                       std::string(list) + "\" is outside 1 to 32");
      }
      bits |= 1u << (n - 1);
    }
    if (comma == std::string_view::npos) break;
    rest = rest.substr(comma + 1);
  }
  *value = static_cast<int32_t>(bits);
  return Status::Ok();
}

int32_t GetLengthC(std::string_view text) {
  size_t nul = text.find('\0');
  return nul == std::string_view::npos ? -1 : static_cast<int32_t>(nul);
}

}  // namespace qv
