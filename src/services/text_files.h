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

/// One numbered file: free while Ntype is 0.
struct FileTableEntry {
  std::unique_ptr<TextStream> stream;  ///< the open file, or null
  int32_t Ntype = 0;                   ///< 1 read, 2/3 write, 4 write Unicode, 8 append
  std::string FilePath;                ///< as the caller gave it; "" when not open
  bool unicode = false;                ///< read or written as UTF-16LE
};

/// The entry of a file number (for inspection); null outside 0..100.
const FileTableEntry* FileTable(int32_t FileNo);

/// Opens FilePath as number FileNo with type Ntype: 0 opened, 1 file to read does not exist,
/// 3 empty path, 4 cannot be opened. A number outside 0..100 or an invalid type shows its
/// message and ends the program (then 4 is returned at once). Messages of the other failures
/// appear only when show is true; their Yes ends the program.
int32_t OpenFFile(const std::string& FilePath, int32_t FileNo, int32_t Ntype, bool show);
/// Reads the next line (a line feed at its start removed): 0 read, 2 end of file (line ""),
/// 1 the number is not open for reading.
int32_t ReadFFileLine(int32_t FileNo, std::string* line);
/// True at the end of a file open for reading, and for any number not open for reading.
bool EofFFile(int32_t FileNo);
/// Writes text and CR LF to a file open for writing: 0 written, 1 not open for writing or
/// the write failed.
int32_t WriteFFileLine(int32_t FileNo, const std::string& text);
/// Closes the file and frees its number: 0 closed; 999 when there was nothing to close
/// (after a Yes/No question whose Yes ends the program).
int32_t CloseFFile(int32_t FileNo);

/// UTF-16LE bytes (a leading byte-order mark skipped) as UTF-8; a dangling last byte is
/// dropped and unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(const std::string& bytes);
/// UTF-8 text as UTF-16LE bytes without a byte-order mark.
std::string Utf8ToUtf16Le(const std::string& text);
/// ANSI bytes as UTF-8: kept when they are valid UTF-8 (a UTF-8 mark dropped), else read as
/// Windows-1252.
std::string AnsiToUtf8(const std::string& bytes);

}  // namespace qv
