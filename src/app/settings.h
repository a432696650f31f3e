#pragma once
// The settings store: named values under SettingsKey, kept by the registry functions of the
// utility library. Absent values read as "" or 0; failures are not reported.

#include <cstdint>
#include <string>

namespace qv {

/// A text setting; "" when absent.
std::string GetSettingStr(const std::string& name);
/// A 32-bit setting; 0 when absent.
int32_t GetSettingDWord(const std::string& name);
/// Stores a text setting (registry type 1).
void SaveSettingStr(const std::string& name, const std::string& text);
/// Stores a 32-bit setting (registry type 4).
void SaveSettingDWord(const std::string& name, int32_t value);

}  // namespace qv
