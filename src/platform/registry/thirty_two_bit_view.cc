#include "platform/registry/thirty_two_bit_view.h"

#include "platform/registry/name_compare.h"

namespace qv::registry {
namespace {

constexpr std::string_view kSoftware = "Software";
constexpr std::string_view kNode = "Wow6432Node";
constexpr std::string_view kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

// The first component of path, and the rest after its '\' ("" when there is none).
std::string_view FirstComponent(std::string_view path, std::string_view* rest) {
  const size_t slash = path.find('\\');
  *rest = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
  return path.substr(0, slash);
}

}  // namespace

bool ReadInThirtyTwoBitView(std::string_view path, std::string_view name) {
  return SameName(path, kCurrentVersion) &&
         (SameName(name, "ProgramFilesDir") || SameName(name, "CommonFilesDir"));
}

std::string ThirtyTwoBitTwin(std::string_view path) {
  std::string_view rest;
  if (!SameName(FirstComponent(path, &rest), kSoftware) || rest.empty()) return "";
  std::string_view below;
  if (SameName(FirstComponent(rest, &below), kNode)) return "";
  return std::string(kSoftware) + "\\" + std::string(kNode) + "\\" + std::string(rest);
}

std::string ViewPathOf(const HiveSource& machineHive, std::string_view path,
                       std::string_view name) {
  if (!ReadInThirtyTwoBitView(path, name)) return std::string(path);
  const std::string twin = ThirtyTwoBitTwin(path);
  Value value;
  if (twin.empty() || !machineHive.ReadValue(twin, name, &value) || value.tombstone) {
    return std::string(path);
  }
  return twin;
}

}  // namespace qv::registry
