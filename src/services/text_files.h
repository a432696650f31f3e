#pragma once
// The numbered text files of module Common_Bas: files opened by number (0..100), read line by
// line and closed by number. Installer logs are read this way. Paths are Windows paths of the
// current machine or host paths starting with '/'.
//
// Reading: a Unicode file (IsUnicodeFile) is UTF-16LE, with or without its mark; other files
// are UTF-8 when they are valid UTF-8 (a UTF-8 mark is skipped), else Windows-1252. Lines are
// returned as UTF-8. In a file that holds carriage returns a line ends at CR (a CR LF pair is
// one end), as Windows text streams read; a file without any CR is split at LF.
// Writing: types 2, 3 and 8 write UTF-8, type 4 UTF-16LE with a byte-order mark; lines end in
// CR LF.

#include <cstdint>
#include <memory>
#include <string>

namespace qv {

class TextStream;

/// Lowest and highest file number of the table.
constexpr int32_t kFirstFileNo = 0;
constexpr int32_t kLastFileNo = 100;

/// How a numbered file is opened (its Ntype); the numbers are the callers' own.
enum class FileOpenType : int32_t {
  kFree = 0,          ///< the entry holds no open file
  kRead = 1,          ///< read an existing file
  kWrite = 2,         ///< write a new file (an existing one is deleted first)
  kWriteText = 3,     ///< the same as kWrite
  kWriteUnicode = 4,  ///< write a new file as UTF-16LE with a byte-order mark
  kAppend = 8,        ///< append to a file, created when missing
};

/// What OpenFFile did.
enum class OpenFileResult : int32_t { kOpened = 0, kMissing = 1, kBlankPath = 3, kFailed = 4 };
/// What ReadFFileLine did.
enum class ReadLineResult : int32_t { kRead = 0, kNotOpen = 1, kEnd = 2 };
/// What WriteFFileLine did.
enum class WriteLineResult : int32_t { kWritten = 0, kFailed = 1 };
/// What CloseFFile did.
enum class CloseFileResult : int32_t { kClosed = 0, kNothingOpen = 999 };

/// One numbered file: free while Ntype is kFree.
struct FileTableEntry {
  std::unique_ptr<TextStream> stream;        ///< the open file, or null
  FileOpenType Ntype = FileOpenType::kFree;  ///< how it was opened
  std::string FilePath;                      ///< as the caller gave it; "" when not open
  bool unicode = false;                      ///< read or written as UTF-16LE
};

/// The entry of a file number (for inspection); null outside 0..100.
const FileTableEntry* FileTable(int32_t FileNo);

/// Opens FilePath as number FileNo with type Ntype. kMissing: a file to read does not
/// exist; kBlankPath: FilePath is empty; kFailed: it cannot be opened. A number outside
/// 0..100 or an invalid type shows its message and ends the program (then kFailed is
/// returned at once). Messages of the other failures appear only when show is true; their
/// Yes ends the program.
OpenFileResult OpenFFile(const std::string& FilePath, int32_t FileNo, FileOpenType Ntype,
                         bool show);
/// Reads the next line (a line feed at its start removed); at the end of the file the line
/// is "" and the result kEnd.
ReadLineResult ReadFFileLine(int32_t FileNo, std::string* line);
/// True at the end of a file open for reading, and for any number not open for reading.
bool EofFFile(int32_t FileNo);
/// Writes text and CR LF to a file open for writing; kFailed when the number is not open for
/// writing or the write failed.
WriteLineResult WriteFFileLine(int32_t FileNo, const std::string& text);
/// Closes the file and frees its number; kNothingOpen when there was nothing to close (after
/// a Yes/No question whose Yes ends the program).
CloseFileResult CloseFFile(int32_t FileNo);
/// Closes every open numbered file without a question (the end of a program run).
void CloseAllFFiles();

/// UTF-16LE bytes (a leading byte-order mark skipped) as UTF-8; a dangling last byte is
/// dropped and unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(const std::string& bytes);
/// UTF-8 text as UTF-16LE bytes without a byte-order mark.
std::string Utf8ToUtf16Le(const std::string& text);
/// ANSI bytes as UTF-8: kept when they are valid UTF-8 (a UTF-8 mark dropped), else read as
/// Windows-1252.
std::string AnsiToUtf8(const std::string& bytes);

}  // namespace qv
