#include "platform/base/pending_error.h"

#include <utility>

namespace qv {

PendingErrorInfo& PendingError() {
  static PendingErrorInfo error;
  return error;
}

bool ErrorPending() {
  return PendingError().number != 0;
}

void SetPendingError(int32_t number, std::string source, std::string description) {
  PendingError() = PendingErrorInfo{number, std::move(source), std::move(description)};
}

void SetMsiApiError(const std::string& description) {
  SetPendingError(kAutomationFailure, "Msi API Error", description);
}

void ClearPendingError() {
  PendingError() = PendingErrorInfo{};
}

}  // namespace qv
