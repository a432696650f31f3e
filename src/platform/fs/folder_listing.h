#pragma once
// The entries of one host folder with their short names, sorted the way the file-system view
// lists folders; the short names are given in the order the entries came into being. Listings are
// cached per folder and rebuilt when the folder changes.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/base/status.h"

namespace qv::fs {

/// One entry of a folder ("." and ".." are never entries).
struct FolderEntry {
  std::string name;       ///< the host name, which is the long name
  std::string shortName;  ///< its 8.3 name (the name itself when it is a valid 8.3 name)
  bool isDirectory = false;
};

/// The entries of one folder in NameLess order, with lookups by the names Windows accepts.
class FolderListing {
 public:
  /// Builds a listing of the given names, whether each is a folder, and the short name the
  /// file system keeps for each ("" for none; recorded may be empty). The names come in the
  /// order their files came into being, which is the order short names are given out in.
  FolderListing(std::vector<std::string> names, const std::vector<bool>& isDirectory,
                const std::vector<std::string>& recorded = {});

  /// Every entry, sorted without regard to case.
  const std::vector<FolderEntry>& entries() const { return m_entries; }
  /// The entry a path component names: the exact name, else the first entry whose long name
  /// equals it without regard to case, else the entry with that short name; null when none.
  /// The pointer lives as long as this listing.
  const FolderEntry* Find(std::string_view component) const;

 private:
  std::vector<FolderEntry> m_entries;
  std::unordered_map<std::string, size_t> m_exact;
  std::unordered_map<std::string, size_t> m_folded;  // lower-cased long name
  std::unordered_map<std::string, size_t> m_short;   // upper-cased short name
};

/// The listing of a host folder, from the cache when the folder has not changed since it was
/// read (same inode and modification time, and that time safely older than the reading).
/// NotFound when the folder cannot be read.
Status ListFolder(const std::string& hostFolder, std::shared_ptr<const FolderListing>* listing);

}  // namespace qv::fs
