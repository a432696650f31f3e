#include "platform/base/status.h"

namespace qv {

std::string Status::ToString() const {
  const char* category = "OK";
  switch (m_code) {
    case Code::kOk:
      return "OK";
    case Code::kNotFound:
      category = "Not found";
      break;
    case Code::kCorruption:
      category = "Corruption";
      break;
    case Code::kNotSupported:
      category = "Not supported";
      break;
    case Code::kInvalidArgument:
      category = "Invalid argument";
      break;
    case Code::kIOError:
      category = "IO error";
      break;
    case Code::kBusy:
      category = "Busy";
      break;
    case Code::kPermissionDenied:
      category = "Permission denied";
      break;
  }
  return std::string(category) + ": " + m_message;
}

}  // namespace qv
