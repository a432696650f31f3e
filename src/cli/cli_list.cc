// quorvex-cli list: the rows the file selection window shows for a folder or a file.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "details/file_rows.h"
#include "services/file_functions.h"
#include "services/path_text.h"

namespace qv::cli {
namespace {

void Write(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

// A text as a JSON string: quotes, backslashes and control characters escaped, UTF-8 kept.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A cell on a tab-separated line: tabs and line ends inside it become blanks.
std::string TsvCell(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

std::string TsvLine(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) line += (i ? "\t" : "") + TsvCell(cells[i]);
  return line + "\n";
}

std::string JsonObject(const FileRow& row) {
  std::string out = "{";
  for (size_t i = 0; i < kFileColumns.size(); ++i) {
    out += (i ? ", " : "") + JsonString(kFileColumns[i].title) + ": " + JsonString(row[i]);
  }
  return out + "}";
}

int RunList(const std::vector<std::string>& args) {
  bool json = false;
  std::string target;
  for (const std::string& a : args) {
    if (a == "--json") {
      json = true;
    } else if (target.empty() && !a.empty()) {
      target = a;
    } else {
      return Usage("list");
    }
  }
  if (target.empty()) return Usage("list");
  std::string path = WindowsFormOf(PackagePathArgument(target));
  const bool isFolder = ExistDir(path) == 0;
  if (!isFolder && ExistFile(path) != 0) return Fail(target + " is neither a folder nor a file");
  if (isFolder) {
    // A folder is listed by its name without a trailing backslash.
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
  }
  FileListing listing;
  listing.CurrentDir = isFolder ? path : FolderOf(path);
  bool first = true;
  if (json) {
    Write("[");
  } else {
    std::vector<std::string> titles;
    for (const FileColumn& c : kFileColumns) titles.push_back(c.title);
    Write(TsvLine(titles));
  }
  // Rows are printed as they are made, so a long listing shows progress.
  ListFiles(listing, isFolder ? "" : path, [&](FileRow row) {
    Write(json ? std::string(first ? "\n  " : ",\n  ") + JsonObject(row) : TsvLine(row));
    first = false;
    std::fflush(stdout);
  });
  if (json) Write(first ? "]\n" : "\n]\n");
  return 0;
}

const CommandRegistration kList{
    {"list", "DIR|FILE [--json]",
     "the installer files of a folder (or one file) as the file selection window lists them: "
     "tab-separated under a header line, or JSON objects keyed by the column titles",
     RunList}};

}  // namespace
}  // namespace qv::cli
