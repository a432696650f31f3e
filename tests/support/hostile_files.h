#pragma once
// Host files that are not regular files, as a user or an attacker may name them in place of a
// package, a hive or a store, and a way to call code on them that fails instead of hanging.

#include <functional>
#include <string>
#include <vector>

namespace qv::test {

/// The kinds of non-regular host file the platform must refuse.
enum class HostileKind { kFifo, kFolder, kSocket, kDevZero };

/// Every hostile kind, for tables.
const std::vector<HostileKind>& AllHostileKinds();
/// The kind's name in test output ("FIFO", "folder", "socket", "/dev/zero").
std::string NameOf(HostileKind kind);

/// Makes a file of the given kind at path: a FIFO without reader or writer, an empty folder, a
/// bound UNIX socket nobody accepts on, or a symbolic link to /dev/zero. False (with the
/// current test failed) when the system refuses.
bool MakeHostileFile(HostileKind kind, const std::string& path);

/// Runs call in a forked child process that an alarm ends after seconds, and returns the text
/// call returned; "<hung>" when the alarm ended the child (the call waited on the file), or
/// "<ended by signal N>" / "<exited with N>" when it did not return normally.
std::string CallBounded(const std::function<std::string()>& call, unsigned seconds = 10);

}  // namespace qv::test
