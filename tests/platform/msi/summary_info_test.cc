#include "platform/msi/summary_info.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/le_bytes.h"

namespace qv::msi {
namespace {

using test::Le;

constexpr uint32_t kI2 = 2, kI4 = 3, kText = 30, kFileTime = 64;

// A property set whose one section (at byte 48) holds (pid, type, value bytes) properties.
std::string PropertySet(const std::vector<std::tuple<uint32_t, uint32_t, std::string>>& props) {
  std::string head = "\xFE\xFF" + std::string(42, '\0') + Le(48, 4);
  std::string table, values;
  const size_t first = 8 + 8 * props.size();
  for (const auto& [pid, type, value] : props) {
    table += Le(pid, 4) + Le(first + values.size(), 4);
    values += Le(type, 4) + value;
  }
  return head + Le(8 + table.size() + values.size(), 4) + Le(props.size(), 4) + table + values;
}

TEST(SummaryInfoTest, ReadsPropertiesAndNamesWhereTheStreamBreaks) {
  const std::string good = PropertySet({{kPidCodepage, kI2, Le(1251, 4)},
                                        {kPidTitle, kText, Le(3, 4) + std::string("\xCF\0x", 3)},
                                        {kPidWordCount, kI4, Le(0xFFFFFFFE, 4)},
                                        {20, 71, Le(0, 4)},  // a type the installer does not write
                                        {kPidCreateTime, kFileTime, Le(0x0123456789, 8)}});
  const auto with = [&](size_t at, const std::string& bytes) {
    return good.substr(0, at) + bytes + good.substr(at + bytes.size());
  };
  const std::string prefix = "Corruption: stream \x05SummaryInformation, byte ";
  const std::pair<std::string, std::string> cases[] = {
      {good, "\xD0\x9F|-2|4886718345"},
      {PropertySet({}), "|0|0"},
      {good.substr(0, 47), prefix + "47: shorter than a property set header"},
      {with(0, "\xFF\xFE"), prefix + "0: wrong byte order mark"},
      {with(44, Le(good.size() - 4, 4)), prefix + "44: section outside the stream"},
      {with(52, Le(100, 4)), prefix + "52: too many properties"},
      {with(60, Le(good.size(), 4)), prefix + "60: property outside the stream"},
      {with(108, Le(100, 4)), prefix + "108: text runs past the end"},
      {good.substr(0, good.size() - 4), prefix + "131: time runs past the end"},
  };
  for (const auto& [bytes, outcome] : cases) {
    SummaryInfo info;
    const Status s = info.Parse(bytes);
    const std::string read = info.Text(kPidTitle) + "|" + std::to_string(info.WordCount()) + "|" +
                             std::to_string(info.Properties().count(kPidCreateTime)
                                                ? info.Properties().at(kPidCreateTime).fileTime
                                                : 0);
    EXPECT_EQ(s.ok() ? read : s.ToString(), outcome) << outcome;
  }
}

}  // namespace
}  // namespace qv::msi
