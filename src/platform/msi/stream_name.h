#pragma once
// The compressed stream names of installer databases.

#include <string>

namespace qv::msi {

/// A decoded stream name: the text, and whether it named a table (the 0x4840 prefix).
struct DecodedStreamName {
  std::string name;  ///< UTF-8
  bool isTable = false;
};

/// Decodes a stored UTF-16 stream name; characters outside the compressed ranges stay as
/// they are (so "\x05SummaryInformation" decodes to itself).
DecodedStreamName DecodeStreamName(const std::u16string& stored);

/// Compresses a name as the installer stores it; isTable adds the table prefix.
std::u16string EncodeStreamName(const std::string& name, bool isTable);

}  // namespace qv::msi
