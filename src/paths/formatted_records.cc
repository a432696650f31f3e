#include "paths/formatted_records.h"

#include <algorithm>

#include "msidb/database_open.h"
#include "paths/directory_list.h"
#include "paths/file_keys.h"
#include "paths/short_paths.h"
#include "platform/base/ascii_case.h"
#include "records/list_search.h"
#include "records/named_lists.h"
#include "records/record_list.h"
#include "records/record_text.h"
#include "services/file_functions.h"
#include "services/path_scan.h"
#include "services/text_case.h"
#include "state/open_database_scope.h"
#include "state/program_state.h"

namespace qv {
namespace {

// The value of one bracketed key, "" when it does not resolve.
std::string ResolveBracketed(const std::shared_ptr<msi::Database>& database,
                             const std::string& packagePath, const std::string& inner) {
  if (!inner.empty()) {
    const std::string key = inner.substr(1);
    const std::string& marker = Program().FileKeyMarker;
    if (!marker.empty() && inner.compare(0, marker.size(), marker) == 0) {
      return ResolveFileKey(database, inner.substr(marker.size()), false);
    }
    if (inner[0] == '!') return ResolveFileKey(database, key, true);
    if (inner[0] == '$') return ResolveComponentKey(database, key);
  }
  return ResolvePlainKey(database, packagePath, inner);
}

// Where a candidate path that starts at start ends: at the closing quote of a quoted path,
// else at the first character that cannot belong to a path.
size_t CandidateEnd(const std::string& text, size_t start) {
  if (start > 0 && text[start - 1] == '"') {
    const size_t quote = text.find('"', start);
    if (quote != std::string::npos) return quote;
  }
  const int32_t stop = GetNextNonFileChar(static_cast<int32_t>(start) + 1, text, 0);
  return stop > 0 ? static_cast<size_t>(stop - 1) : text.size();
}

// The folder part of a path, up to and including its last '\'.
std::string FolderPart(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// The file-list record of a path: the file itself, or a file whose path the text's path
// begins with (text runs on after the file name). -1 when none.
int32_t FindFile(std::string* candidate, std::string* longPath) {
  int32_t first = 0;
  const int32_t r =
      ListSearch(kFileList, "|1=", FieldText("|1=", *longPath), true, &first, 0, false);
  if (r >= 0) return r;
  if (r <= -3) {
    const int32_t before = -r - 3;
    const std::string path = ListGetItemField(kFileList, before, "|1=");
    if (path.size() < longPath->size() && StartsWithNoCase(*longPath, path)) {
      *candidate = path;
      *longPath = path;
      return before;
    }
  }
  return -1;
}

// The folder part two paths share, in whole parts compared without regard to case, as written
// in path.
std::string SharedFolder(const std::string& listed, const std::string& path) {
  size_t shared = 0;  // up to and including the last '\' of the shared parts
  const size_t n = std::min(listed.size(), path.size());
  for (size_t i = 0; i < n && AsciiToLower(listed[i]) == AsciiToLower(path[i]); ++i) {
    if (path[i] == '\\') shared = i + 1;
  }
  return path.substr(0, shared);
}

// The directory-list record of the deepest listed folder that holds dirLong, or -1.
// Deliberately more than one search: the record at or just before a folder in path order is
// not always its parent ("C:\A\B\x\" sorts after "C:\A\B\C\", which does not hold it),
// and taking that record as it is would put a sibling's key in front of the path. The nearest
// listed parent folder is looked for instead. In path order a folder's subfolders follow it
// directly, so that parent also holds the record found, and the search goes on with the folder
// both share rather than one part up at a time (a path of thousands of parts costs a few
// searches, not one per part).
int32_t FindFolder(const std::string& dirLong, const std::string& dirText, std::string* folder,
                   int32_t* matched) {
  int32_t first = 0;
  std::string wanted = dirLong;
  while (!wanted.empty()) {
    int32_t r = ListSearch(kDirectoryList, "|1=", FieldText("|1=", wanted), true, &first, 0, false);
    if (r == kSearchAfterAll) r = ListCount(kDirectoryList) - 1;
    if (r <= -3) r = -r - 3;
    first = 0;
    if (r < 0) break;  // nothing sorts at or before the folder, so nothing listed holds it
    const std::string listed = ListGetItemField(kDirectoryList, r, "|1=");
    const std::string path = SameText(dirLong, dirText) ? listed : ShortPathOf(listed);
    const int32_t m = MatchStrings(path, dirText, -1, "\\");
    if (m == -1 || (m > 0 && static_cast<size_t>(m) == path.size())) {
      *folder = path;
      *matched = m;
      return r;
    }
    std::string next = SharedFolder(listed, wanted);
    if (next.size() >= wanted.size()) next = FolderPart(wanted.substr(0, wanted.size() - 1));
    wanted = next;
    if (wanted.size() < 3) break;
  }
  return -1;
}

}  // namespace

std::string KeysToPaths(const std::shared_ptr<msi::Database>& database,
                        const std::string& packagePath, const std::string& text) {
  // A value put in is never searched again, so the result is built in one pass over the text.
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('[', pos);
    if (open == std::string::npos) break;
    const size_t close = text.find(']', open);
    if (close == std::string::npos) break;
    const std::string value =
        ResolveBracketed(database, packagePath, text.substr(open + 1, close - open - 1));
    if (value.empty()) {
      out.append(text, pos, close + 1 - pos);
    } else {
      out.append(text, pos, open - pos);
      out += value;
    }
    pos = close + 1;
  }
  out.append(text, std::min(pos, text.size()));
  return out;
}

std::string PathsToKeys(const std::string& packagePath, const std::string& text,
                        PathsToKeysMode /*mode*/, bool* translated) {
  if (translated) *translated = true;
  size_t colon = text.find(':');
  size_t unc = text.find("\\\\");
  if ((colon == 0 || colon == std::string::npos) && unc == std::string::npos) return text;

  // Without a package there is nothing to translate against.
  if (packagePath.empty()) {
    if (translated) *translated = false;
    return text;
  }

  // The lists are reused only while they belong to this package; otherwise the package is
  // opened with its session, so every folder resolves through it, and the lists are rebuilt.
  OpenDatabaseState& db = OpenDb();
  PState state;
  const bool listsReady = SameText(packagePath, db.szCurrentMsi) && ExistFile(packagePath) == 0 &&
                          ListLoadedFor(packagePath, kDirectoryList) &&
                          ListLoadedFor(packagePath, kFileList);
  if (!listsReady) {
    ResetPathLists();
    OpenMsiDb(packagePath, db.oDatabase, {.GenSession = true, .bStandardMsi = true}, &state);
    if (!db.oDatabase) {
      // A package that cannot be opened translates nothing and leaves nothing behind.
      ResetPathLists();
      ForgetCurrentPackage();
      ReOpenDatabase(state, true);
      if (translated) *translated = false;
      return text;
    }
    ResolveDirectoryTable(db.oDatabase, packagePath, 0);
    LoadFileList(db.oDatabase, packagePath, true);
  }

  std::string out = text;
  while (true) {
    size_t start;
    if (colon != std::string::npos && (unc == std::string::npos || unc >= colon)) {
      if (colon == 0) break;
      start = colon - 1;
    } else if (unc != std::string::npos) {
      start = unc;
    } else {
      break;
    }
    const size_t end = CandidateEnd(out, start);
    std::string candidate = out.substr(start, end - start);
    std::string longPath = LongPathOf(candidate);

    std::string inserted;
    size_t replaced = 0;
    const int32_t file = FindFile(&candidate, &longPath);
    if (file >= 0) {
      const std::string key = ListGetItemField(kFileList, file, "|2=");
      inserted = (SameText(longPath, candidate) ? "[#" : "[!") + key + "]";
      replaced = candidate.size();
    } else {
      const std::string dirText = FolderPart(candidate);
      std::string folder;
      int32_t matched = 0;
      const int32_t dir = FindFolder(FolderPart(longPath), dirText, &folder, &matched);
      if (dir >= 0) {
        const std::string keys = ListGetItemField(kDirectoryList, dir, "|2=");
        inserted = "[" + keys.substr(0, keys.find(';')) + "]";
        replaced = matched == -1 ? dirText.size() : static_cast<size_t>(matched);
      }
    }
    out.replace(start, replaced, inserted);
    const size_t next = inserted.empty() ? start + 2 : start + inserted.size();
    colon = out.find(':', next);
    // What follows the replaced part is the text as it was, already searched for "\\\\": a
    // position found there only moves with it (searching again would cost a pass over the rest
    // of the text for every path found).
    if (unc != std::string::npos) {
      const bool inRest = unc >= start + replaced;
      if (inRest) unc = unc + inserted.size() - replaced;
      if (!inRest || unc < next) unc = out.find("\\\\", next);
    }
    if (colon == std::string::npos && unc == std::string::npos) break;
  }

  if (!SameText(db.szCurrentMsi, packagePath)) {
    if (ReOpenDatabase(state, true)) {
      ListRemove(kDirectoryList);
      ListRemove(kFileList);
    }
  }
  return out;
}

}  // namespace qv
