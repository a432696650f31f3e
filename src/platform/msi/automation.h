#pragma once
// The installer's automation objects as the program uses them (WindowsInstaller.Installer and
// its Database, View, Record and Session objects). Our engine implements them; a Windows back
// end could implement them again. A call that fails sets the pending error
// (platform/pending_error.h) and returns nothing; nothing throws.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qv::msi {

/// The integer the installer returns for a null or non-integer field (MSI_NULL_INTEGER).
inline constexpr int32_t kNullInteger = INT32_MIN;

/// A record: fields 1..FieldCount, and field 0 (the template for FormatText).
class Record {
 public:
  explicit Record(int fieldCount = 0);
  /// Number of fields, not counting field 0.
  int FieldCount() const;
  /// The field as text: integers in decimal, null as ""; "" for a field out of range.
  std::string StringData(int field) const;
  /// The field as an integer; kNullInteger when null, out of range or not a number.
  int32_t IntegerData(int field) const;
  /// True for a null field and for a field out of range.
  bool IsNull(int field) const;
  /// Bytes of a stream field; empty for other fields.
  const std::string& StreamData(int field) const;
  /// Sets a text field; "" makes it null.
  void SetStringData(int field, std::string value);
  /// Sets an integer field; kNullInteger makes it null.
  void SetIntegerData(int field, int32_t value);
  /// Sets a stream field with its bytes.
  void SetStreamData(int field, std::string bytes);
  /// Makes a field null.
  void SetNull(int field);
  /// The record formatted as the installer does: with field 0 as template ("[1]" replaced by
  /// field 1, ...), or without one "1: <f1> 2: <f2> ...".
  std::string FormatText() const;

 private:
  struct Stream {
    std::string bytes;
  };
  using Field = std::variant<std::monostate, int32_t, std::string, Stream>;
  std::vector<Field> m_fields;  // index 0 is the template
};

/// A view on one query: execute, fetch rows, close.
class View {
 public:
  virtual ~View() = default;
  /// Runs the query, binding '?' parameters from params (fields 1..n); false on error.
  virtual bool Execute(const Record* params = nullptr) = 0;
  /// The next row, or null when there are no more (or on error, with the pending error set).
  virtual std::shared_ptr<Record> Fetch() = 0;
  /// Ends the query; fetching after it gives null.
  virtual void Close() = 0;
};

/// An open installer database.
class Database {
 public:
  virtual ~Database() = default;
  /// 0 open for reading, 1 open for writing (transacted).
  virtual int DatabaseState() const = 0;
  /// A view for the SQL text, or null with the pending error and LastErrorRecord set.
  virtual std::shared_ptr<View> OpenView(const std::string& sql) = 0;
  /// 1 persistent table, 0 temporary, 2 unknown table (MSICONDITION values).
  virtual int TablePersistent(const std::string& table) = 0;
  /// Writes changes: never done by this program; an error for a read-only engine.
  virtual bool Commit() = 0;
  /// The path the database was opened from (host or Windows form as given).
  virtual const std::string& Path() const = 0;
  /// An integer property of the summary information (15 word count, 14 page count, ...);
  /// 0 when absent.
  virtual int32_t SummaryInteger(int /*pid*/) const { return 0; }
  /// A text property of the summary information (7 template, 9 revision, ...); "" when absent.
  virtual std::string SummaryText(int /*pid*/) const { return ""; }
};

/// An installer session on a package: properties and resolved folders.
class Session {
 public:
  virtual ~Session() = default;
  /// The property's value; "" when not set.
  virtual std::string Property(const std::string& name) const = 0;
  /// Sets (or with "" removes) a property.
  virtual void SetProperty(const std::string& name, const std::string& value) = 0;
  /// A product property of the package (as Session.ProductProperty).
  virtual std::string ProductProperty(const std::string& name) const = 0;
  /// Runs a standard action; returns the installer's result (1 success); unknown actions set
  /// the pending error.
  virtual int DoAction(const std::string& action) = 0;
  /// The resolved target folder of a Directory key (trailing '\'); "" with the pending error
  /// set for an unknown key or before CostFinalize.
  virtual std::string TargetPath(const std::string& folder) = 0;
  /// The resolved source folder of a Directory key, the same way.
  virtual std::string SourcePath(const std::string& folder) = 0;
  /// The database the session runs on.
  virtual std::shared_ptr<Database> GetDatabase() const = 0;
};

/// The installer object (WindowsInstaller.Installer).
class Installer {
 public:
  virtual ~Installer() = default;
  /// Opens a package: mode 0 read-only, 1 transacted, +32 patch package. Null on failure.
  virtual std::shared_ptr<Database> OpenDatabase(const std::string& path, int mode) = 0;
  /// A session on an open database; options 1 ignores the machine state. Null on failure.
  virtual std::shared_ptr<Session> OpenPackage(std::shared_ptr<Database> database, int options) = 0;
  /// A session on the package at a path. Null on failure.
  virtual std::shared_ptr<Session> OpenPackage(const std::string& path, int options) = 0;
  /// The installer's record of its last error, or null when there was none.
  virtual std::shared_ptr<Record> LastErrorRecord() = 0;
  /// A product's state: 5 installed, 1 advertised, 2 absent, -1 unknown, -2 not a GUID.
  virtual int ProductState(const std::string& product) = 0;
  /// An attribute of a registered product ("ProductName", "VersionString", ...); "" with the
  /// pending error set when the product or the attribute is unknown.
  virtual std::string ProductInfo(const std::string& product, const std::string& attribute) = 0;
  /// The product codes of the products registered for the machine and the user.
  virtual std::vector<std::string> Products() = 0;
  /// A feature's state: 3 local, 4 source, 1 advertised, 2 absent, -1 unknown, -6 damaged,
  /// -2 product not a GUID.
  virtual int FeatureState(const std::string& product, const std::string& feature) = 0;
  /// The products that know a feature, each with its FeatureState, in the order of Products;
  /// a product for which the feature is unknown is left out.
  virtual std::vector<std::pair<std::string, int>> FeatureStates(const std::string& feature) = 0;
  /// The product codes of the products a component is installed for; empty with the pending
  /// error set when the component is not registered.
  virtual std::vector<std::string> ComponentClients(const std::string& component) = 0;
};

/// Makes the installer object; tests replace it to make creation fail (return null).
using InstallerFactory = std::function<std::shared_ptr<Installer>()>;

/// Creates "WindowsInstaller.Installer" through the installed factory; null (with the pending
/// error set) when it cannot be created.
std::shared_ptr<Installer> CreateInstallerObject();
/// Replaces the factory; an empty function restores our engine's.
void SetInstallerFactory(InstallerFactory factory);

}  // namespace qv::msi
