#pragma once
// Installer objects for tests of the layers above the engine: they answer what the test sets.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/msi/automation.h"
#include "platform/msi/engine_installer.h"

namespace qv::test {

/// A database that only reports its state and path; views cannot be opened on it.
class FakeDatabase : public msi::Database {
 public:
  int DatabaseState() const override { return state; }
  std::shared_ptr<msi::View> OpenView(const std::string&) override { return nullptr; }
  int TablePersistent(const std::string&) override { return 2; }
  bool Commit() override { return false; }
  const std::string& Path() const override { return path; }

  int state = 0;
  std::string path;
};

/// A session that holds properties and nothing else; every action succeeds.
class FakeSession : public msi::Session {
 public:
  explicit FakeSession(std::shared_ptr<msi::Database> db) : m_db(std::move(db)) {}
  std::string Property(const std::string& name) const override {
    auto it = properties.find(name);
    return it == properties.end() ? "" : it->second;
  }
  void SetProperty(const std::string& name, const std::string& value) override {
    properties[name] = value;
  }
  std::string ProductProperty(const std::string&) const override { return ""; }
  int DoAction(const std::string&) override { return 1; }
  std::string TargetPath(const std::string&) override { return ""; }
  std::string SourcePath(const std::string&) override { return ""; }
  std::shared_ptr<msi::Database> GetDatabase() const override { return m_db; }

  std::map<std::string, std::string> properties;

 private:
  std::shared_ptr<msi::Database> m_db;
};

/// Our engine's installer, watched: records the modes packages are opened with, and can
/// hand out FakeSessions (or none) and a set last error record instead of the engine's.
class WatchedInstaller : public msi::Installer {
 public:
  std::shared_ptr<msi::Database> OpenDatabase(const std::string& path, int mode) override {
    openedPaths.push_back(path);
    openedModes.push_back(mode);
    return m_engine->OpenDatabase(path, mode);
  }
  std::shared_ptr<msi::Session> OpenPackage(std::shared_ptr<msi::Database> db,
                                            int options) override {
    packageOptions.push_back(options);
    if (failSessions) return nullptr;
    if (fakeSession) {
      auto session = std::make_shared<FakeSession>(db);
      session->properties = fakeSession->properties;
      return session;
    }
    return m_engine->OpenPackage(std::move(db), options);
  }
  std::shared_ptr<msi::Session> OpenPackage(const std::string& path, int options) override {
    return m_engine->OpenPackage(path, options);
  }
  std::shared_ptr<msi::Record> LastErrorRecord() override {
    return lastError ? lastError : m_engine->LastErrorRecord();
  }
  int ProductState(const std::string& product) override { return m_engine->ProductState(product); }
  std::string ProductInfo(const std::string& product, const std::string& attribute) override {
    return m_engine->ProductInfo(product, attribute);
  }
  std::vector<std::string> Products() override { return m_engine->Products(); }
  int FeatureState(const std::string& product, const std::string& feature) override {
    return m_engine->FeatureState(product, feature);
  }
  std::vector<std::pair<std::string, int>> FeatureStates(const std::string& feature) override {
    return m_engine->FeatureStates(feature);
  }
  std::vector<std::string> ComponentClients(const std::string& component) override {
    return m_engine->ComponentClients(component);
  }

  std::vector<std::string> openedPaths;
  std::vector<int> openedModes;
  std::vector<int> packageOptions;
  bool failSessions = false;
  /// When set, sessions are copies of this one (its properties).
  std::shared_ptr<FakeSession> fakeSession;
  /// When set, the last error record reported instead of the engine's.
  std::shared_ptr<msi::Record> lastError;

 private:
  std::shared_ptr<msi::Installer> m_engine = msi::MakeEngineInstaller();
};

}  // namespace qv::test
