#pragma once
// A scoped temporary folder, and an environment in which nothing of the tester's own
// settings, data or Wine prefix is read.

#include <map>
#include <optional>
#include <string>

namespace qv::test {

/// A fresh folder under the system temp folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  /// The folder's host path (no trailing '/').
  const std::string& path() const { return m_path; }
  /// path() + "/" + relative.
  std::string Sub(const std::string& relative) const { return m_path + "/" + relative; }
  /// Writes a file below the folder (creating folders along the way); returns its path.
  std::string Write(const std::string& relative, const std::string& bytes) const;

 private:
  std::string m_path;
};

/// Sets environment variables for its lifetime (nullopt unsets) and restores them after.
class ScopedEnv {
 public:
  ScopedEnv() = default;
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  void Set(const std::string& name, const std::optional<std::string>& value);

 private:
  std::map<std::string, std::optional<std::string>> m_saved;
};

/// Points XDG_CONFIG_HOME and XDG_DATA_HOME into a temp folder and unsets WINEPREFIX and
/// QUORVEX_REGISTRY_IMPORT, so a test has its own settings store and built-in drive C.
class IsolatedHome {
 public:
  IsolatedHome();
  const TempDir& dir() const { return m_dir; }
  std::string ConfigHome() const { return m_dir.Sub("config"); }
  std::string DataHome() const { return m_dir.Sub("data"); }

 private:
  TempDir m_dir;
  ScopedEnv m_env;
};

/// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace qv::test
