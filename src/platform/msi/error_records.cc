#include "platform/msi/error_records.h"

#include <utility>

namespace qv::msi {
namespace {

std::shared_ptr<Record>& LastError() {
  static std::shared_ptr<Record> record;
  return record;
}

}  // namespace

std::shared_ptr<Record> MakeErrorRecord(int number, const std::vector<std::string>& args) {
  auto record = std::make_shared<Record>(static_cast<int>(args.size()) + 1);
  record->SetIntegerData(1, number);
  for (size_t i = 0; i < args.size(); ++i) record->SetStringData(static_cast<int>(i) + 2, args[i]);
  return record;
}

void SetLastErrorRecord(std::shared_ptr<Record> record) {
  LastError() = std::move(record);
}

std::shared_ptr<Record> TakeLastErrorRecord() {
  return std::exchange(LastError(), nullptr);
}

}  // namespace qv::msi
