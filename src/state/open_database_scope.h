#pragma once
// Who opens the open database releases it: a window event that opens a package into the
// program's open database holds this scope, so the database and its session are released on
// every way out of the event.

namespace qv {

/// Releases the open database and its session when it goes out of scope; the current package
/// name stays, as CloseVoDatabase leaves it.
class OpenDatabaseScope {
 public:
  OpenDatabaseScope() = default;
  ~OpenDatabaseScope();
  OpenDatabaseScope(const OpenDatabaseScope&) = delete;
  OpenDatabaseScope& operator=(const OpenDatabaseScope&) = delete;
};

}  // namespace qv
