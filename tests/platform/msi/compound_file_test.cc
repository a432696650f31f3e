#include "platform/msi/compound_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "support/le_bytes.h"

namespace qv::msi {
namespace {

constexpr uint32_t kEnd = 0xFFFFFFFE;
constexpr uint32_t kFree = 0xFFFFFFFF;

using test::PutLe;

// A version 3 file: sector 0 the FAT, sector 1 the directory, sectors 2..9 one 4096-byte
// stream "Data" (too large for the mini stream), sector 10 the mini stream holding "Tiny",
// sector 11 the mini FAT.
class TinyCompoundFile {
 public:
  TinyCompoundFile() : bytes(512 * 13, '\0') {
    std::memcpy(bytes.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    // Minor version, version 3, byte order, sector shift 9, mini sector shift 6.
    const uint16_t versions[] = {0x3E, 3, 0xFFFE, 9, 6};
    for (int i = 0; i < 5; ++i) PutLe(&bytes, 0x18 + 2 * i, versions[i], 2);
    // 1 FAT sector, directory at 1, mini cutoff 4096, mini FAT at 11 (1 sector), no DIFAT.
    const std::pair<size_t, uint32_t> fields[] = {{0x2C, 1},  {0x30, 1}, {0x38, 4096},
                                                  {0x3C, 11}, {0x40, 1}, {0x44, kEnd}};
    for (const auto& [at, v] : fields) PutLe(&bytes, at, v);
    for (int i = 0; i < 109; ++i) PutLe(&bytes, 0x4C + 4 * i, i == 0 ? 0 : kFree);
    for (uint32_t i = 0; i < 128; ++i) {
      SetFat(i, i >= 2 && i < 9 ? i + 1 : kFree);
      PutLe(&bytes, Sector(11) + 4 * i, i == 0 ? kEnd : kFree);
    }
    SetFat(0, 0xFFFFFFFD);
    for (uint32_t s : {1u, 9u, 10u, 11u}) SetFat(s, kEnd);
    Entry(0, u"Root Entry", 5, 10, 64);
    PutLe(&bytes, Sector(1) + 76, 1);  // root's child
    Entry(1, u"Data", 2, 2, 4096);
    PutLe(&bytes, Sector(1) + 128 + 72, 2);  // right sibling
    Entry(2, u"Tiny", 2, 0, 5);
    for (size_t i = 0; i < 4096; ++i) bytes[Sector(2) + i] = static_cast<char>('a' + i % 26);
    std::memcpy(bytes.data() + Sector(10), "small", 5);
  }
  static size_t Sector(uint32_t n) { return (n + 1) * 512; }
  void SetFat(uint32_t index, uint32_t next) { PutLe(&bytes, Sector(0) + 4 * index, next); }
  void Entry(int index, const std::u16string& name, uint8_t type, uint32_t start, uint32_t size) {
    const size_t at = Sector(1) + 128 * index;
    for (size_t i = 0; i < name.size(); ++i) PutLe(&bytes, at + 2 * i, name[i], 2);
    PutLe(&bytes, at + 64, static_cast<uint16_t>(2 * name.size() + 2), 2);
    bytes[at + 66] = static_cast<char>(type);
    for (int link : {68, 72, 76}) PutLe(&bytes, at + link, kFree);
    PutLe(&bytes, at + 116, start);
    PutLe(&bytes, at + 120, size);
  }

  std::string bytes;
};

struct Damage {
  const char* what;
  void (*apply)(TinyCompoundFile*);
  bool failsOnOpen;
  const char* message;
};

// Regular and mini streams, FAT sectors listed in the DIFAT, and sibling loops; damage is
// reported without reading past the file.
TEST(CompoundFileTest, ReadsStreamsAndReportsDamageWithoutReadingPastTheFile) {
  TinyCompoundFile f;
  CompoundFile file;
  ASSERT_TRUE(file.Open(f.bytes).ok());
  ASSERT_EQ(file.Children(0), (std::vector<uint32_t>{1, 2}));
  std::string data;
  ASSERT_TRUE(file.ReadStream(1, &data).ok());
  ASSERT_EQ(data.size(), 4096u);
  EXPECT_EQ(data.substr(0, 4), "abcd");
  ASSERT_TRUE(file.ReadStream(2, &data).ok());
  EXPECT_EQ(data, "small");
  // A small stream may fill the mini stream to its last byte.
  PutLe(&f.bytes, TinyCompoundFile::Sector(1) + 256 + 120, 64);
  ASSERT_TRUE(file.Open(f.bytes).ok());
  ASSERT_TRUE(file.ReadStream(2, &data).ok());
  EXPECT_EQ(data.size(), 64u) << "a mini stream filled to its last byte";
  // 110 FAT sectors: the real one (0) and empty ones, 13..120 listed in the header and 122 in
  // the DIFAT sector 121.
  f.bytes.resize(512 * 124, '\xFF');
  PutLe(&f.bytes, 0x2C, 110);
  for (uint32_t i = 1; i < 109; ++i) PutLe(&f.bytes, 0x4C + 4 * i, 12 + i);
  PutLe(&f.bytes, 0x44, 121);
  PutLe(&f.bytes, TinyCompoundFile::Sector(121), 122);
  PutLe(&f.bytes, TinyCompoundFile::Sector(121) + 508, kEnd);
  ASSERT_TRUE(file.Open(f.bytes).ok());
  ASSERT_TRUE(file.ReadStream(1, &data).ok());
  EXPECT_EQ(data.substr(0, 4), "abcd") << "FAT sectors found through the DIFAT";
  PutLe(&f.bytes, TinyCompoundFile::Sector(1) + 256 + 68, 1);  // Tiny's left points back
  PutLe(&f.bytes, TinyCompoundFile::Sector(1) + 128 + 68, 2);  // Data's left points to Tiny
  ASSERT_TRUE(file.Open(f.bytes).ok());
  EXPECT_EQ(file.Children(0).size(), 2u) << "sibling loops do not hang";

  const Damage cases[] = {
      {"cut short", [](TinyCompoundFile* f) { f->bytes.resize(100); }, true,
       "compound file, byte 100: file shorter than its header"},
      {"bad signature", [](TinyCompoundFile* f) { f->bytes[0] = 'X'; }, true,
       "compound file, byte 0: not a compound file"},
      {"bad version", [](TinyCompoundFile* f) { PutLe(&f->bytes, 0x1A, 4, 2); }, true,
       "compound file, byte 26: unsupported version 4 with sector shift 9"},
      {"FAT sector past the end", [](TinyCompoundFile* f) { PutLe(&f->bytes, 0x4C, 5000); }, true,
       "compound file, byte 76: FAT sector 5000 past the end of the file"},
      {"too many FAT sectors", [](TinyCompoundFile* f) { PutLe(&f->bytes, 0x2C, 400); }, true,
       "compound file, byte 44: more FAT sectors than the file holds"},
      {"directory loop", [](TinyCompoundFile* f) { f->SetFat(1, 1); }, true,
       "compound file, byte 48: directory chain loops"},
      {"directory past the end", [](TinyCompoundFile* f) { PutLe(&f->bytes, 0x30, 77); }, true,
       "compound file, byte 48: directory chain broken at sector 77"},
      {"cyclic stream chain", [](TinyCompoundFile* f) { f->SetFat(5, 3); }, false,
       "compound file, byte 0: stream: chain loops at sector 3"},
      {"chain past the end", [](TinyCompoundFile* f) { f->SetFat(4, 1000); }, false,
       "compound file, byte 0: stream: chain ends at sector 1000 after 1536 of 4096 bytes"},
      {"consecutive sectors past the end",
       [](TinyCompoundFile* f) {
         PutLe(&f->bytes, TinyCompoundFile::Sector(1) + 128 + 116, 9);
         for (uint32_t s = 9; s < 16; ++s) f->SetFat(s, s + 1);
       },
       false, "compound file, byte 0: stream: chain ends at sector 12 after 1536 of 4096 bytes"},
      {"size larger than the file",
       [](TinyCompoundFile* f) {
         PutLe(&f->bytes, TinyCompoundFile::Sector(1) + 128 + 120, 0x7FFFFFFF);
       },
       false, "compound file, byte 0: stream of 2147483647 bytes is larger than the file"},
      {"mini stream size larger than the file",
       [](TinyCompoundFile* f) { PutLe(&f->bytes, TinyCompoundFile::Sector(1) + 120, 0x40000000); },
       true, "compound file, byte 0: mini stream of 1073741824 bytes is larger than the file"},
      {"cyclic mini chain",
       [](TinyCompoundFile* f) {
         PutLe(&f->bytes, TinyCompoundFile::Sector(11), 0);
         PutLe(&f->bytes, TinyCompoundFile::Sector(1) + 256 + 120, 100);
       },
       false, "compound file, byte 0: stream of 100 bytes is larger than the mini stream"},
  };
  for (const Damage& d : cases) {
    TinyCompoundFile broken;
    d.apply(&broken);
    CompoundFile opened;
    const Status open = opened.Open(broken.bytes);
    if (d.failsOnOpen) {
      EXPECT_EQ(open.message(), d.message) << d.what;
      continue;
    }
    ASSERT_TRUE(open.ok()) << d.what << ": " << open.message();
    std::string scratch;
    std::string_view view;
    Status read = opened.ReadStream(1, &data);
    // Viewing a stream in place fails as reading it does.
    EXPECT_EQ(opened.StreamView(1, &scratch, &view).message(), read.message()) << d.what;
    if (read.ok()) read = opened.ReadStream(2, &data);
    EXPECT_EQ(read.message(), d.message) << d.what;
  }
}

}  // namespace
}  // namespace qv::msi
