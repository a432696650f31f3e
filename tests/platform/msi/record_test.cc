#include <gtest/gtest.h>

#include "platform/msi/automation.h"

namespace qv::msi {
namespace {

TEST(RecordTest, FormatTextFillsNumberedFieldsOfItsTemplate) {
  Record record(2);
  record.SetStringData(1, "setup.msi");
  record.SetIntegerData(2, 2203);
  EXPECT_EQ(record.FormatText(), "1: setup.msi 2: 2203 ");
  record.SetStringData(0, "Error [2]: cannot open [1] ([3]) [x] [] [2a] [1");
  EXPECT_EQ(record.FormatText(), "Error 2203: cannot open setup.msi () [x] [] [2a] [1");
}

}  // namespace
}  // namespace qv::msi
