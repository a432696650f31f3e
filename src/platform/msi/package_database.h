#pragma once
// An installer database opened read-only by our engine: the automation Database object and
// the table access the rest of the engine and quorvex-cli use.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/status.h"
#include "platform/msi/automation.h"
#include "platform/msi/compound_file.h"
#include "platform/msi/string_pool.h"
#include "platform/msi/summary_info.h"
#include "platform/msi/table.h"

namespace qv::msi {

/// Open modes of OpenDatabase.
inline constexpr int kOpenReadOnly = 0;
inline constexpr int kOpenTransact = 1;
inline constexpr int kOpenPatchFile = 32;
/// Not one of the installer's modes: opens a package, a patch or a transform read-only, its
/// tables read as they are stored, the way msiinfo reads any of them.
inline constexpr int kOpenAnyKind = 1 << 16;

/// Root CLSIDs of installer compound files.
inline constexpr std::array<uint8_t, 16> kPackageClsid = {
    0x84, 0x10, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
inline constexpr std::array<uint8_t, 16> kPatchClsid = {
    0x86, 0x10, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
inline constexpr std::array<uint8_t, 16> kTransformClsid = {
    0x82, 0x10, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

/// An open package. Tables are decoded on first use and kept until the database closes.
class PackageDatabase : public Database, public std::enable_shared_from_this<PackageDatabase> {
 public:
  /// Opens the package held in bytes (kept by the database). path is what Path() reports.
  /// Corruption/NotSupported when it is no installer database of the kind the mode asks for.
  static Status Open(std::string bytes, std::string path, int mode,
                     std::shared_ptr<PackageDatabase>* database);

  int DatabaseState() const override { return m_state; }
  std::shared_ptr<View> OpenView(const std::string& sql) override;
  int TablePersistent(const std::string& table) override;
  bool Commit() override;
  const std::string& Path() const override { return m_path; }
  int32_t SummaryInteger(int pid) const override { return m_summary.Integer(pid); }
  std::string SummaryText(int pid) const override { return m_summary.Text(pid); }

  /// Names of the stored tables, in _Tables order.
  const std::vector<std::string>& TableNames() const { return m_tableNames; }
  /// True for a stored table and for _Tables, _Columns, _Streams and _Storages.
  bool HasTable(const std::string& name) const;
  /// Columns of a table (stored or pseudo), or null when there is no such table.
  const std::vector<Column>* Schema(const std::string& name) const;
  /// The decoded table, built on first use; the pointer lives as long as the database.
  Status GetTable(const std::string& name, const Table** table);
  /// Bytes of the stream behind a binary cell (its raw value).
  Status ReadCellStream(uint32_t raw, std::string* bytes) const;
  /// The name of the stream behind a binary cell ("Table.Key1.Key2"), as exports show it.
  std::string CellStreamName(const Table& table, uint32_t row) const;
  /// The summary information (empty when the package has none or it is damaged).
  const SummaryInfo& Summary() const { return m_summary; }
  /// The string pool (its codepage is the database codepage).
  const StringPool& Strings() const { return m_strings; }

 private:
  PackageDatabase() = default;
  Status Load(int mode);
  Status ReadNamedStream(const std::string& name, bool isTable, std::string* scratch,
                         std::string_view* bytes, bool* found) const;
  Status BuildPseudoTable(const std::string& name, std::unique_ptr<Table>* table) const;

  std::string m_bytes;
  std::string m_path;
  int m_state = 0;
  CompoundFile m_file;
  std::map<std::string, uint32_t> m_streams;       // decoded non-table stream names -> entry
  std::map<std::string, uint32_t> m_tableStreams;  // table names -> entry
  std::map<std::string, uint32_t> m_storages;      // storage names -> entry
  std::string m_stringData;  // _StringData when it could not be viewed in place
  StringPool m_strings;
  SummaryInfo m_summary;
  std::vector<std::string> m_tableNames;
  std::map<std::string, std::vector<Column>> m_schemas;
  std::map<std::string, std::unique_ptr<Table>> m_tables;
};

}  // namespace qv::msi
