#include "platform/msi/msi_functions.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/msi/engine_installer.h"
#include "platform/pending_error.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::msi {
namespace {

// Another process holding a write lock on a file, as an application that has it open.
class LockingProcess {
 public:
  explicit LockingProcess(const std::string& path) {
    int ready[2], release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      close(ready[0]);
      close(release[1]);
      const int fd = open(path.c_str(), O_RDWR);
      struct flock lock {};
      lock.l_type = F_WRLCK;
      lock.l_whence = SEEK_SET;
      const char ok = (fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0) ? 'y' : 'n';
      (void)!write(ready[1], &ok, 1);
      char c;
      (void)!read(release[0], &c, 1);  // returns when the parent closes its end
      _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    m_release = release[1];
    char ok = 'n';
    m_locked = read(ready[0], &ok, 1) == 1 && ok == 'y';
    close(ready[0]);
  }
  ~LockingProcess() {
    if (m_release >= 0) close(m_release);
    if (m_pid > 0) waitpid(m_pid, nullptr, 0);
  }
  bool locked() const { return m_locked; }

 private:
  pid_t m_pid = -1;
  int m_release = -1;
  bool m_locked = false;
};

TEST(MsiFunctionsTest, PackageLockedByAnotherProcessCannotBeOpened) {
  test::TempDir dir;
  QV_FIXTURE_OR_SKIP(path, dir, "basic");
  EXPECT_EQ(MsiVerifyPackageA(path), 0u);
  {
    LockingProcess holder(path);
    ASSERT_TRUE(holder.locked());
    EXPECT_EQ(MsiVerifyPackageA(path), 1619u);
    auto installer = MakeEngineInstaller();
    ClearPendingError();
    EXPECT_FALSE(installer->OpenDatabase(path, 0));
    EXPECT_EQ(PendingError().description, "OpenDatabase,DatabasePath,OpenMode");
    auto record = installer->LastErrorRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->FormatText(), "1: 2203 2: " + path + " 3: -2147287008 ");
    ClearPendingError();
  }
  EXPECT_EQ(MsiVerifyPackageA(path), 0u);
}

TEST(MsiFunctionsTest, PatchesAndModulesAreVerifiedByTheirRootClass) {
  test::TempDir dir;
  QV_FIXTURE_OR_SKIP(module, dir, "module");
  EXPECT_EQ(MsiVerifyPackageA(module), 0u);
  const std::string patch = test::BuildFixture(dir, "patch");
  EXPECT_EQ(MsiVerifyPackageA(patch), 1620u);
}

}  // namespace
}  // namespace qv::msi
