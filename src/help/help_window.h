#pragma once
// The help window: Qt's text browser on the help text built into the program, opened from the
// converter (F1) and from the file selection window's "Help" menu.

class QWidget;

namespace qv {

/// The parts of the help text a window can open at.
enum class HelpTopic {
  kContents,   ///< the start of the text
  kGuids,      ///< the "GUIDs" tab
  kNumbers,    ///< the "Numeric Values" tab
  kRecords,    ///< the "Decode Formatted MSI Records" tab
  kFileNames,  ///< the "Long File Names - Short File Names" tab
  kSelection,  ///< the file selection window
  kMachines,   ///< where the program's machine comes from
  kSettings,   ///< where settings are kept
};

/// The anchor name of topic in the help text ("guids").
const char* HelpAnchor(HelpTopic topic);

/// Opens the help window at topic and brings it to the front; modeless. There is one help
/// window: a second call shows the open one at the new topic. It belongs to the top window
/// above parent (so it closes with the program, not with a passing dialog) and is deleted
/// when closed. parent may be null.
void ShowHelpWindow(QWidget* parent, HelpTopic topic = HelpTopic::kContents);

}  // namespace qv
