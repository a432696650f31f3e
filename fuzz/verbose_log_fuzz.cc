// Feeds arbitrary bytes to the log reader as ANSI and as Unicode text, in chunks of varying
// size: every line must stay within the line bound, and the identity read must not depend on
// how the bytes arrive.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "details/verbose_log.h"

namespace {

struct Result {
  bool found = false;
  std::string name, type, code;
  bool header = false;
};

Result Read(const std::string& bytes, bool unicode, size_t chunk) {
  auto source = [&bytes, chunk, position = size_t{0}](char* buffer, size_t size,
                                                      size_t* got) mutable {
    *got = std::min({size, chunk, bytes.size() - position});
    std::memcpy(buffer, bytes.data() + position, *got);
    position += *got;
    return qv::Status::Ok();
  };
  Result r;
  qv::LogLineReader lines(source, unicode);
  r.found = qv::ReadLogIdentity(lines, &r.name, &r.type, &r.code);
  std::string line;
  while (lines.Next(&line)) {
    // A cut line holds at most the bound's bytes, each at most three UTF-8 bytes long.
    if (line.size() > 3 * qv::LogLineReader::kMaxLineBytes) std::abort();
  }
  qv::LogLineReader first(source, unicode);
  r.header = qv::HasChangeFileHeader(first);
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (bool unicode : {false, true}) {
    const Result whole = Read(bytes, unicode, 1 << 16);
    const Result bits = Read(bytes, unicode, 7);
    if (whole.found != bits.found || whole.name != bits.name || whole.type != bits.type ||
        whole.code != bits.code) {
      std::abort();
    }
  }
  return 0;
}
