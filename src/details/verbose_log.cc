#include "details/verbose_log.h"

#include "services/file_functions.h"
#include "services/text_case.h"

namespace qv {
namespace {

constexpr const char* kLogMarker = "=== Verbose logging started:";
// The marker must be on one of the first lines.
constexpr int kMarkerLines = 4;
constexpr const char* kChangeFileHeader = "SetupCapture report";

}  // namespace

bool ReadLogIdentity(LogLineReader& lines, std::string* PackageName, std::string* InstallType,
                     std::string* ProductCode) {
  std::string line;
  bool marked = false;
  for (int n = 0; n < kMarkerLines && !marked && lines.Next(&line); ++n) {
    marked = StartsWithNoCase(line, kLogMarker);
  }
  if (!marked) return false;
  PackageName->clear();
  ProductCode->clear();
  *InstallType = "Install";
  while (PackageName->empty() && lines.Next(&line)) {
    if (ContainsNoCase(line, ": Command Line:")) {
      if (ContainsNoCase(line, "Reinstall=")) {
        *InstallType = "ReInstall";
      } else if (ContainsNoCase(line, "Remove=")) {
        *InstallType = "Remove";
      }
    } else if (size_t p = FindNoCase(line, ": Package name"); p != std::string::npos) {
      const size_t colon = line.find(':', p + 1);
      if (colon != std::string::npos) {
        const size_t start = line.find_first_not_of(' ', colon + 1);
        *PackageName = start == std::string::npos ? "" : line.substr(start);
      }
    } else if (size_t q = FindNoCase(line, "ProductCode '{"); q != std::string::npos) {
      const std::string code = line.substr(line.find('{', q));
      const size_t close = code.find('}');
      if (close != std::string::npos) *ProductCode = code.substr(0, close + 1);
    }
  }
  return !PackageName->empty();
}

bool GetIdentityLogFile(const std::string& LogPath, std::string* PackageName,
                        std::string* InstallType, std::string* ProductCode) {
  if (ExistFile(LogPath) != 0) {
    PackageName->clear();
    ProductCode->clear();
    return false;
  }
  LogFile file;
  if (!OpenListedFile(LogPath, &file)) return false;
  return ReadLogIdentity(file.lines(), PackageName, InstallType, ProductCode);
}

bool HasChangeFileHeader(LogLineReader& lines) {
  std::string line;
  return lines.Next(&line) && StartsWithNoCase(line, kChangeFileHeader);
}

bool IsChangeFile(const std::string& path) {
  LogFile file;
  return OpenListedFile(path, &file) && HasChangeFileHeader(file.lines());
}

}  // namespace qv
