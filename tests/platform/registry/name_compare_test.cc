#include "platform/registry/name_compare.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qv::registry {
namespace {

TEST(NameCompareTest, FoldsTheLettersOfRealNamesAndKeepsOtherBytes) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"Software", "SOFTWARE", true},  {"caf\xC3\xA9", "CAF\xC3\x89", true},  // é É
      {"\xC3\xB7", "\xC3\x97", false},  // ÷ and × are no letters
      {"\xC3\xBF", "\xC5\xB8", true},   // ÿ Ÿ
      {"\xC4\x81", "\xC4\x80", true},   // ā Ā: capitals even
      {"\xC4\xBA", "\xC4\xB9", true},   // ĺ Ĺ: capitals odd
      {"\xC4\xB1", "I", false},         // dotless ı has no pair here
      {"\xCF\x83", "\xCE\xA3", true},   // σ Σ
      {"\xCF\x82", "\xCE\xA3", false},  // final ς stays
      {"\xD0\xB4", "\xD0\x94", true},   // д Д
      {"\xD1\x90", "\xD0\x80", true},   // ѐ Ѐ
      {"a\xFF", "A\xFF", true},         // bytes that are no UTF-8 compare as they are
      {"a\xC3", "A", false},
  };
  for (const auto& [a, b, same] : cases) {
    EXPECT_EQ(SameName(a, b), same) << a << " " << b;
    EXPECT_EQ(FoldName(a) == FoldName(b), same) << a << " " << b;
  }
}

}  // namespace
}  // namespace qv::registry
