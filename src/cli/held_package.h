#pragma once
// A package another program holds open: read from a copy beside it, as the converter window
// does, and the copy removed when the command is done.

#include <string>

namespace qv::cli {

/// The package to read for a command. When another process holds the package, a copy named
/// as the window names it ("pkg.msi" -> "pkg.CopyOf.Msi", beside it) is made and read instead,
/// and removed when this object goes; otherwise the package itself is read.
class HeldPackageCopy {
 public:
  /// package is a host or Windows path as the commands take it.
  explicit HeldPackageCopy(const std::string& package);
  ~HeldPackageCopy();
  HeldPackageCopy(const HeldPackageCopy&) = delete;
  HeldPackageCopy& operator=(const HeldPackageCopy&) = delete;

  /// The path to open: the copy, or the package itself.
  const std::string& path() const { return m_path; }
  /// True when path() is a copy.
  bool copied() const { return !m_copyHost.empty(); }

 private:
  std::string m_path;
  std::string m_copyHost;  // host path of the copy made; "" when none
};

}  // namespace qv::cli
