#pragma once
// Field-tagged records as the maker's utility library reads them. A record is a run of
// fields "|" + tag + "=" + value; a field is addressed by its whole tag text ("|1=").
//
// Quoting rule: a value whose first character is a double quote is quoted. It runs to the
// next double quote that is not doubled, and "" inside stands for one quote, so a quoted
// value may hold "|". Text after the closing quote, up to the next "|", is kept as it
// stands. A quote that is never closed quotes the rest of the record. An unquoted value
// runs to the next "|" or the end of the record. Tags compare exactly (with case).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

/// A field's value as it stands in a record (quotes included); views the record.
struct FieldValue {
  bool found = false;
  bool quoted = false;
  std::string_view text;
};

/// Finds the first field tagged `tag` in record; found is false when there is none.
FieldValue FindField(std::string_view record, std::string_view tag);
/// The value without its quotes: a view of field.text when nothing had to be undone,
/// otherwise a view of *scratch, which then holds the value.
std::string_view UnquotedValue(const FieldValue& field, std::string* scratch);
/// Splits a tag list ("|1=|3=") into its tags ("|1=", "|3="), each running from a "|" to
/// the next; text before the first "|" is dropped.
std::vector<std::string_view> SplitFieldTags(std::string_view tags);

/// Writes the value of field `tag` of record into *buffer, at most size - 1 characters;
/// returns its length, 0 when the field is absent or empty.
int32_t GetFldCC(std::string* buffer, std::string_view record, std::string_view tag, int32_t size);
/// GetFldCC on the record at index of a record list; 0 when there is no such record.
int32_t GetRecFldC(int32_t list, int32_t index, std::string* buffer, int32_t size,
                   std::string_view tag);
/// Cuts the first token off *text into *buffer and returns its length; *text keeps the rest.
/// A token starting with a quote is unquoted as a field value is and runs on to the
/// delimiter; otherwise it runs up to the delimiter, or up to the first blank or tab when
/// the delimiter is empty. Without a delimiter the whole text is the token.
int32_t ExtractFirstFldC(std::string* text, std::string* buffer, std::string_view delimiter);

}  // namespace qv
