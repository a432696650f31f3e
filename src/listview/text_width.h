#pragma once
// How wide a text is on one line in a given font, in twips rounded to a whole number: what
// columns are sized by. Measured with Qt's font metrics on the screen of the measured widget.

#include <cstdint>
#include <string>

class QFont;
class QWidget;

namespace qv {

class ReportList;

/// Width of text in font on the screen of widget (the primary screen when null), in twips.
int32_t TextWidthTwips(const QFont& font, const std::string& text, const QWidget* widget);

/// *width = the width of text in the list's font family, size, italic and underline, bold
/// when bold is true and plain otherwise, whatever the list's own weight.
void GetLvTextWidth(const ReportList* list, const std::string& text, bool bold, int32_t* width);

/// *width = the width of text in object's font, as GetLvTextWidth measures it.
void GetObjectTextWidth(const QWidget* object, const std::string& text, bool bold, int32_t* width);

/// *width = the width of text in the measuring font of its own: "Small Fonts", 6.75 points,
/// regular weight.
void TextWidthFRM(const std::string& text, int32_t* width);

}  // namespace qv
