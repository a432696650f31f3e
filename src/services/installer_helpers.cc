#include "services/installer_helpers.h"

#include <cctype>

#include "platform/msi/msi_functions.h"
#include "platform/msi/packed_guid.h"

namespace qv {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

int32_t GUIDFormattedToPacked(const std::string& guid, std::string* buffer) {
  // A copy first: the caller may hand the same text in and out.
  const std::string braced = !guid.empty() && guid.front() == '{' ? guid : "{" + guid + "}";
  if (!msi::PackGuid(braced, buffer)) return 0;
  *buffer = Upper(*buffer);
  return 1;
}

int32_t GUIDPackedToFormatted(const std::string& packed, std::string* buffer) {
  const std::string in = packed;  // the caller may hand the same text in and out
  if (!msi::UnpackGuid(in, buffer)) return 0;
  *buffer = Upper(*buffer);
  return 1;
}

int32_t OpenMsiDatabase(const std::string& packagePath, msi::MSIHANDLE* database,
                        const std::string& mode) {
  *database = 0;
  int number = -1;
  if (mode == "0" || mode.empty()) number = 0;
  if (mode == "1") number = 1;
  if (number < 0) return 0;  // the other modes create or write packages
  return msi::MsiOpenDatabaseA(packagePath, number, database) == msi::kErrorSuccess ? 1 : 0;
}

int32_t OpenMsiInstall(const std::string& packagePath, msi::MSIHANDLE database,
                       msi::MSIHANDLE* install) {
  *install = 0;
  const std::string package = packagePath.empty() ? "#" + std::to_string(database) : packagePath;
  msi::MSIHANDLE session = 0;
  if (msi::MsiOpenPackageA(package, &session) != msi::kErrorSuccess) return 0;
  for (const char* action : {"CostInitialize", "FileCost", "CostFinalize"}) {
    if (msi::MsiDoActionA(session, action) != msi::kErrorSuccess) {
      msi::MsiCloseHandle(session);
      return 0;
    }
  }
  *install = session;
  return 1;
}

int32_t GetMSISRec(msi::MSIHANDLE* database, const std::string& packagePath, int32_t keepOpen,
                   msi::MSIHANDLE* view, const std::string& table, const std::string& keyColumn,
                   const std::string& keyValue, int32_t field, std::string* buffer, int32_t* size) {
  buffer->clear();
  const int32_t room = *size;
  *size = 0;
  bool openedDatabase = false;
  if (*database == 0) {
    if (msi::MsiOpenDatabaseA(packagePath, 0, database) != msi::kErrorSuccess) return 0;
    openedDatabase = true;
  }
  if (*view != 0) {
    msi::MsiCloseHandle(*view);
    *view = 0;
  }
  int32_t found = 0;
  // The key value goes in as a parameter, so any text (quotes too) can be looked for.
  const std::string query = "SELECT * FROM `" + table + "` WHERE `" + keyColumn + "` = ?";
  if (msi::MsiDatabaseOpenViewA(*database, query, view) == msi::kErrorSuccess) {
    const msi::MSIHANDLE params = msi::MsiCreateRecord(1);
    msi::MsiRecordSetStringA(params, 1, keyValue);
    msi::MSIHANDLE row = 0;
    if (msi::MsiViewExecute(*view, params) == msi::kErrorSuccess &&
        msi::MsiViewFetch(*view, &row) == msi::kErrorSuccess) {
      std::string text;
      msi::MsiRecordGetStringA(row, static_cast<uint32_t>(field), &text, nullptr);
      *size = static_cast<int32_t>(text.size());
      if (room > 0 && text.size() >= static_cast<size_t>(room)) text.resize(room - 1);
      *buffer = room > 0 ? text : "";
      found = 1;
    }
    msi::MsiCloseHandle(row);
    msi::MsiCloseHandle(params);
  }
  if (keepOpen == 0) {
    msi::MsiCloseHandle(*view);
    *view = 0;
    if (openedDatabase) {
      msi::MsiCloseHandle(*database);
      *database = 0;
    }
  }
  return found;
}

}  // namespace qv
