#pragma once
// The most-recent-first history of installer files behind a combo box: entries named by a
// prefix and a number ("Converter0" is the newest) under the settings key.

#include <string>

class QComboBox;

namespace qv {

/// True when the combo's list is empty or its text differs (ignoring case) from the first
/// entry of the list.
bool HistoryIsStale(const QComboBox& combo);

/// Moves the combo's text to entry 0 of the history (inserting it when new, shifting the
/// newer entries down by one) and reloads the combo's list.
void AddToHistory(QComboBox* combo, const std::string& prefix);

/// Refills the combo's list from the stored entries up to the first missing or empty one,
/// deleting entries numbered above HistoryMax; selects and returns in *first the newest.
void LoadHistory(const std::string& prefix, std::string* first, QComboBox* combo);

}  // namespace qv
