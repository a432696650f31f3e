#pragma once
// Errors inside the platform travel as values: a category and a message that says where.

#include <string>
#include <utility>

namespace qv {

/// The result of a platform operation: ok, or a category with a message naming the place
/// ("stream _StringPool, byte 12: ...", "system.reg:14: expected ']'"). A caller that has no
/// use for a result says so with IgnoreError(), so that no failure is dropped unnoticed.
class [[nodiscard]] Status {
 public:
  enum class Code {
    kOk,
    kNotFound,
    kCorruption,
    kNotSupported,
    kInvalidArgument,
    kIOError,
    kBusy,
    kPermissionDenied
  };

  Status() = default;
  /// Success.
  static Status Ok() { return Status(); }
  /// The thing asked for does not exist.
  static Status NotFound(std::string msg) { return Status(Code::kNotFound, std::move(msg)); }
  /// Data that breaks its format.
  static Status Corruption(std::string msg) { return Status(Code::kCorruption, std::move(msg)); }
  /// Valid data that this implementation does not handle.
  static Status NotSupported(std::string msg) {
    return Status(Code::kNotSupported, std::move(msg));
  }
  /// A caller's argument that cannot be used.
  static Status InvalidArgument(std::string msg) {
    return Status(Code::kInvalidArgument, std::move(msg));
  }
  /// A failure of the host file system.
  static Status IOError(std::string msg) { return Status(Code::kIOError, std::move(msg)); }
  /// A resource held by another process (a locked file).
  static Status Busy(std::string msg) { return Status(Code::kBusy, std::move(msg)); }
  /// The host refused access (file permissions).
  static Status PermissionDenied(std::string msg) {
    return Status(Code::kPermissionDenied, std::move(msg));
  }

  bool ok() const { return m_code == Code::kOk; }
  Code code() const { return m_code; }
  const std::string& message() const { return m_message; }
  /// Category and message as one line, for logs and command-line errors.
  std::string ToString() const;
  /// Drops the result on purpose: the caller goes on the same way whether it failed or not.
  void IgnoreError() const {}

 private:
  Status(Code code, std::string msg) : m_code(code), m_message(std::move(msg)) {}
  Code m_code = Code::kOk;
  std::string m_message;
};

}  // namespace qv
