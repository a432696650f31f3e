#include "support/fixture_packages.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/base/little_endian.h"
#include "support/data_rows.h"

namespace qv::test {
namespace {

namespace fsys = std::filesystem;

std::string SourceDir(const std::string& name) {
  return std::string(QV_TEST_DATA_DIR) + "/msi/" + name;
}

// The fields of each line of fixture.txt: "output<TAB>file" and
// "summary<TAB>title<TAB>author<TAB>template<TAB>uuid".
std::map<std::string, std::vector<std::string>> ReadManifest(const std::string& folder) {
  std::map<std::string, std::vector<std::string>> manifest;
  for (const DataRow& row : Rows(ReadFile(folder + "/fixture.txt"))) {
    if (row.size() >= 2) manifest[row[0]].assign(row.begin() + 1, row.end());
  }
  return manifest;
}

std::string BuildFromFolder(const TempDir& dir, const std::string& name, const std::string& src) {
  // Work on a copy: the tools write temporary files beside their inputs.
  const std::string work = dir.Sub("src-" + name);
  std::error_code ec;
  fsys::remove_all(work, ec);
  fsys::copy(src, work, fsys::copy_options::recursive, ec);
  if (ec) {
    ADD_FAILURE() << "cannot copy fixture " << src << ": " << ec.message();
    return "";
  }
  auto manifest = ReadManifest(work);
  const std::string out = dir.Sub(manifest.count("output") ? manifest["output"][0] : name + ".msi");
  fsys::remove(out, ec);
  std::vector<std::string> wxs, idt;
  for (const auto& entry : fsys::directory_iterator(work)) {
    const std::string file = entry.path().filename().string();
    if (entry.path().extension() == ".wxs") wxs.push_back(file);
    if (entry.path().extension() == ".idt" && file != "_ForceCodepage.idt") idt.push_back(file);
  }
  std::sort(idt.begin(), idt.end());
  std::string command = "cd " + ShellQuote(work) + " && ";
  if (!wxs.empty()) {
    command += "wixl -o " + ShellQuote(out);
    for (const auto& f : wxs) command += " " + ShellQuote(f);
  } else {
    command += "msibuild " + ShellQuote(out);
    if (fsys::exists(work + "/_ForceCodepage.idt")) command += " -i _ForceCodepage.idt";
    for (const auto& f : idt) command += " -i " + ShellQuote(f);
    if (manifest.count("summary")) {
      command += " && msibuild " + ShellQuote(out) + " -s";
      for (const auto& s : manifest["summary"]) command += " " + ShellQuote(s);
    }
  }
  int status = 0;
  const std::string output = RunCommand(command + " 2>&1", &status);
  if (status != 0 || !fsys::exists(out)) {
    ADD_FAILURE() << "building fixture " << name << " failed:\n" << command << "\n" << output;
    return "";
  }
  return out;
}

std::string BuildGenerated(const TempDir& dir, const std::string& name,
                           const std::string& tableFile, const std::string& idt) {
  const std::string folder = dir.Sub("gen-" + name);
  dir.Write("gen-" + name + "/" + tableFile, idt);
  dir.Write("gen-" + name + "/fixture.txt", "output\t" + name + ".msi\n");
  return BuildFromFolder(dir, name, folder);
}

// Many distinct strings make the pool use 3-byte references.
std::string ManyStringsIdt() {
  std::string idt = "Key\tNumber\tLabel\r\ns72\tI4\tS64\r\nWide\tKey\r\n";
  char line[96];
  for (int i = 0; i < 70000; ++i) {
    std::snprintf(line, sizeof line, "key%06d\t%d\tlabel %d\r\n", i, i - 35000, i * 7);
    idt += line;
  }
  return idt;
}

std::string LongStringIdt() {
  std::string value;
  for (int i = 0; value.size() < 70000; ++i) value += "segment " + std::to_string(i) + "; ";
  return "Property\tValue\r\ns72\tl0\r\nProperty\tProperty\r\nAfterLong\tshort value\r\n"
         "LongValue\t" +
         value + "\r\nZLast\tlast\r\n";
}

// Builds the package of source and copies it to out, giving its root entry the CLSID of
// another kind of installer file (its first byte tells them apart): 0x86 a patch, 0x82 a
// transform.
std::string BuildAsKind(const TempDir& dir, const std::string& source, const std::string& out,
                        unsigned char kindByte) {
  const std::string base = BuildFromFolder(dir, source, SourceDir(source));
  if (base.empty()) return "";
  const std::string path = dir.Sub(out);
  std::error_code ec;
  fsys::copy_file(base, path, fsys::copy_options::overwrite_existing, ec);
  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  char header[512] = {};
  f.read(header, sizeof header);
  // The root entry's CLSID: 80 bytes into the directory's first sector.
  const uint64_t rootClsid = (ReadLe32(header + 0x30) + 1ull) << ReadLe16(header + 0x1E);
  f.seekp(static_cast<std::streamoff>(rootClsid + 80));
  f.put(static_cast<char>(kindByte));
  if (ec || !f) {
    ADD_FAILURE() << "cannot copy " << base << " as " << path << " with another root CLSID";
    return "";
  }
  return path;
}

}  // namespace

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string RunCommand(const std::string& command, int* status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    if (status) *status = -1;
    return output;
  }
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int rc = pclose(pipe);
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return output;
}

bool MsiToolsAvailable() {
  static const bool available =
      std::system(
          "command -v msibuild >/dev/null 2>&1 && command -v wixl >/dev/null 2>&1 && "
          "command -v msiinfo >/dev/null 2>&1") == 0;
  return available;
}

std::vector<std::string> FixtureNames() {
  return {"basic",        "cyrillic",    "japanese", "module",   "wix_product",
          "many_strings", "long_string", "patch",    "transform"};
}

std::string BuildFixture(const TempDir& dir, const std::string& name) {
  if (name == "many_strings") return BuildGenerated(dir, name, "Wide.idt", ManyStringsIdt());
  if (name == "long_string") return BuildGenerated(dir, name, "Property.idt", LongStringIdt());
  if (name == "patch") return BuildAsKind(dir, "basic", "patch.msp", 0x86);
  if (name == "transform") return BuildAsKind(dir, "transform", "transform.mst", 0x82);
  if (!fsys::is_directory(SourceDir(name))) {
    ADD_FAILURE() << "no fixture named " << name;
    return "";
  }
  return BuildFromFolder(dir, name, SourceDir(name));
}

}  // namespace qv::test
