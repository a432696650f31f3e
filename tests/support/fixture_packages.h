#pragma once
// Installer packages for tests, built at test time from the text sources in tests/data/msi
// with msitools (msibuild for IDT folders, wixl for WiX sources).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace qv::test {

/// True when msibuild, wixl and msiinfo can be run.
bool MsiToolsAvailable();

/// Builds a named fixture into dir and returns the package's path; "" (with a test failure
/// recorded) when the build fails. Names: the folders of tests/data/msi ("basic", "cyrillic",
/// "japanese", "module", "wix_product") and the generated "many_strings" (over 65,535
/// strings), "long_string" (a value over 65,535 bytes), "patch" (basic with the patch
/// root CLSID, as .msp) and "transform" (the tables of tests/data/msi/transform with the
/// transform root CLSID, as .mst; msitools make no transforms, and read this one as msiinfo
/// reads any transform: its tables as they are stored).
std::string BuildFixture(const TempDir& dir, const std::string& name);

/// Every fixture name BuildFixture knows.
std::vector<std::string> FixtureNames();

/// Runs a shell command; returns its standard output, and its exit status in *status.
std::string RunCommand(const std::string& command, int* status = nullptr);

/// Quotes a text for the shell.
std::string ShellQuote(const std::string& text);

}  // namespace qv::test

/// Declares `var` as the fixture's path, or skips the test when msitools are missing.
#define QV_FIXTURE_OR_SKIP(var, dir, name)                                  \
  if (!::qv::test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing"; \
  const std::string var = ::qv::test::BuildFixture(dir, name);              \
  ASSERT_FALSE(var.empty())
