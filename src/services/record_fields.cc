#include "services/record_fields.h"

#include <algorithm>

#include "services/list_store.h"

namespace qv {

namespace {

constexpr char kQuote = '"';

// End (exclusive) of a quoted run that starts with the quote at text[0]: just past the
// closing quote, or text.size() when the quote is never closed.
size_t QuotedRunEnd(std::string_view text) {
  size_t i = 1;
  while (i < text.size()) {
    if (text[i] == kQuote) {
      if (i + 1 < text.size() && text[i + 1] == kQuote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return text.size();
}

// Appends the unquoted form of a quoted run (opening quote included) to *out.
void AppendUnquoted(std::string_view run, std::string* out) {
  const bool closed = run.size() >= 2 && run.back() == kQuote;
  std::string_view inner = run.substr(1, run.size() - 1 - (closed ? 1 : 0));
  for (size_t i = 0; i < inner.size(); ++i) {
    out->push_back(inner[i]);
    if (inner[i] == kQuote && i + 1 < inner.size() && inner[i + 1] == kQuote) ++i;
  }
}

// Unquotes `text` (starting with a quote) whose quoted run ends at runEnd; the remainder
// is kept as it stands.
std::string_view Unquote(std::string_view text, size_t runEnd, std::string* scratch) {
  std::string_view run = text.substr(0, runEnd);
  const bool closed = run.size() >= 2 && run.back() == kQuote;
  std::string_view inner = run.substr(1, run.size() - 1 - (closed ? 1 : 0));
  if (runEnd == text.size() && inner.find(kQuote) == std::string_view::npos) return inner;
  scratch->clear();
  AppendUnquoted(run, scratch);
  scratch->append(text.substr(runEnd));
  return *scratch;
}

std::string_view Clip(std::string_view value, int32_t size) {
  if (size <= 0) return {};
  return value.substr(0, static_cast<size_t>(size) - 1);
}

}  // namespace

FieldValue FindField(std::string_view record, std::string_view tag) {
  size_t at = record.find('|');
  while (at != std::string_view::npos) {
    const size_t equals = record.find('=', at + 1);
    const size_t nextBar = record.find('|', at + 1);
    if (equals == std::string_view::npos || nextBar < equals) {
      at = nextBar;  // a piece without "=" carries no field
      continue;
    }
    const size_t valueAt = equals + 1;
    size_t valueEnd = nextBar;
    const bool quoted = valueAt < record.size() && record[valueAt] == kQuote;
    if (quoted) {
      const size_t runEnd = valueAt + QuotedRunEnd(record.substr(valueAt));
      valueEnd = record.find('|', runEnd);
    }
    valueEnd = std::min(valueEnd, record.size());
    if (record.substr(at, valueAt - at) == tag) {
      return FieldValue{true, quoted, record.substr(valueAt, valueEnd - valueAt)};
    }
    at = valueEnd < record.size() ? valueEnd : std::string_view::npos;
  }
  return FieldValue{};
}

std::string_view UnquotedValue(const FieldValue& field, std::string* scratch) {
  if (!field.quoted) return field.text;
  return Unquote(field.text, QuotedRunEnd(field.text), scratch);
}

std::vector<std::string_view> SplitFieldTags(std::string_view tags) {
  std::vector<std::string_view> result;
  size_t at = tags.find('|');
  while (at != std::string_view::npos) {
    const size_t next = tags.find('|', at + 1);
    result.push_back(tags.substr(at, next == std::string_view::npos ? next : next - at));
    at = next;
  }
  return result;
}

int32_t GetFldCC(std::string* buffer, std::string_view record, std::string_view tag, int32_t size) {
  std::string scratch;
  const std::string_view value = Clip(UnquotedValue(FindField(record, tag), &scratch), size);
  buffer->assign(value);
  return static_cast<int32_t>(value.size());
}

int32_t GetRecFldC(int32_t list, int32_t index, std::string* buffer, int32_t size,
                   std::string_view tag) {
  std::string_view record;
  if (!QuorvexListItemView(list, index, &record)) {
    buffer->clear();
    return 0;
  }
  return GetFldCC(buffer, record, tag, size);
}

int32_t ExtractFirstFldC(std::string* text, std::string* buffer, std::string_view delimiter) {
  const std::string_view all = *text;
  size_t tokenEnd = 0;  // where the delimiter search starts
  if (!all.empty() && all.front() == kQuote) tokenEnd = QuotedRunEnd(all);
  size_t cut;
  size_t skip;
  if (delimiter.empty()) {
    cut = all.find_first_of(" \t", tokenEnd);
    skip = 1;
  } else {
    cut = all.find(delimiter, tokenEnd);
    skip = delimiter.size();
  }
  const std::string_view token = all.substr(0, cut);
  std::string scratch;
  std::string_view value = token;
  if (!token.empty() && token.front() == kQuote) {
    value = Unquote(token, QuotedRunEnd(token), &scratch);
  }
  buffer->assign(value);
  const std::string rest = cut == std::string_view::npos ? std::string() : text->substr(cut + skip);
  *text = rest;
  return static_cast<int32_t>(buffer->size());
}

}  // namespace qv
