#include "platform/msi/engine_installer.h"

#include "platform/pending_error.h"

namespace qv::msi {
namespace {

// The installer object before the database engine exists: every open fails the way the
// installer reports a database it cannot open.
class EngineInstaller : public Installer {
 public:
  std::shared_ptr<Database> OpenDatabase(const std::string& path, int) override {
    m_lastError = std::make_shared<Record>(2);
    m_lastError->SetIntegerData(1, 2203);
    m_lastError->SetStringData(2, path);
    SetMsiApiError("OpenDatabase,DatabasePath,OpenMode");
    return nullptr;
  }
  std::shared_ptr<Session> OpenPackage(std::shared_ptr<Database>, int) override {
    SetMsiApiError("OpenPackage,PackagePath,Options");
    return nullptr;
  }
  std::shared_ptr<Session> OpenPackage(const std::string&, int) override {
    SetMsiApiError("OpenPackage,PackagePath,Options");
    return nullptr;
  }
  std::shared_ptr<Record> LastErrorRecord() override { return m_lastError; }

 private:
  std::shared_ptr<Record> m_lastError;
};

}  // namespace

std::shared_ptr<Installer> MakeEngineInstaller() { return std::make_shared<EngineInstaller>(); }

}  // namespace qv::msi
