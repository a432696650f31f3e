#include "listview/colsort_frm.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "list_fixture.h"

namespace qv::test {
namespace {

// What the three key rows show: the order's text, the chosen column's title ("" for none),
// and whether the column choice is enabled.
struct KeyRow {
  std::string order;
  std::string column;
  bool enabled;
  bool operator==(const KeyRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const KeyRow& row) {
  return out << row.order << "/" << row.column << "/" << row.enabled;
}

class ColSortTest : public ListWindowTest {
 protected:
  void SetUp() override {
    ListWindowTest::SetUp();
    for (const char* title : {"File Name", "Type", "Size", "DateTime"})
      AddColumn(m_list, title, 0, "S");
  }
  /// Opens the dialog for column 3 with tag, runs act on it (which closes it or not).
  template <typename Act>
  void Open(const std::string& tag, Act act) {
    m_list->SetColumnTag(3, tag);
    WhenModal<ColSort_Frm>(act);
    ColSort_Frm dialog(m_window.get());
    dialog.Disp_Frm(m_window.get(), m_list, 3);
  }
  static std::vector<KeyRow> Rows(const ColSort_Frm* dialog) {
    std::vector<KeyRow> rows;
    for (int k = 0; k < 3; ++k) {
      rows.push_back({dialog->Cb_Order[k]->currentText().toStdString(),
                      dialog->Cb_Column[k]->currentText().toStdString(),
                      dialog->Fr_Column[k]->isEnabled()});
    }
    return rows;
  }
};

TEST_F(ColSortTest, ShowsItsCaptionsReadsEveryShapeOfTagAndWritesTheKeysChosen) {
  const KeyRow off{"Not Used", "", false};
  Open("", [&off](ColSort_Frm* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Column Sort Details for \"Select Msi Files\" Window ");
    EXPECT_EQ(dialog->L_ListView->text(), "Lv_MSIFiles");
    EXPECT_EQ(dialog->Cb_ColHeader->currentText(), "Size");
    EXPECT_EQ(Rows(dialog), (std::vector<KeyRow>{{"Standard Order", "Size", true}, off, off}));
    dialog->M_Cancel->trigger();
    EXPECT_FALSE(dialog->isVisible());
  });
  const std::pair<const char*, std::vector<KeyRow>> read[] = {
      {"S>2,<4,1",
       {{"> Always Descending", "Type", true},
        {"< Always Ascending", "DateTime", true},
        {"Standard Order", "File Name", true}}},
      // An empty number is the column being edited.
      {"S<,2", {{"< Always Ascending", "Size", true}, {"Standard Order", "Type", true}, off}},
      {"S9", {{"Standard Order", "", true}, off, off}},
      {"S1,2,4,3",
       {{"Standard Order", "File Name", true},
        {"Standard Order", "Type", true},
        {"Standard Order", "DateTime", true}}},
  };
  for (const auto& [tag, rows] : read) {
    Open(tag, [&, tag = tag, rows = rows](ColSort_Frm* dialog) {
      EXPECT_EQ(Rows(dialog), rows) << tag;
      dialog->M_Cancel->trigger();
    });
    EXPECT_EQ(m_list->ColumnTag(3), tag) << "cancel keeps the Tag";
  }

  // Saving writes the keys chosen in the combos.
  struct Case {
    const char* tag;
    std::vector<std::pair<int, int>> keys;  // (order entry, column entry) per key; -1 keeps
    const char* written;
  };
  const Case saved[] = {
      {"", {{0, -1}}, "S"},
      // Key 2 alone is written first and comes back as key 1.
      {"S", {{0, -1}, {3, 3}}, "S>4"},
      {"D", {{3, 1}, {2, 3}, {1, 0}}, "D>2,<4,1"},
      // A used key without a column writes only its mark.
      {"S<9", {}, "S<"},
      {"S9", {}, "S,"},
  };
  for (const Case& c : saved) {
    Open(c.tag, [&](ColSort_Frm* dialog) {
      for (size_t k = 0; k < c.keys.size(); ++k) {
        dialog->Cb_Order[k]->setCurrentIndex(c.keys[k].first);
        EXPECT_EQ(dialog->Fr_Column[k]->isEnabled(), c.keys[k].first != 0) << c.tag << k;
        if (c.keys[k].second >= 0) dialog->Cb_Column[k]->setCurrentIndex(c.keys[k].second);
      }
      dialog->M_SaveExit->trigger();
      EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(m_list->ColumnTag(3), c.written) << c.tag;
  }
}

}  // namespace
}  // namespace qv::test
