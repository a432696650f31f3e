#pragma once
// A list's column layout kept under the settings key: SettingsKey\Display\<window>\<list>
// [\<suffix>] holds three texts, "Width" (whole twips), "Posn" (display positions) and
// "Sort" (Tags), each a field-tagged record with one field per column in index order:
// "|1=2100|2=900|3=1500".

#include <cstdint>
#include <string>

class QWidget;

namespace qv {

class ReportList;

/// The key path of the list's layout: the window's and the list's object names, and the
/// suffix when it is not empty.
std::string ListLayoutKey(const QWidget* window, const ReportList* list, const std::string& suffix);

/// Stores the layout of a list with columns: "Posn" (empty when the user may not reorder
/// columns) and "Sort" always, "Width" when *skipColumn is 0 or a column other than
/// *skipColumn has a width other than the stored one. *skipColumn = 0.
void SaveListLayout(QWidget* window, ReportList* list, const std::string& suffix,
                    int32_t* skipColumn);

/// Applies the stored layout; false when none is stored (the columns then share the list's
/// width and that is stored) or when the stored one cannot be read. Columns left much
/// narrower than the list (less than 80 % free) are fitted to their contents.
bool RestoreListLayout(QWidget* window, ReportList* list, const std::string& suffix);

/// True when a column other than skipColumn is not as wide as stored.
bool ListWidthsChanged(QWidget* window, ReportList* list, const std::string& suffix,
                       int32_t skipColumn);

}  // namespace qv
