#pragma once
// Windows paths over the host file system, through the machine's drive table.

#include <string>
#include <vector>

#include "platform/base/status.h"
#include "platform/fs/folder_listing.h"
#include "platform/machine/machine.h"

namespace qv::fs {

/// The host path a Windows path ("C:\dir\file", drive-relative forms excluded) or a host path
/// (starting with '/', used as it is) stands for. Components that exist are matched exactly,
/// then without regard to case; missing trailing components are kept as written. NotFound for
/// a drive the machine does not have, InvalidArgument for a path of neither form.
Status HostPathOf(const Machine& machine, const std::string& path, std::string* hostPath);

/// The same on the current machine.
Status HostPathOf(const std::string& path, std::string* hostPath);

/// A path taken apart for walking: its root as written and its components.
struct PathParts {
  bool isHostPath = false;
  /// The root as written: "C:\", "c:/", "\\server\share\", "\\?\C:\", or "/" for a host path.
  std::string prefix;
  /// The host folder the root stands for ("/" for a host path).
  std::string hostRoot;
  /// The components, without empty ones and "."; ".." removes the one before it (never the
  /// root), as Windows normalizes a full path.
  std::vector<std::string> components;
  /// The path ended with a separator ("C:\dir\").
  bool trailingSeparator = false;
};

/// Takes a Windows path (separators '\' or '/') or a host path apart. Network paths
/// (\\server\share) are mapped only where a Wine prefix maps them (dosdevices/unc/server/share);
/// otherwise NotSupported. NotFound for an unmapped drive; InvalidArgument for other forms.
Status SplitPath(const Machine& machine, const std::string& path, PathParts* parts);

/// How far a path exists: the entries of its leading existing components.
struct WalkedPath {
  std::vector<FolderEntry> found;  ///< one per existing leading component, in order
  std::string hostPath;            ///< host path of the last existing component (or the root)
  bool complete = false;           ///< every component exists
  bool rootExists = false;         ///< the root's host folder exists
};

/// Walks the components: exact name first, then (Windows paths only) without regard to case,
/// then the short name, as Windows resolves a path.
WalkedPath WalkPath(const PathParts& parts);

/// host folder + "/" + name, without doubling the '/' of the root.
std::string JoinHostPath(const std::string& folder, const std::string& name);

}  // namespace qv::fs
