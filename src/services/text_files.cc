#include "services/text_files.h"

#include <unicode/unistr.h>

#include <array>
#include <cstdint>

#include "platform/base/little_endian.h"
#include "platform/host/host_file.h"
#include "platform/host/whole_file.h"
#include "platform/ui/ui.h"
#include "services/file_functions.h"
#include "services/path_text.h"

namespace qv {
namespace {

// The largest text file read at once (installer logs run to a few hundred MiB at most).
constexpr uint64_t kMaxTextFileBytes = uint64_t{1} << 30;

}  // namespace

/// An open numbered file: the decoded text of a file being read, or the handle of one being
/// written.
class TextStream {
 public:
  /// Opens for reading; the whole file is decoded at once (logs are read start to end).
  static std::unique_ptr<TextStream> OpenForReading(const std::string& hostPath, bool unicode) {
    // Through the host layer: a FIFO or device named as a log is refused, never waited on.
    std::string bytes;
    if (!host::ReadHostFile(hostPath, kMaxTextFileBytes, &bytes).ok()) return nullptr;
    auto stream = std::unique_ptr<TextStream>(new TextStream());
    stream->m_text = unicode ? Utf16LeToUtf8(bytes) : AnsiToUtf8(bytes);
    stream->m_endsAtCr = stream->m_text.find('\r') != std::string::npos;
    return stream;
  }

  /// Opens for writing (append keeps the content); a Unicode file starts with its mark.
  static std::unique_ptr<TextStream> OpenForWriting(const std::string& hostPath, bool append,
                                                    bool unicode) {
    auto stream = std::unique_ptr<TextStream>(new TextStream());
    const host::OpenMode mode = append ? host::OpenMode::kAppend : host::OpenMode::kWrite;
    if (!host::HostFile::Open(hostPath, mode, &stream->m_file, 0666).ok()) return nullptr;
    stream->m_unicode = unicode;
    if (unicode && !stream->m_file.WriteAll("\xFF\xFE").ok()) return nullptr;
    return stream;
  }

  bool AtEnd() const { return m_position >= m_text.size(); }

  /// The next line without its end.
  std::string ReadLine() {
    size_t end = m_text.find(m_endsAtCr ? '\r' : '\n', m_position);
    if (end == std::string::npos) end = m_text.size();
    std::string line = m_text.substr(m_position, end - m_position);
    m_position = end + 1;
    if (m_endsAtCr && m_position < m_text.size() && m_text[m_position] == '\n' &&
        end < m_text.size()) {
      ++m_position;
    }
    return line;
  }

  bool WriteLine(const std::string& text) {
    if (!m_file.IsOpen()) return false;
    std::string bytes = m_unicode ? Utf8ToUtf16Le(text + "\r\n") : text + "\r\n";
    return m_file.WriteAll(bytes).ok();
  }

  /// Closes a written file; false when its data could not be written.
  bool Close() { return m_file.Close().ok(); }

 private:
  TextStream() = default;
  std::string m_text;
  size_t m_position = 0;
  bool m_endsAtCr = false;
  host::HostFile m_file;
  bool m_unicode = false;
};

namespace {

// Windows-1252 code points of 0x80..0x9F; the five bytes it leaves undefined map to
// themselves, as Windows converts them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::array<FileTableEntry, kLastFileNo + 1>& Table() {
  static std::array<FileTableEntry, kLastFileNo + 1> table;
  return table;
}

// A number as Visual Basic's Str writes it: a leading blank unless it is negative.
std::string Str(int32_t n) {
  return (n < 0 ? "" : " ") + std::to_string(n);
}

bool ValidUtf8(const std::string& bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    size_t length;
    uint32_t minimum;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      length = 2, minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3, minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      length = 4, minimum = 0x10000;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    uint32_t code = c & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::string Utf16ToUtf8(const std::u16string& units) {
  std::string out;
  icu::UnicodeString(false, units.data(), static_cast<int32_t>(units.size())).toUTF8String(out);
  return out;
}

// The folder part of a path: the text before its last separator.
std::string FolderPart(const std::string& path) {
  size_t last = path.rfind(SeparatorOf(path));
  return last == std::string::npos ? "" : path.substr(0, last);
}

bool InRange(int32_t FileNo) {
  return FileNo >= kFirstFileNo && FileNo <= kLastFileNo;
}

}  // namespace

std::string Utf16LeToUtf8(const std::string& bytes) {
  size_t start = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                         static_cast<unsigned char>(bytes[1]) == 0xFE
                     ? 2
                     : 0;
  std::u16string units;
  units.reserve((bytes.size() - start) / 2);
  for (size_t i = start; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(ReadLe16(bytes.data() + i)));
  }
  return Utf16ToUtf8(units);
}

std::string Utf8ToUtf16Le(const std::string& text) {
  icu::UnicodeString units = icu::UnicodeString::fromUTF8(text);
  std::string bytes;
  bytes.reserve(static_cast<size_t>(units.length()) * 2);
  for (int32_t i = 0; i < units.length(); ++i) {
    bytes.push_back(static_cast<char>(units[i] & 0xFF));
    bytes.push_back(static_cast<char>(units[i] >> 8));
  }
  return bytes;
}

std::string AnsiToUtf8(const std::string& bytes) {
  if (ValidUtf8(bytes)) return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
  std::u16string units;
  units.reserve(bytes.size());
  for (char c : bytes) {
    unsigned char u = static_cast<unsigned char>(c);
    units.push_back(u >= 0x80 && u <= 0x9F ? kCp1252High[u - 0x80] : static_cast<char16_t>(u));
  }
  return Utf16ToUtf8(units);
}

const FileTableEntry* FileTable(int32_t FileNo) {
  return InRange(FileNo) ? &Table()[static_cast<size_t>(FileNo)] : nullptr;
}

OpenFileResult OpenFFile(const std::string& FilePath, int32_t FileNo, FileOpenType Ntype,
                         bool show) {
  using enum FileOpenType;
  if (!InRange(FileNo)) {
    ui::ShowMessage("File Type < " + Str(kFirstFileNo) + " or > " + Str(kLastFileNo), "Error",
                    ui::Buttons::kOk);
    ui::EndProgram();
    return OpenFileResult::kFailed;
  }
  if (FilePath.empty()) {
    if (show) {
      ui::ShowMessage(Ntype == kRead ? "Trying to Read from a file with a blank name"
                                     : "Trying to Write/Append to a file with a blank name",
                      "Error", ui::Buttons::kOk);
    }
    return OpenFileResult::kBlankPath;
  }
  FileTableEntry& entry = Table()[static_cast<size_t>(FileNo)];
  entry.stream.reset();
  entry.Ntype = kFree;
  entry.FilePath.clear();
  entry.unicode = false;
  if (Ntype != kRead && Ntype != kWrite && Ntype != kWriteText && Ntype != kWriteUnicode &&
      Ntype != kAppend) {
    ui::ShowMessage("FilePath " + FilePath + " FileNo " + Str(FileNo) +
                        " Ntype=" + Str(static_cast<int32_t>(Ntype)),
                    "Error Invalid Ntype OpenFFile", ui::Buttons::kOk);
    ui::EndProgram();
    return OpenFileResult::kFailed;
  }
  if (Ntype == kRead) {
    if (ExistFile(FilePath) != 0) {
      if (show && ui::ShowMessage("File " + FilePath + "\r\nPress YES to End",
                                  "Error - File to be opened for reading does not exist.",
                                  ui::Buttons::kYesNo) == ui::Answer::kYes) {
        ui::EndProgram();
      }
      return OpenFileResult::kMissing;
    }
    entry.unicode = IsUnicodeFile(FilePath) != 0;
  }
  std::string folder = FolderPart(FilePath);
  if (!folder.empty() && ExistDir(folder) != 0) MakeFolderPath(folder);
  if (Ntype == kWrite || Ntype == kWriteText || Ntype == kWriteUnicode) {
    DeleteFileC(FilePath, "0");
  }
  if (Ntype == kWriteUnicode) entry.unicode = true;
  std::string host = HostFormOf(FilePath);
  if (!host.empty()) {
    entry.stream = Ntype == kRead
                       ? TextStream::OpenForReading(host, entry.unicode)
                       : TextStream::OpenForWriting(host, Ntype == kAppend, entry.unicode);
  }
  if (entry.stream) {
    entry.Ntype = Ntype;
    entry.FilePath = FilePath;
    return OpenFileResult::kOpened;
  }
  entry.unicode = false;
  if (show &&
      ui::ShowMessage("Could not open FileObject " + Str(FileNo) + " for Write\r\nPress YES to End",
                      "Error when trying to OpenFile " + FilePath,
                      ui::Buttons::kYesNo) == ui::Answer::kYes) {
    ui::EndProgram();
  }
  return OpenFileResult::kFailed;
}

ReadLineResult ReadFFileLine(int32_t FileNo, std::string* line) {
  line->clear();
  if (!InRange(FileNo)) return ReadLineResult::kNotOpen;
  FileTableEntry& entry = Table()[static_cast<size_t>(FileNo)];
  if (entry.Ntype != FileOpenType::kRead || !entry.stream) return ReadLineResult::kNotOpen;
  if (entry.stream->AtEnd()) return ReadLineResult::kEnd;
  *line = entry.stream->ReadLine();
  if (!line->empty() && (*line)[0] == '\n') line->erase(0, 1);
  return ReadLineResult::kRead;
}

bool EofFFile(int32_t FileNo) {
  const FileTableEntry* entry = FileTable(FileNo);
  if (entry == nullptr || entry->Ntype != FileOpenType::kRead || !entry->stream) return true;
  return entry->stream->AtEnd();
}

WriteLineResult WriteFFileLine(int32_t FileNo, const std::string& text) {
  if (!InRange(FileNo)) return WriteLineResult::kFailed;
  FileTableEntry& entry = Table()[static_cast<size_t>(FileNo)];
  const bool writing = entry.Ntype != FileOpenType::kFree && entry.Ntype != FileOpenType::kRead;
  if (!writing || !entry.stream) return WriteLineResult::kFailed;
  return entry.stream->WriteLine(text) ? WriteLineResult::kWritten : WriteLineResult::kFailed;
}

CloseFileResult CloseFFile(int32_t FileNo) {
  FileTableEntry* entry = InRange(FileNo) ? &Table()[static_cast<size_t>(FileNo)] : nullptr;
  bool closed = entry != nullptr && entry->stream && entry->stream->Close();
  if (entry != nullptr) {
    entry->stream.reset();
    entry->Ntype = FileOpenType::kFree;
  }
  if (closed) return CloseFileResult::kClosed;
  if (ui::ShowMessage("Trying to close File " + (entry ? entry->FilePath : std::string()) +
                          " Number" + Str(FileNo) + "\r\nPress YES to End",
                      "Error", ui::Buttons::kYesNo) == ui::Answer::kYes) {
    ui::EndProgram();
  }
  return CloseFileResult::kNothingOpen;
}

void CloseAllFFiles() {
  for (FileTableEntry& entry : Table()) {
    if (entry.stream) entry.stream->Close();
    entry = FileTableEntry();
  }
}

}  // namespace qv
