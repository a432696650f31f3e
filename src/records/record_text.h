#pragma once
// Reading and splitting field-tagged records and delimited texts (module Common_VbLb_Bas).

#include <string>

namespace qv {

/// One field of a record: tag ("|1=") followed by value. A value holding a "|" or beginning with
/// a double quote is written in double quotes (its own quotes doubled), so GetFld gives back
/// any text and no value can add fields to the record.
std::string FieldText(const std::string& tag, const std::string& value);
/// The value of the field tag ("|2=") of record; empty when the record or the field is.
std::string GetFld(const std::string& record, const std::string& tag);
/// Cuts the first token off *text and returns it; *text keeps what follows the delimiter.
/// A quoted token, or any token when the delimiter is empty, is cut by the library.
std::string ExtractFirstFld(std::string* text, const std::string& delimiter);
/// The part after the first "|" (an installer file's long name), or the whole text.
std::string AfterFirstBar(const std::string& text);
/// The part before the first "|" (an installer file's short name), or the whole text.
std::string BeforeFirstBar(const std::string& text);

}  // namespace qv
