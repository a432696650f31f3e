#pragma once
// Who opens the open database releases it: a window event that opens a package into the
// program's open database holds this scope for the whole event. The event starts with nothing
// open, and the database and its session are released on every way out of it.

namespace qv {

/// One window event's hold on the open database: releases what an earlier event may have left
/// open when it starts, and the database and its session when it ends. The current package
/// name stays, as CloseVoDatabase leaves it, unless ForgetPackage was called.
class OpenDatabaseScope {
 public:
  OpenDatabaseScope();
  ~OpenDatabaseScope();
  OpenDatabaseScope(const OpenDatabaseScope&) = delete;
  OpenDatabaseScope& operator=(const OpenDatabaseScope&) = delete;

  /// The event's package could not be used: on the way out it is no longer the current
  /// package, and the folders its session resolved are forgotten with it.
  void ForgetPackage() { m_forget = true; }

 private:
  bool m_forget = false;
};

/// Releases the open database and its session; the current package name stays.
void ReleaseOpenDatabase();
/// Forgets the current package and the folders its session resolved (nothing is released).
void ForgetCurrentPackage();

}  // namespace qv
