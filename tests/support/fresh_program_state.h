#pragma once
// Program state as it is before start-up, for the length of one test.

#include "state/program_state.h"

namespace qv::test {

/// Resets all program state when made and again when destroyed, so a test starts as the
/// program does and leaves nothing behind for the next one.
class FreshProgramState {
 public:
  FreshProgramState() { ResetProgramState(); }
  ~FreshProgramState() { ResetProgramState(); }
  FreshProgramState(const FreshProgramState&) = delete;
  FreshProgramState& operator=(const FreshProgramState&) = delete;
};

}  // namespace qv::test
