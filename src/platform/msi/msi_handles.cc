#include "platform/msi/msi_handles.h"

#include <map>
#include <mutex>

namespace qv::msi {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::map<MSIHANDLE, HandleObject> open;
  MSIHANDLE next = 1;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

MSIHANDLE OpenHandle(HandleObject object) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  while (t.next == 0 || t.open.count(t.next) != 0) ++t.next;  // 0 is never a handle
  const MSIHANDLE handle = t.next++;
  t.open.emplace(handle, std::move(object));
  return handle;
}

std::optional<HandleObject> FindHandle(MSIHANDLE handle) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.open.find(handle);
  if (it == t.open.end()) return std::nullopt;
  return it->second;
}

bool CloseHandle(MSIHANDLE handle) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  return t.open.erase(handle) > 0;
}

std::size_t OpenHandleCount() {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  return t.open.size();
}

}  // namespace qv::msi
