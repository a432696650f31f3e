#include "app/settings.h"

#include "app/globals.h"
#include "services/registry_functions.h"

namespace qv {
namespace {

// Every settings call uses SettingsKey, or the literal when it was never set.
std::string KeyPath() {
  return SettingsKey.empty() ? kDefaultSettingsKey : SettingsKey;
}

}  // namespace

std::string GetSettingStr(const std::string& name) {
  std::string buffer;
  if (GetREGString(KeyPath(), name, &buffer, 1000) == 0) return "";
  return buffer.substr(0, buffer.find('\0'));
}

int32_t GetSettingDWord(const std::string& name) {
  int32_t value = 0;
  if (GetREGDWord(KeyPath(), name, &value) == 0) return 0;
  return value;
}

void SaveSettingStr(const std::string& name, const std::string& text) {
  SaveREGString(KeyPath(), name, text, 1, 1);
}

void SaveSettingDWord(const std::string& name, int32_t value) {
  SaveREGString(KeyPath(), name, value, 4, 4);
}

}  // namespace qv
