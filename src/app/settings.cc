#include "app/settings.h"

#include "services/path_text.h"
#include "services/registry_functions.h"
#include "state/program_state.h"

namespace qv {

std::string GetSettingStr(const std::string& name) {
  std::string buffer;
  if (GetREGString(SettingsKeyPath(), name, &buffer, 1000) == 0) return "";
  return TrimNul(buffer);
}

int32_t GetSettingDWord(const std::string& name) {
  int32_t value = 0;
  if (GetREGDWord(SettingsKeyPath(), name, &value) == 0) return 0;
  return value;
}

void SaveSettingStr(const std::string& name, const std::string& text) {
  SaveREGString(SettingsKeyPath(), name, text, 1, 1);
}

void SaveSettingDWord(const std::string& name, int32_t value) {
  SaveREGString(SettingsKeyPath(), name, value, 4, 4);
}

}  // namespace qv
