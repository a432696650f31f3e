// Where the converter opens and how it fits smaller screens: at its designed size where the
// screen allows, and down to 800x600 with every field at its usable size, the tabs scrolling.

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>

#include "converter/designed_placement.h"
#include "converter_fixture.h"

namespace qv::test {
namespace {

TEST(DesignedPlacementTest, OpensAtTheDesignedSizeWhereTheScreenAllows) {
  const QSize designed(960, 680);
  const std::pair<QRect, QRect> cases[] = {
      // available area, window
      // 1366x768 less a 40-pixel panel: the whole window and its frame fit.
      {{0, 0, 1366, 728}, {203, 32, 960, 680}},
      // A screen smaller than the design: the window takes the free area less its frame.
      {{0, 0, 800, 600}, {8, 32, 784, 560}},
  };
  for (const auto& [available, expected] : cases) {
    EXPECT_EQ(OpeningRect(designed, available), expected) << available.width();
  }
}

using ConverterPlacementTest = ConverterTest;

// Every field of every tab at no less than its smallest usable size, and reachable by
// scrolling its tab.
void ExpectFieldsUsable(Converter_Frm& frm) {
  for (int tab = 0; tab < frm.SSTab1->count(); ++tab) {
    frm.SSTab1->setCurrentIndex(tab);
    QApplication::processEvents();
    auto* area = qobject_cast<QScrollArea*>(frm.SSTab1->widget(tab));
    ASSERT_NE(area, nullptr) << "tab " << tab;
    QList<QWidget*> fields;
    for (QWidget* w : area->widget()->findChildren<QWidget*>()) {
      if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) fields << w;
    }
    ASSERT_FALSE(fields.isEmpty()) << "tab " << tab;
    for (QWidget* field : fields) {
      if (qobject_cast<QComboBox*>(field->parentWidget())) continue;  // a combo box's own
      const std::string name = field->objectName().toStdString();
      EXPECT_GE(field->width(), field->minimumSizeHint().width()) << name;
      EXPECT_GE(field->height(), field->minimumSizeHint().height()) << name;
      const QRect inPage(field->mapTo(area->widget(), QPoint(0, 0)), field->size());
      area->ensureVisible(inPage.center().x(), inPage.center().y(), inPage.width() / 2 + 1,
                          inPage.height() / 2 + 1);
      QApplication::processEvents();
      const QRect shown(field->mapTo(area->viewport(), QPoint(0, 0)), field->size());
      EXPECT_TRUE(area->viewport()->rect().contains(shown))
          << name << " in a window of " << frm.width() << "x" << frm.height();
    }
  }
}

TEST_F(ConverterPlacementTest, OpensWithinTheScreenAndFitsDownTo800x600) {
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(m_frm->geometry(), OpeningRect(Converter_Frm::kDesignedSize, available));
  ExpectFieldsUsable(*m_frm);

  m_frm->resize(800, 600);
  QApplication::processEvents();
  EXPECT_EQ(m_frm->size(), QSize(800, 600));
  ExpectFieldsUsable(*m_frm);
}

}  // namespace
}  // namespace qv::test
