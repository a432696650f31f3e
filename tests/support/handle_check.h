#pragma once
// A test base that fails a test which leaves msi.dll handles open.

#include <gtest/gtest.h>

#include <cstddef>

#include "platform/msi/msi_handles.h"

namespace qv::test {

/// Counts the open msi.dll handles before each test and expects as many after it.
class HandleLeakCheck : public ::testing::Test {
 protected:
  void SetUp() override { m_openBefore = msi::OpenHandleCount(); }
  void TearDown() override {
    EXPECT_EQ(msi::OpenHandleCount(), m_openBefore) << "the test left msi.dll handles open";
  }

 private:
  std::size_t m_openBefore = 0;
};

}  // namespace qv::test
