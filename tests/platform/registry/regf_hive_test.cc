#include "platform/registry/regf_hive.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include "platform/base/ascii_case.h"
#include "platform/base/little_endian.h"
#include "platform/registry/hive.h"
#include "platform/registry/hive_reader.h"
#include "support/data_rows.h"
#include "support/le_bytes.h"
#include "support/locking_child.h"
#include "support/regf_writer.h"
#include "support/temp_dir.h"
#include "support/windows_installation.h"

namespace qv::registry {
namespace {

using test::RegfLayout;
using test::RegfWriter;
using test::SubkeyList;

std::shared_ptr<const RegfHive> OpenOrFail(const std::string& path) {
  std::shared_ptr<const RegfHive> hive;
  Status s = RegfHive::Open(path, &hive);
  EXPECT_TRUE(s.ok()) << s.ToString();
  return hive;
}

TEST(RegfHiveTest, OpensWhatItCanReadAndSaysWhyNot) {
  test::TempDir dir;
  const std::string path = dir.Sub("SOFTWARE");
  // Every kind of value and name the machine's hives hold, written through libhivex.
  const std::string content = test::DataFile("registry/value_kinds.reg");
  test::WriteHiveThroughHivex(path, content);
  Hive expected;
  ASSERT_TRUE(ParseHive(content, "content", &expected, nullptr).ok());
  std::shared_ptr<const RegfHive> hive = OpenOrFail(path);
  ASSERT_TRUE(hive);
  EXPECT_FALSE(hive->header().dirty());
  EXPECT_FALSE(hive->recovered());
  for (const auto& [folded, key] : expected.keys()) {
    EXPECT_TRUE(hive->KeyExists(folded)) << key.path;
    EXPECT_EQ(hive->Values(key.path), expected.Values(key.path)) << key.path;
    EXPECT_EQ(hive->SubkeyNames(folded), expected.SubkeyNames(key.path)) << key.path;
  }
  EXPECT_EQ(hive->SubkeyNames(""), (std::vector<std::string>{"Classes", "Microsoft"}));
  Value v;
  ASSERT_TRUE(hive->ReadValue("MICROSOFT\\windows\\currentversion\\ключ", "Ü", &v));
  EXPECT_EQ(v, Value::Text("Grüße"));
  EXPECT_FALSE(hive->ReadValue("Microsoft\\Windows\\CurrentVersion", "Missing", &v));
  EXPECT_FALSE(hive->ReadValue("Microsoft\\Missing", "", &v));
  EXPECT_FALSE(hive->KeyExists("Microsoft\\Windows\\CurrentVersion\\Alpha\\Missing"));
  EXPECT_TRUE(hive->KeyExists(""));
  EXPECT_TRUE(hive->KeyExists("\\Microsoft\\\\Windows\\"));
  EXPECT_EQ(hive->Values("Microsoft\\Missing"), std::vector<NamedValue>{});
  EXPECT_EQ(hive->SubkeyNames("Microsoft\\Missing"), std::vector<std::string>{});
  // Long subkey lists in each list kind, split under ri lists: every key is
  // found, in any case, and listed once.
  const std::pair<SubkeyList, uint32_t> layouts[] = {
      {SubkeyList::kLh, 1000}, {SubkeyList::kLh, 7}, {SubkeyList::kLf, 7}, {SubkeyList::kLi, 7}};
  for (const auto& [kind, perLeaf] : layouts) {
    RegfWriter writer(RegfLayout{kind, perLeaf});
    const uint32_t parent = writer.KeyAt("Installer\\Components");
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
      char name[40];
      std::snprintf(name, sizeof name, "%08X%024d", i * 2654435761u, i);
      names.push_back(name);
      const uint32_t key = writer.AddKey(parent, name);
      writer.AddValue(key, "n", kDword, Value::Dword(static_cast<uint32_t>(i)).data);
    }
    writer.AddKey(parent, "Ünïcode");
    std::shared_ptr<const RegfHive> lists = OpenOrFail(dir.Write("lists", writer.Bytes()));
    ASSERT_TRUE(lists);
    for (size_t i = 0; i < names.size(); ++i) {
      Value n;
      ASSERT_TRUE(lists->ReadValue("installer\\components\\" + AsciiLower(names[i]), "N", &n))
          << names[i];
      EXPECT_EQ(n.Number(), i);
    }
    EXPECT_TRUE(lists->KeyExists("Installer\\Components\\üNÏCODE"));
    EXPECT_FALSE(lists->KeyExists("Installer\\Components\\" + std::string(32, 'F')));
    EXPECT_EQ(lists->SubkeyNames("Installer\\Components").size(), names.size() + 1);
  }
  // A hive Windows did not finish writing, and one with a damaged bin, open and
  // say so; one another program writes, and what is no readable hive, do not.
  RegfWriter writer(RegfLayout{.primarySequence = 8, .secondarySequence = 7});
  writer.KeyAt("Key0");
  hive = OpenOrFail(dir.Write("dirty", writer.Bytes()));
  ASSERT_TRUE(hive);
  EXPECT_TRUE(hive->header().dirty());
  // A page that is no bin, counted among the bins.
  std::string bytes = RegfWriter().Bytes() + std::string(0x1000, 'j');
  test::PutLe(&bytes, 40, ReadLe32(bytes.data() + 40) + 0x1000);
  test::FixHiveChecksum(&bytes);
  hive = OpenOrFail(dir.Write("damaged", bytes));
  ASSERT_TRUE(hive);
  EXPECT_TRUE(hive->recovered());
  EXPECT_TRUE(hive->KeyExists(""));
  // A folder is no hive, a writer's lock keeps a hive from being read, a reader's does not.
  EXPECT_EQ(RegfHive::Open(dir.path(), &hive).message(), dir.path() + ": not a registry hive file");
  const std::string hivePath = dir.Write("SOFTWARE", RegfWriter().Bytes());
  {
    test::LockingChild writer(hivePath, F_WRLCK);
    ASSERT_TRUE(writer.locked());
    const Status s = RegfHive::Open(hivePath, &hive);
    EXPECT_EQ(s.code(), Status::Code::kBusy);
    EXPECT_EQ(s.message(), hivePath + ": locked by another program");
  }
  test::LockingChild reader(hivePath, F_RDLCK);
  EXPECT_TRUE(RegfHive::Open(hivePath, &hive).ok());
  // Every way a file can fail to be a hive the machine can read, with the message
  // it gets.
  const std::string good = RegfWriter().Bytes();
  auto withHeader = [&](size_t at, const std::string& patch, bool fixChecksum) {
    std::string out = good;
    out.replace(at, patch.size(), patch);
    if (fixChecksum) test::FixHiveChecksum(&out);
    return out;
  };
  std::string rootless = good;
  rootless.replace(0x1000 + ReadLe32(good.data() + 36) + 4, 2,
                   "xx");  // the root cell is no key
  struct Case {
    const char* name;
    std::string bytes;
    Status::Code code;
    std::string after;  // the message after "<path>: "
  };
  const Case cases[] = {
      {"text.reg", "WINE REGISTRY Version 2\n", Status::Code::kCorruption,
       "not a registry hive file"},
      {"signature", "regf", Status::Code::kCorruption,
       "a damaged registry hive (cut off after 4 bytes)"},
      {"short", good.substr(0, 0x1000), Status::Code::kCorruption,
       "a damaged registry hive (cut off after 4096 bytes)"},
      {"version", withHeader(20, std::string("\x02\0\0\0", 4), true), Status::Code::kNotSupported,
       "a registry hive of format version 2.5, which is not read"},
      {"checksum", withHeader(4, "\x09", false), Status::Code::kCorruption,
       "a damaged registry hive (its header checksum is wrong)"},
      {"rootless", rootless, Status::Code::kCorruption,
       "a damaged registry hive (its hive bins cannot be read)"},
  };
  for (const Case& c : cases) {
    const std::string casePath = dir.Write(c.name, c.bytes);
    std::shared_ptr<const RegfHive> refused;
    Status s = RegfHive::Open(casePath, &refused);
    EXPECT_EQ(s.code(), c.code) << c.name << ": " << s.ToString();
    EXPECT_EQ(s.message(), casePath + ": " + c.after) << c.name;
    EXPECT_FALSE(refused) << c.name;
  }
}

}  // namespace
}  // namespace qv::registry
