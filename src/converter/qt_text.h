#pragma once
// The program keeps multi-line texts with a carriage return between lines; Qt breaks lines
// at line feeds.

#include <string>

#include <QString>

namespace qv {

/// The UTF-8 text as Qt shows it: CR LF and lone CR become line feeds.
QString QtText(const std::string& text);

/// The UTF-8 form of a widget's text.
std::string StdText(const QString& text);

}  // namespace qv
