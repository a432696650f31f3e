#include "details/log_lines.h"

#include <algorithm>
#include <cstdint>

#include "platform/ui/ui.h"
#include "services/file_functions.h"
#include "services/text_files.h"

namespace qv {
namespace {

// Bytes asked of the source at a time: a log's first lines fit in one chunk.
constexpr size_t kChunkBytes = 16 * 1024;

constexpr uint16_t kCr = 0x0D;
constexpr uint16_t kLf = 0x0A;

// The file number the file list reads its files as, named in its messages.
constexpr const char* kListedFileNo = " 2";

}  // namespace

LogLineReader::LogLineReader(ByteSource source, bool unicode)
    : m_source(std::move(source)), m_unicode(unicode) {}

bool LogLineReader::Fill() {
  if (m_sourceDone) return false;
  m_buffer.erase(0, m_position);
  m_position = 0;
  const size_t had = m_buffer.size();
  m_buffer.resize(had + kChunkBytes);
  size_t got = 0;
  if (!m_source(m_buffer.data() + had, kChunkBytes, &got).ok()) got = 0;
  m_buffer.resize(had + got);
  if (got == 0) m_sourceDone = true;
  return got > 0;
}

std::string LogLineReader::Decode(const std::string& bytes) const {
  return m_unicode ? Utf16LeToUtf8(bytes) : AnsiToUtf8(bytes);
}

bool LogLineReader::AtEnd() {
  const size_t unit = m_unicode ? 2 : 1;
  while (m_buffer.size() - m_position < unit) {
    if (!Fill()) break;
  }
  if (!m_started) {
    // A byte-order mark is no part of the first line.
    while (m_buffer.size() - m_position < 3 && Fill()) {
    }
    const std::string_view head(m_buffer.data() + m_position, m_buffer.size() - m_position);
    if (m_unicode && head.starts_with("\xFF\xFE")) m_position += 2;
    if (!m_unicode && head.starts_with("\xEF\xBB\xBF")) m_position += 3;
    m_started = true;
    return AtEnd();
  }
  return m_buffer.size() - m_position < unit;
}

bool LogLineReader::Next(std::string* line) {
  line->clear();
  if (AtEnd()) return false;
  const size_t unit = m_unicode ? 2 : 1;
  auto codeAt = [&](size_t i) -> uint16_t {
    const auto* b = reinterpret_cast<const unsigned char*>(m_buffer.data());
    return m_unicode ? static_cast<uint16_t>(b[i] | (b[i + 1] << 8)) : b[i];
  };
  size_t scan = m_position;  // offset from which no line end has been found yet
  bool cut = false;
  for (;;) {
    // The line is looked at up to its bound only, so where it is cut does not depend on how
    // the bytes arrived.
    const size_t limit = std::min(m_buffer.size(), m_position + kMaxLineBytes);
    while (scan + unit <= limit) {
      const uint16_t c = codeAt(scan);
      if (c == kCr || c == kLf) break;
      scan += unit;
    }
    if (scan + unit <= limit) break;  // a line end at scan
    if (scan - m_position >= kMaxLineBytes) {
      cut = true;
      break;
    }
    const size_t offset = scan - m_position;
    if (!Fill()) {
      scan = m_position + offset;
      break;  // the last line, without an end
    }
    scan = m_position + offset;
  }
  const size_t end = cut ? m_position + kMaxLineBytes : scan;
  *line = Decode(m_buffer.substr(m_position, end - m_position));
  m_position = end;
  // Drop what is left of a cut line, then the line end (CR LF as one).
  for (;;) {
    while (m_position + unit <= m_buffer.size()) {
      const uint16_t c = codeAt(m_position);
      if (c == kCr || c == kLf) break;
      m_position += unit;
    }
    if (m_position + unit <= m_buffer.size() || !Fill()) break;
  }
  if (m_position + unit <= m_buffer.size()) {
    const bool cr = codeAt(m_position) == kCr;
    m_position += unit;
    while (cr && m_position + unit > m_buffer.size() && Fill()) {
    }
    if (cr && m_position + unit <= m_buffer.size() && codeAt(m_position) == kLf) {
      m_position += unit;
    }
  }
  return true;
}

Status LogFile::Open(const std::string& path) {
  m_reader.reset();
  const std::string host = HostFormOf(path);
  if (host.empty()) return Status::NotFound(path + ": no such file");
  Status s = host::HostFile::Open(host, host::OpenMode::kRead, &m_file);
  if (!s.ok()) return s;
  host::HostFile* file = &m_file;
  m_reader = std::make_unique<LogLineReader>(
      [file](char* buffer, size_t size, size_t* got) { return file->Read(buffer, size, got); },
      IsUnicodeFile(path) != 0);
  return Status::Ok();
}

bool OpenListedFile(const std::string& path, LogFile* file) {
  const Status s = file->Open(path);
  if (s.ok()) return true;
  ui::Answer answer;
  if (s.code() == Status::Code::kNotFound) {
    answer = ui::ShowMessage("File " + path + "\r\nPress YES to End",
                             "Error - File to be opened for reading does not exist.",
                             ui::Buttons::kYesNo);
  } else {
    answer = ui::ShowMessage(
        std::string("Could not open FileObject") + kListedFileNo + " for Write\r\nPress YES to End",
        "Error when trying to OpenFile " + path, ui::Buttons::kYesNo);
  }
  if (answer == ui::Answer::kYes) ui::EndProgram();
  return false;
}

}  // namespace qv
