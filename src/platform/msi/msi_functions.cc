#include "platform/msi/msi_functions.h"

#include <memory>
#include <mutex>
#include <vector>

#include "platform/base/pending_error.h"
#include "platform/machine/machine.h"
#include "platform/machine/machine_registry.h"
#include "platform/msi/engine_installer.h"
#include "platform/msi/engine_session.h"
#include "platform/msi/feature_index.h"
#include "platform/msi/installer_registration.h"
#include "platform/msi/package_database.h"

namespace qv::msi {
namespace {

// msi.dll reports through its result codes, never through the automation layer's pending
// error: calls into the automation objects put it back as it was.
class PendingErrorKept {
 public:
  PendingErrorKept() : m_saved(PendingError()) {}
  ~PendingErrorKept() { PendingError() = m_saved; }
  PendingErrorKept(const PendingErrorKept&) = delete;
  PendingErrorKept& operator=(const PendingErrorKept&) = delete;

 private:
  PendingErrorInfo m_saved;
};

uint32_t OpenFailureOf(const Status& s) {
  switch (s.code()) {
    case Status::Code::kNotFound:
    case Status::Code::kIOError:
    case Status::Code::kBusy:
    case Status::Code::kInvalidArgument:
    case Status::Code::kPermissionDenied:
      return kErrorInstallPackageOpenFailed;
    default:
      return kErrorInstallPackageInvalid;
  }
}

// Hands out a text as the installer's A functions do with the caller's buffer size (null: no
// limit).
uint32_t CopyOut(const std::string& text, std::string* out, uint32_t* size) {
  const uint32_t length = static_cast<uint32_t>(text.size());
  if (out != nullptr && size != nullptr && *size <= length) {
    *size = length;
    return kErrorMoreData;
  }
  if (out != nullptr) *out = text;
  if (size != nullptr) *size = length;
  return kErrorSuccess;
}

struct ComponentEnumeration {
  std::mutex mutex;
  std::vector<std::string> components;
  uint32_t last = 0;
  // The machine the list was read from, when only its hives (which never change) held it.
  std::shared_ptr<const Machine> machine;
};

ComponentEnumeration& Enumeration() {
  static ComponentEnumeration enumeration;
  return enumeration;
}

std::mutex g_uiMutex;
int32_t g_uiLevel = kUiLevelDefault;

}  // namespace

uint32_t MsiVerifyPackageA(const std::string& packagePath) {
  std::shared_ptr<PackageDatabase> database;
  const Status s = OpenPackageDatabase(packagePath, kOpenReadOnly, &database);
  return s.ok() ? kErrorSuccess : OpenFailureOf(s);
}

uint32_t MsiEnumComponentsA(uint32_t index, std::string* component) {
  ComponentEnumeration& e = Enumeration();
  std::lock_guard<std::mutex> lock(e.mutex);
  // As the installer does, calls go 0, 1, 2, ...; the list is read once, at index 0.
  if (index == 0) {
    std::shared_ptr<const Machine> machine = CurrentMachinePtr();
    InstallerRegistration registration(CurrentRegistry(), machine->userSid);
    const bool keep = registration.ComponentsFromMachineOnly();
    if (!keep || machine != e.machine) {
      e.components = registration.Components();
      e.machine = keep ? machine : nullptr;
    }
  } else if (index != e.last + 1) {
    return kErrorInvalidParameter;
  }
  if (index >= e.components.size()) {
    e.last = 0;
    return kErrorNoMoreItems;
  }
  e.last = index;
  *component = e.components[index];
  return kErrorSuccess;
}

void PrepareRegistrationQueries() {
  std::string component;
  MsiEnumComponentsA(0, &component);
  CurrentFeatureIndex();
}

int32_t MsiSetInternalUI(int32_t level, void* /*window*/) {
  constexpr int32_t kFlags = 0x20 | 0x40 | 0x80 | 0x100 | 0x200;
  std::lock_guard<std::mutex> lock(g_uiMutex);
  const int32_t base = level & ~kFlags;
  if (base < kUiLevelNoChange || base > 5) return kUiLevelNoChange;
  const int32_t previous = g_uiLevel;
  if (base != kUiLevelNoChange) g_uiLevel = level;
  return previous;
}

uint32_t MsiOpenDatabaseA(const std::string& path, int mode, MSIHANDLE* database) {
  *database = 0;
  std::shared_ptr<PackageDatabase> opened;
  const Status s = OpenPackageDatabase(path, mode, &opened);
  if (!s.ok()) return OpenFailureOf(s);
  *database = OpenHandle({.database = std::move(opened)});
  return kErrorSuccess;
}

uint32_t MsiOpenPackageA(const std::string& packagePath, MSIHANDLE* install) {
  *install = 0;
  std::shared_ptr<Database> database;
  if (!packagePath.empty() && packagePath[0] == '#') {
    uint64_t handle = 0;
    for (char c : packagePath.substr(1)) {
      if (c < '0' || c > '9') return kErrorInvalidHandle;
      handle = handle * 10 + static_cast<uint64_t>(c - '0');
      if (handle > UINT32_MAX) return kErrorInvalidHandle;
    }
    const std::optional<HandleObject> object = FindHandle(static_cast<MSIHANDLE>(handle));
    if (!object || !object->database) return kErrorInvalidHandle;
    database = object->database;
  } else {
    std::shared_ptr<PackageDatabase> opened;
    const Status s = OpenPackageDatabase(packagePath, kOpenReadOnly, &opened);
    if (!s.ok()) return kErrorInstallPackageOpenFailed;
    database = std::move(opened);
  }
  *install = OpenHandle({.session = std::make_shared<EngineSession>(database, CurrentMachine())});
  return kErrorSuccess;
}

uint32_t MsiDoActionA(MSIHANDLE install, const std::string& action) {
  const std::optional<HandleObject> object = FindHandle(install);
  if (!object || !object->session) return kErrorInvalidHandle;
  PendingErrorKept kept;
  return object->session->DoAction(action) == 1 ? kErrorSuccess : kErrorFunctionNotCalled;
}

uint32_t MsiGetTargetPathA(MSIHANDLE install, const std::string& folder, std::string* path,
                           uint32_t* size) {
  const std::optional<HandleObject> object = FindHandle(install);
  if (!object || !object->session) return kErrorInvalidHandle;
  std::string target;
  {
    PendingErrorKept kept;
    target = object->session->TargetPath(folder);
  }
  if (target.empty()) return kErrorDirectory;
  return CopyOut(target, path, size);
}

uint32_t MsiDatabaseOpenViewA(MSIHANDLE database, const std::string& query, MSIHANDLE* view) {
  *view = 0;
  const std::optional<HandleObject> object = FindHandle(database);
  if (!object || !object->database) return kErrorInvalidHandle;
  std::shared_ptr<View> opened;
  {
    PendingErrorKept kept;
    opened = object->database->OpenView(query);
  }
  if (!opened) return kErrorBadQuerySyntax;
  *view = OpenHandle({.view = std::move(opened)});
  return kErrorSuccess;
}

uint32_t MsiViewExecute(MSIHANDLE view, MSIHANDLE params) {
  const std::optional<HandleObject> object = FindHandle(view);
  if (!object || !object->view) return kErrorInvalidHandle;
  std::shared_ptr<Record> bound;
  if (params != 0) {
    const std::optional<HandleObject> p = FindHandle(params);
    if (!p || !p->record) return kErrorInvalidHandle;
    bound = p->record;
  }
  PendingErrorKept kept;
  return object->view->Execute(bound.get()) ? kErrorSuccess : kErrorFunctionFailed;
}

uint32_t MsiViewFetch(MSIHANDLE view, MSIHANDLE* record) {
  *record = 0;
  const std::optional<HandleObject> object = FindHandle(view);
  if (!object || !object->view) return kErrorInvalidHandle;
  std::shared_ptr<Record> row;
  {
    PendingErrorKept kept;
    row = object->view->Fetch();
  }
  if (!row) return kErrorNoMoreItems;
  *record = OpenHandle({.record = std::move(row)});
  return kErrorSuccess;
}

MSIHANDLE MsiCreateRecord(uint32_t fieldCount) {
  return OpenHandle({.record = std::make_shared<Record>(static_cast<int>(fieldCount))});
}

uint32_t MsiRecordSetStringA(MSIHANDLE record, uint32_t field, const std::string& value) {
  const std::optional<HandleObject> object = FindHandle(record);
  if (!object || !object->record) return kErrorInvalidHandle;
  object->record->SetStringData(static_cast<int>(field), value);
  return kErrorSuccess;
}

uint32_t MsiRecordGetStringA(MSIHANDLE record, uint32_t field, std::string* value, uint32_t* size) {
  const std::optional<HandleObject> object = FindHandle(record);
  if (!object || !object->record) return kErrorInvalidHandle;
  return CopyOut(object->record->StringData(static_cast<int>(field)), value, size);
}

uint32_t MsiCloseHandle(MSIHANDLE handle) {
  if (handle == 0) return kErrorSuccess;
  return CloseHandle(handle) ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace qv::msi
