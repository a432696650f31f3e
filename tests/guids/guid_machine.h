#pragma once
// A machine with installer registrations and COM classes for the GUID identification tests:
// its registry written here in Wine's format, the installed product's cached package built
// from the "basic" fixture and laid under C:\Windows\Installer.

#include <filesystem>
#include <string>

#include "support/fixture_packages.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::test {

/// The GUIDs the machine knows, and one it does not.
namespace guid {
inline const std::string kInstalled = "{1A000000-0000-0000-0000-000000000001}";
inline const std::string kAdvertised = "{2A000000-0000-0000-0000-000000000002}";
inline const std::string kAbsent = "{3A000000-0000-0000-0000-000000000003}";  ///< never registered
/// MainExe of the "basic" package, installed by kInstalled and kAdvertised, listing kAbsent.
inline const std::string kComponent = "{A1B2C3D4-1111-2222-3333-444455556666}";
/// HelpDoc of the "basic" package, registered with no client product that the installer knows.
inline const std::string kLoneComponent = "{A1B2C3D4-1111-2222-3333-444455557777}";
/// A feature name both products have.
inline const std::string kFeature = "{FEA70000-0000-0000-0000-000000000001}";
inline const std::string kFullClass = "{C1A55000-0000-0000-0000-000000000001}";
inline const std::string kSparseClass = "{C1A55000-0000-0000-0000-000000000002}";  ///< 2 subkeys
inline const std::string kNoDefaultClass = "{C1A55000-0000-0000-0000-000000000003}";
inline const std::string kNumberDefaultClass = "{C1A55000-0000-0000-0000-000000000004}";
inline const std::string kUserClass = "{C1A55000-0000-0000-0000-000000000005}";  ///< HKCU's
inline const std::string kUnknown = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
/// Where the installed product's cached package is, as the registry names it.
inline const std::string kLocalPackage = "C:\\Windows\\Installer\\inst.msi";
}  // namespace guid

/// Writes registry texts in Wine's format: key lines with doubled backslashes, escaped texts.
class WineHiveText {
 public:
  explicit WineHiveText(const std::string& relativeTo)
      : m_text("WINE REGISTRY Version 2\n;; All keys relative to " + relativeTo + "\n") {}
  WineHiveText& Key(const std::string& path) {
    m_text += "\n[" + Escaped(path) + "] 1796522371\n";
    return *this;
  }
  WineHiveText& Text(const std::string& name, const std::string& value) {
    m_text += (name.empty() ? std::string("@") : "\"" + Escaped(name) + "\"") + "=\"" +
              Escaped(value) + "\"\n";
    return *this;
  }
  WineHiveText& Dword(const std::string& name, const std::string& hex8) {
    m_text += (name.empty() ? std::string("@") : "\"" + name + "\"") + "=dword:" + hex8 + "\n";
    return *this;
  }
  const std::string& str() const { return m_text; }

 private:
  static std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
    return out;
  }
  std::string m_text;
};

/// The packed form of a standard GUID, written out here so the tests do not lean on the code
/// they check.
inline std::string PackedForTest(const std::string& g) {
  auto reversed = [&](size_t from, size_t n) {
    const std::string part = g.substr(from, n);
    return std::string(part.rbegin(), part.rend());
  };
  std::string tail = g.substr(20, 4) + g.substr(25, 12);
  std::string swapped;
  for (size_t i = 0; i < tail.size(); i += 2) swapped += std::string{tail[i + 1], tail[i]};
  return reversed(1, 8) + reversed(10, 4) + reversed(15, 4) + swapped;
}

/// HKLM of the machine: the products, their features and components, and COM classes.
inline std::string GuidMachineHive() {
  const std::string installer = "Software\\Microsoft\\Windows\\CurrentVersion\\Installer";
  const std::string userData = installer + "\\UserData\\S-1-5-18";
  const std::string inst = PackedForTest(guid::kInstalled);
  const std::string adv = PackedForTest(guid::kAdvertised);
  WineHiveText h("\\\\Machine");
  h.Key("Software\\Classes\\Installer\\Features\\" + inst)
      .Text(guid::kFeature, "")
      .Text("Main", "");
  h.Key("Software\\Classes\\Installer\\Features\\" + adv).Text(guid::kFeature, "");
  h.Key("Software\\Classes\\Installer\\Products\\" + inst)
      .Text("ProductName", "Installed App")
      .Dword("Version", "02050001");
  h.Key("Software\\Classes\\Installer\\Products\\" + adv)
      .Text("ProductName", "Advertised App")
      .Dword("Version", "02000000");
  h.Key(userData + "\\Components\\" + PackedForTest(guid::kComponent))
      .Text(inst, "C:\\Program Files\\App\\App.exe")
      .Text(adv, "C:\\Program Files\\App\\App.exe")
      .Text(PackedForTest(guid::kAbsent), "C:\\Old\\App.exe");
  h.Key(userData + "\\Components\\" + PackedForTest(guid::kLoneComponent))
      .Text(PackedForTest(guid::kAbsent), "C:\\Old\\Manual.pdf");
  h.Key(userData + "\\Products\\" + inst + "\\Features").Text(guid::kFeature, "").Text("Main", "");
  h.Key(userData + "\\Products\\" + inst + "\\InstallProperties")
      .Text("DisplayName", "Installed App (display)")
      .Text("DisplayVersion", "2.5.1")
      .Text("LocalPackage", guid::kLocalPackage)
      .Dword("WindowsInstaller", "00000001");
  const std::string clsid = "Software\\Classes\\CLSID\\";
  h.Key(clsid + guid::kFullClass).Text("", "Full Class");
  h.Key(clsid + guid::kFullClass + "\\InprocServer").Text("", "C:\\Windows\\full16.dll");
  h.Key(clsid + guid::kFullClass + "\\InprocServer32")
      .Text("", "C:\\Windows\\full.dll")
      .Text("ThreadingModel", "Both");
  h.Key(clsid + guid::kFullClass + "\\LocalServer").Text("", "C:\\Windows\\full16.exe");
  h.Key(clsid + guid::kFullClass + "\\LocalServer32").Text("", "C:\\Windows\\full.exe");
  h.Key(clsid + guid::kFullClass + "\\ProgID").Text("", "Full.Class.1");
  h.Key(clsid + guid::kFullClass + "\\Version").Text("", "1.0");
  h.Key(clsid + guid::kSparseClass).Text("", "");
  h.Key(clsid + guid::kSparseClass + "\\InprocServer").Text("ThreadingModel", "no default value");
  h.Key(clsid + guid::kSparseClass + "\\LocalServer32").Text("", "C:\\Windows\\sparse.exe");
  h.Key(clsid + guid::kSparseClass + "\\Version").Dword("", "00000002");
  h.Key(clsid + guid::kNoDefaultClass).Text("AppID", guid::kNoDefaultClass);
  h.Key(clsid + guid::kNoDefaultClass + "\\ProgID").Text("", "No.Default.1");
  h.Key(clsid + guid::kNumberDefaultClass).Dword("", "00000001");
  h.Key(clsid + guid::kNumberDefaultClass + "\\ProgID").Text("", "Number.Default.1");
  return h.str();
}

/// HKCU of the machine: a COM class registered for the user alone.
inline std::string GuidUserHive() {
  WineHiveText h("\\\\User\\\\S-1-5-21-0-0-0-1000");
  h.Key("Software\\Classes\\CLSID\\" + guid::kUserClass).Text("", "User Class");
  h.Key("Software\\Classes\\CLSID\\" + guid::kUserClass + "\\ProgID").Text("", "User.Class.1");
  return h.str();
}

/// Builds the "basic" package into dir and copies it to where the registry says the installed
/// product's cached package is, below the host folder of drive C; false when it cannot.
inline bool LayCachedPackage(const TempDir& dir, const std::string& driveC) {
  const std::string built = BuildFixture(dir, "basic");
  if (built.empty()) return false;
  const std::filesystem::path folder = std::filesystem::path(driveC) / "Windows" / "Installer";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::filesystem::copy_file(built, folder / "inst.msi",
                             std::filesystem::copy_options::overwrite_existing, ec);
  return !ec;
}

}  // namespace qv::test
