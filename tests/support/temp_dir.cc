#include "support/temp_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qv::test {
namespace {

// Sets an environment variable, or unsets it for nullopt.
void SetOrUnset(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
}

}  // namespace

TempDir::TempDir() {
  // Eight characters: a valid 8.3 name is its own short name, so short forms of paths inside
  // stay the same whatever other folders come and go beside it.
  m_path = (std::filesystem::temp_directory_path() / "qvXXXXXX").string();
  if (mkdtemp(m_path.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir() {
  std::error_code ec;
  // Tests make files read-only on purpose; give write permission back before removing.
  for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::Write(const std::string& relative, const std::string& bytes) const {
  std::filesystem::path p = std::filesystem::path(m_path) / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
  return p.string();
}

ScopedEnv::~ScopedEnv() {
  for (const auto& [name, value] : m_saved) SetOrUnset(name, value);
}

void ScopedEnv::Set(const std::string& name, const std::optional<std::string>& value) {
  if (!m_saved.count(name)) {
    const char* old = getenv(name.c_str());
    m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
  }
  SetOrUnset(name, value);
}

IsolatedHome::IsolatedHome() {
  std::filesystem::create_directories(ConfigHome());
  std::filesystem::create_directories(DataHome());
  m_env.Set("XDG_CONFIG_HOME", ConfigHome());
  m_env.Set("XDG_DATA_HOME", DataHome());
  m_env.Set("WINEPREFIX", std::nullopt);
  m_env.Set("QUORVEX_REGISTRY_IMPORT", std::nullopt);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace qv::test
