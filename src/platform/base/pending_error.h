#pragma once
// The pending error of automation-style calls: what Visual Basic's Err object held. A failing
// installer or automation call sets it; the caller reports and clears it (CheckErrorTrans).

#include <cstdint>
#include <string>

namespace qv {

/// The last failure of an automation call; number 0 means no error is pending.
struct PendingErrorInfo {
  int32_t number = 0;
  std::string source;
  std::string description;
};

/// The number the installer's automation layer reports for a failed method (0x80004005).
inline constexpr int32_t kAutomationFailure = -2147467259;

/// The program-wide pending error (one user-interface thread, so one instance).
PendingErrorInfo& PendingError();
/// True when an error is pending.
bool ErrorPending();
/// Records a failure; replaces whatever was pending.
void SetPendingError(int32_t number, std::string source, std::string description);
/// Records a failed installer method as the automation layer does: source "Msi API Error",
/// description "Method,Param1,Param2" (e.g. "OpenDatabase,DatabasePath,OpenMode").
void SetMsiApiError(const std::string& description);
/// Forgets the pending error.
void ClearPendingError();

}  // namespace qv
