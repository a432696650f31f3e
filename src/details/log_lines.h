#pragma once
// Lines of a text file read from its start, as far as the caller needs them: installer logs run
// to many megabytes, and the file list reads only their first lines. Logs are written in
// UTF-16LE (Unicode) or in the ANSI code page; both come back as UTF-8 lines.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "platform/base/status.h"
#include "platform/host/host_file.h"

namespace qv {

/// Reads lines from a source of bytes, a chunk at a time. A line ends at CR LF, CR or LF (a
/// CR LF pair is one end); the last line needs no end. Unicode text is UTF-16LE (a leading
/// byte-order mark skipped; unpaired surrogates become U+FFFD); ANSI text is UTF-8 when the
/// line is valid UTF-8 (a leading UTF-8 mark skipped), else Windows-1252. A line longer than
/// kMaxLineBytes source bytes is cut there and the rest of it skipped, so memory stays bounded.
class LogLineReader {
 public:
  /// Source bytes one line may hold before it is cut: 1 MiB.
  static constexpr size_t kMaxLineBytes = 1 << 20;
  /// Fills buffer with up to size bytes; sets *got (0 at the end). A failure ends the lines
  /// as the end of the file would.
  using ByteSource = std::function<Status(char* buffer, size_t size, size_t* got)>;

  /// Reads from source, decoding as Unicode (UTF-16LE) or ANSI.
  LogLineReader(ByteSource source, bool unicode);

  /// The next line into *line (UTF-8, without its end); false at the end of the text.
  bool Next(std::string* line);
  /// True when no line is left.
  bool AtEnd();

 private:
  bool Fill();
  std::string Decode(const std::string& bytes) const;

  ByteSource m_source;
  bool m_unicode;
  std::string m_buffer;  // bytes read and not yet made into lines
  size_t m_position = 0;
  bool m_sourceDone = false;
  bool m_started = false;  // the byte-order mark has been looked for
};

/// A text file opened for its lines: Unicode when IsUnicodeFile says so, else ANSI.
class LogFile {
 public:
  /// Opens path (a Windows path of the current machine or a host path); the failure is worded
  /// as the host layer words it (no such file, not a regular file, permission denied).
  Status Open(const std::string& path);
  /// The lines; valid while this object lives and after a successful Open.
  LogLineReader& lines() { return *m_reader; }

 private:
  host::HostFile m_file;
  std::unique_ptr<LogLineReader> m_reader;
};

/// Opens path into *file for the file list, with the numbered text files' messages (file number
/// 2): a missing file asks "File <path>" / "Press YES to End", one that cannot be opened "Could
/// not open FileObject 2 for Write" / "Press YES to End"; Yes ends the program. False after a
/// failure.
bool OpenListedFile(const std::string& path, LogFile* file);

}  // namespace qv
