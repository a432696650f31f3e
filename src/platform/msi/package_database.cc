#include "platform/msi/package_database.h"

#include <algorithm>
#include <utility>

#include "platform/base/pending_error.h"
#include "platform/msi/error_records.h"
#include "platform/msi/sql_view.h"
#include "platform/msi/stream_name.h"
#include "platform/msi/table_reader.h"

namespace qv::msi {
namespace {

const char kSummaryStream[] = "\x05SummaryInformation";

std::vector<Column> TablesSchema() {
  return {{"Name", kColumnValid | kColumnString | kColumnText | kColumnKey | 64}};
}

std::vector<Column> ColumnsSchema() {
  const int key = kColumnValid | kColumnKey;
  return {{"Table", key | kColumnString | kColumnText | 64},
          {"Number", key | kColumnText | 2},
          {"Name", kColumnValid | kColumnString | kColumnText | 64},
          {"Type", kColumnValid | 2}};
}

std::vector<Column> StreamsSchema() {
  return {{"Name", kColumnValid | kColumnString | kColumnText | kColumnKey | 62},
          {"Data", kColumnValid | kColumnString | kColumnNullable}};
}

}  // namespace

Status PackageDatabase::Open(std::string bytes, std::string path, int mode,
                             std::shared_ptr<PackageDatabase>* database) {
  database->reset();
  std::shared_ptr<PackageDatabase> db(new PackageDatabase());
  db->m_bytes = std::move(bytes);
  db->m_path = std::move(path);
  if (Status s = db->Load(mode); !s.ok()) return s;
  *database = std::move(db);
  return Status::Ok();
}

Status PackageDatabase::Load(int mode) {
  const int access = mode & ~(kOpenPatchFile | kOpenAnyKind);
  if ((access != kOpenReadOnly && access != kOpenTransact) ||
      ((mode & kOpenAnyKind) && mode != kOpenAnyKind)) {
    return Status::InvalidArgument("open mode " + std::to_string(mode) + " is not supported");
  }
  m_state = access == kOpenTransact ? 1 : 0;
  if (Status s = m_file.Open(m_bytes); !s.ok()) return s;
  const auto& clsid = m_file.Entries()[0].clsid;
  if (mode & kOpenAnyKind) {
    if (clsid != kPackageClsid && clsid != kPatchClsid && clsid != kTransformClsid) {
      return Status::NotSupported("not an installer package, patch or transform");
    }
  } else if (clsid != ((mode & kOpenPatchFile) ? kPatchClsid : kPackageClsid)) {
    return Status::NotSupported((mode & kOpenPatchFile) ? "not a patch package"
                                                        : "not an installer package");
  }
  for (uint32_t entry : m_file.Children(0)) {
    const DirectoryEntry& e = m_file.Entries()[entry];
    const DecodedStreamName name = DecodeStreamName(e.name);
    if (e.type == EntryType::kStorage) {
      m_storages.emplace(name.name, entry);
    } else if (e.type == EntryType::kStream) {
      (name.isTable ? m_tableStreams : m_streams).emplace(name.name, entry);
    }
  }

  std::string poolCopy;
  std::string_view pool, data;
  bool found = false;
  if (Status s = ReadNamedStream("_StringPool", true, &poolCopy, &pool, &found); !s.ok()) return s;
  if (Status s = ReadNamedStream("_StringData", true, &m_stringData, &data, &found); !s.ok()) {
    return s;
  }
  if (Status s = m_strings.Load(pool, data); !s.ok()) return s;

  std::string summaryCopy;
  std::string_view summary;
  if (ReadNamedStream(kSummaryStream, false, &summaryCopy, &summary, &found).ok() && found) {
    if (!m_summary.Parse(summary).ok()) m_summary = SummaryInfo();  // damaged: left empty
  }

  m_schemas["_Tables"] = TablesSchema();
  m_schemas["_Columns"] = ColumnsSchema();
  m_schemas["_Streams"] = StreamsSchema();
  m_schemas["_Storages"] = StreamsSchema();
  const Table* tables = nullptr;
  if (Status s = GetTable("_Tables", &tables); !s.ok()) return s;
  for (uint32_t row = 0; row < tables->RowCount(); ++row) {
    m_tableNames.push_back(tables->Text(row, 0));
  }
  const Table* columns = nullptr;
  if (Status s = GetTable("_Columns", &columns); !s.ok()) return s;
  std::map<std::string, std::vector<std::pair<int32_t, Column>>> numbered;
  for (uint32_t row = 0; row < columns->RowCount(); ++row) {
    Column c{columns->Text(row, 2), columns->Value(row, 3).integer};
    numbered[columns->Text(row, 0)].emplace_back(columns->Value(row, 1).integer, std::move(c));
  }
  for (const std::string& name : m_tableNames) {
    if (m_schemas.count(name)) continue;
    auto& list = numbered[name];
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Column> schema;
    for (auto& [number, column] : list) schema.push_back(std::move(column));
    m_schemas[name] = std::move(schema);
  }
  return Status::Ok();
}

Status PackageDatabase::ReadNamedStream(const std::string& name, bool isTable, std::string* scratch,
                                        std::string_view* bytes, bool* found) const {
  const auto& streams = isTable ? m_tableStreams : m_streams;
  auto it = streams.find(name);
  *found = it != streams.end();
  *bytes = std::string_view();
  if (!*found) return Status::Ok();
  Status s = m_file.StreamView(it->second, scratch, bytes);
  if (!s.ok()) return Status::Corruption("stream " + name + ": " + s.message());
  return s;
}

bool PackageDatabase::HasTable(const std::string& name) const {
  return m_schemas.count(name) > 0;
}

const std::vector<Column>* PackageDatabase::Schema(const std::string& name) const {
  auto it = m_schemas.find(name);
  return it == m_schemas.end() ? nullptr : &it->second;
}

Status PackageDatabase::BuildPseudoTable(const std::string& name,
                                         std::unique_ptr<Table>* table) const {
  const bool streams = name == "_Streams";
  const auto& source = streams ? m_streams : m_storages;
  auto t = std::make_unique<Table>(name, *Schema(name), nullptr);
  t->Resize(static_cast<uint32_t>(source.size()));
  uint32_t row = 0;
  for (const auto& [streamName, entry] : source) {
    t->SetRaw(row, 0, t->AddLocalText(streamName));
    t->SetRaw(row, 1, entry + 1);
    ++row;
  }
  *table = std::move(t);
  return Status::Ok();
}

Status PackageDatabase::GetTable(const std::string& name, const Table** table) {
  *table = nullptr;
  auto cached = m_tables.find(name);
  if (cached != m_tables.end()) {
    *table = cached->second.get();
    return Status::Ok();
  }
  const std::vector<Column>* schema = Schema(name);
  if (!schema) return Status::NotFound("table " + name);
  std::unique_ptr<Table> decoded;
  if (name == "_Streams" || name == "_Storages") {
    if (Status s = BuildPseudoTable(name, &decoded); !s.ok()) return s;
  } else {
    std::string copy;
    std::string_view bytes;
    bool found = false;
    if (Status s = ReadNamedStream(name, true, &copy, &bytes, &found); !s.ok()) return s;
    decoded = std::make_unique<Table>(name, *schema, &m_strings);
    auto lookup = [this](const std::string& streamName) -> uint32_t {
      auto it = m_streams.find(streamName);
      return it == m_streams.end() ? 0 : it->second + 1;
    };
    if (Status s = ReadTableStream(bytes, m_strings, lookup, decoded.get()); !s.ok()) return s;
  }
  *table = decoded.get();
  m_tables.emplace(name, std::move(decoded));
  return Status::Ok();
}

Status PackageDatabase::ReadCellStream(uint32_t raw, std::string* bytes) const {
  bytes->clear();
  if (raw == 0) return Status::Ok();
  return m_file.ReadStream(raw - 1, bytes);
}

std::string PackageDatabase::CellStreamName(const Table& table, uint32_t row) const {
  std::string name = table.Name();
  for (size_t col = 0; col < table.Columns().size(); ++col) {
    if (!IsKeyColumn(table.Columns()[col].type)) continue;
    name += '.';
    name += table.Text(row, static_cast<int>(col));
  }
  return name;
}

int PackageDatabase::TablePersistent(const std::string& table) {
  if (table == "_Streams" || table == "_Storages") return 0;
  return HasTable(table) ? 1 : 2;
}

bool PackageDatabase::Commit() {
  // Nothing is ever written: a read-only engine refuses, whatever the open mode.
  SetLastErrorRecord(MakeErrorRecord(kErrorOpenDatabase, {m_path}));
  SetMsiApiError("Commit");
  return false;
}

std::shared_ptr<View> PackageDatabase::OpenView(const std::string& sql) {
  return OpenSqlView(shared_from_this(), sql);
}

}  // namespace qv::msi
