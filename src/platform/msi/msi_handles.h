#pragma once
// The handles msi.dll hands out (MSIHANDLE): numbers standing for open databases, sessions,
// views and records until MsiCloseHandle releases them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/msi/automation.h"

namespace qv::msi {

/// A handle of the installer's function library; 0 is no handle.
using MSIHANDLE = uint32_t;

/// What a handle stands for: exactly one of the pointers is set.
struct HandleObject {
  std::shared_ptr<Database> database;
  std::shared_ptr<Session> session;
  std::shared_ptr<View> view;
  std::shared_ptr<Record> record;
};

/// Gives out a new handle for object (never 0, never one still open).
MSIHANDLE OpenHandle(HandleObject object);
/// The object behind an open handle; nothing when the handle is not open.
std::optional<HandleObject> FindHandle(MSIHANDLE handle);
/// Releases a handle; false when it was not open.
bool CloseHandle(MSIHANDLE handle);
/// Number of handles open now: tests check that every handle given out was closed.
std::size_t OpenHandleCount();

}  // namespace qv::msi
