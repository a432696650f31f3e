#pragma once
// Installer objects for tests of the layers above the engine: they answer what the test sets.

#include <memory>
#include <string>

#include "platform/msi/automation.h"

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

/// A session that holds properties and nothing else.
class FakeSession : public msi::Session {
 public:
  explicit FakeSession(std::shared_ptr<msi::Database> db) : m_db(std::move(db)) {}
  std::string Property(const std::string&) const override { return ""; }
  void SetProperty(const std::string&, const std::string&) override {}
  std::string ProductProperty(const std::string&) const override { return ""; }
  int DoAction(const std::string&) override { return 1; }
  std::string TargetPath(const std::string&) override { return ""; }
  std::string SourcePath(const std::string&) override { return ""; }
  std::shared_ptr<msi::Database> GetDatabase() const override { return m_db; }

 private:
  std::shared_ptr<msi::Database> m_db;
};

/// An installer whose last error record the test sets; it opens nothing.
class FakeInstaller : public msi::Installer {
 public:
  std::shared_ptr<msi::Database> OpenDatabase(const std::string&, int) override {
    return nullptr;
  }
  std::shared_ptr<msi::Session> OpenPackage(std::shared_ptr<msi::Database>, int) override {
    return nullptr;
  }
  std::shared_ptr<msi::Session> OpenPackage(const std::string&, int) override { return nullptr; }
  std::shared_ptr<msi::Record> LastErrorRecord() override { return lastError; }

  std::shared_ptr<msi::Record> lastError;
};

}  // namespace qv::test
