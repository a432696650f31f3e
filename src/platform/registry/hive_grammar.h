#pragma once
// The line grammar of hive files: the header, key lines and value lines of Wine's registry
// files and of regedit exports. Both the lazy text hive and the full reader parse with it, so
// they agree on every line.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/registry/value.h"

namespace qv::registry {

/// The formats a hive file can have.
enum class HiveFormat { kWine, kRegedit5, kRegedit4 };

/// The line without blanks and tabs at either end or a carriage return at its end.
std::string_view TrimLine(std::string_view line);

/// The format a header line names; false when it is no hive header.
bool FormatOfHeader(std::string_view line, HiveFormat* format);

/// Reads a key line ("[path] stamp" in Wine files, "[path]" in exports) into *path, without
/// leading or trailing '\'. False with *error set when the line breaks the grammar.
bool ParseKeyLine(std::string_view line, HiveFormat format, std::string* path, std::string* error);

/// Reads the name of a value line ("name"=data or @=data) into *name and sets *data to the
/// text after '=' and its blanks. False with *error set when the line breaks the grammar.
bool ParseValueName(std::string_view line, HiveFormat format, std::string* name,
                    std::string_view* data, std::string* error);

/// True when value data goes on over the next line (hex data ending with '\').
bool DataContinues(std::string_view data);

/// Reads value data (continuation lines already joined) into *value. False with *error set
/// when the data breaks the grammar.
bool ParseValueData(std::string_view data, HiveFormat format, Value* value, std::string* error);

/// Reads text up to the unescaped delimiter into *out, *pos just past the delimiter. Wine
/// files escape \\ \" \a \b \e \f \n \r \t \v, octal \N..\NNN and \xNNNN (UTF-16 units);
/// exports only \\ and \"; REGEDIT4 files nothing. False with *error set when it breaks.
bool ParseEscaped(std::string_view line, HiveFormat format, std::size_t* pos, char delimiter,
                  std::string* out, std::string* error);

}  // namespace qv::registry
