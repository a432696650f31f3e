#include "platform/msi/engine_installer.h"

#include <utility>

#include "platform/base/pending_error.h"
#include "platform/fs/path_map.h"
#include "platform/machine/machine.h"
#include "platform/machine/machine_registry.h"
#include "platform/msi/engine_session.h"
#include "platform/msi/error_records.h"
#include "platform/msi/feature_index.h"
#include "platform/msi/installer_registration.h"
#include "platform/msi/package_file.h"

namespace qv::msi {
namespace {

// Storage errors the installer puts in field 3 of its "cannot open database" record.
constexpr int32_t kStgFileNotFound = -2147287038;      // STG_E_FILENOTFOUND
constexpr int32_t kStgShareViolation = -2147287008;    // STG_E_SHAREVIOLATION
constexpr int32_t kStgNotStorage = -2147286960;        // STG_E_FILEALREADYEXISTS
constexpr int32_t kStgInvalidParameter = -2147286953;  // STG_E_INVALIDPARAMETER

int32_t StorageErrorOf(const Status& status) {
  switch (status.code()) {
    case Status::Code::kNotFound:
      return kStgFileNotFound;
    case Status::Code::kBusy:
      return kStgShareViolation;
    case Status::Code::kInvalidArgument:
      return kStgInvalidParameter;
    default:
      return kStgNotStorage;
  }
}

// The installer object of our engine, on the current machine.
class EngineInstaller : public Installer {
 public:
  std::shared_ptr<Database> OpenDatabase(const std::string& path, int mode) override {
    std::shared_ptr<PackageDatabase> database;
    Status s = OpenPackageDatabase(path, mode, &database);
    if (!s.ok()) {
      auto full = std::make_shared<Record>(3);
      full->SetIntegerData(1, kErrorOpenDatabase);
      full->SetStringData(2, path);
      full->SetIntegerData(3, StorageErrorOf(s));
      SetLastErrorRecord(std::move(full));
      SetMsiApiError("OpenDatabase,DatabasePath,OpenMode");
      return nullptr;
    }
    return database;
  }
  // The machine state (options 0 or 1) changes nothing: no product is installed by us.
  std::shared_ptr<Session> OpenPackage(std::shared_ptr<Database> database, int) override {
    if (!database) {
      SetMsiApiError("OpenPackage,PackagePath,Options");
      return nullptr;
    }
    return std::make_shared<EngineSession>(std::move(database), CurrentMachine());
  }
  std::shared_ptr<Session> OpenPackage(const std::string& path, int options) override {
    std::shared_ptr<Database> database = OpenDatabase(path, 0);
    if (!database) {
      SetMsiApiError("OpenPackage,PackagePath,Options");
      return nullptr;
    }
    return OpenPackage(std::move(database), options);
  }
  std::shared_ptr<Record> LastErrorRecord() override { return TakeLastErrorRecord(); }

  // The registration queries read the current machine's registry at every call.
  int ProductState(const std::string& product) override {
    return Registration().ProductState(product);
  }
  std::string ProductInfo(const std::string& product, const std::string& attribute) override {
    std::string value;
    if (Registration().ProductInfo(product, attribute, &value) != 0) {
      SetMsiApiError("ProductInfo,Product,Attribute");
      return "";
    }
    return value;
  }
  std::vector<std::string> Products() override { return Registration().Products(); }
  int FeatureState(const std::string& product, const std::string& feature) override {
    return Registration().FeatureState(product, feature);
  }
  std::vector<std::pair<std::string, int>> FeatureStates(const std::string& feature) override {
    const std::shared_ptr<const FeatureIndex> index = CurrentFeatureIndex();
    return Registration().FeatureStates(feature, index.get());
  }
  std::vector<std::string> ComponentClients(const std::string& component) override {
    std::vector<std::string> products;
    if (Registration().ComponentClients(component, &products) != 0) {
      SetMsiApiError("ComponentClients,Component");
      return {};
    }
    return products;
  }

 private:
  static InstallerRegistration Registration() {
    return InstallerRegistration(CurrentRegistry(), CurrentMachine().userSid);
  }
};

}  // namespace

Status OpenPackageDatabase(const std::string& path, int mode,
                           std::shared_ptr<PackageDatabase>* database) {
  database->reset();
  std::string hostPath;
  if (Status s = fs::HostPathOf(path, &hostPath); !s.ok()) return s;
  std::string bytes;
  if (Status s = ReadPackageFile(hostPath, &bytes); !s.ok()) return s;
  return PackageDatabase::Open(std::move(bytes), path, mode, database);
}

std::shared_ptr<Installer> MakeEngineInstaller() {
  return std::make_shared<EngineInstaller>();
}

}  // namespace qv::msi
