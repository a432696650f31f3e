#pragma once
// Windows paths over the host file system, through the machine's drive table.

#include <string>

#include "platform/machine.h"
#include "platform/status.h"

namespace qv::fs {

/// The host path a Windows path ("C:\dir\file", drive-relative forms excluded) or a host path
/// (starting with '/', used as it is) stands for. Components that exist are matched exactly,
/// then without regard to case; missing trailing components are kept as written. NotFound for
/// a drive the machine does not have, InvalidArgument for a path of neither form.
Status HostPathOf(const Machine& machine, const std::string& path, std::string* hostPath);

/// The same on the current machine.
Status HostPathOf(const std::string& path, std::string* hostPath);

}  // namespace qv::fs
