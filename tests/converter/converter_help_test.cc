// F1 in the converter opens the help at the tab on show.

#include <QTextBrowser>
#include <QUrl>

#include "converter/converter_fixture.h"
#include "help/help_window.h"

namespace qv::test {
namespace {

QWidget* OpenHelpWindow() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("Help_Frm") && window->isVisible()) return window;
  }
  return nullptr;
}

class ConverterHelpTest : public ConverterTest {
 protected:
  void TearDown() override {
    delete OpenHelpWindow();
    ConverterTest::TearDown();
  }
};

TEST_F(ConverterHelpTest, F1OpensTheHelpAtTheTabOnShow) {
  const struct {
    int tab;
    HelpTopic topic;
  } kCases[] = {{0, HelpTopic::kGuids},
                {1, HelpTopic::kNumbers},
                {2, HelpTopic::kRecords},
                {3, HelpTopic::kFileNames}};
  for (const auto& c : kCases) {
    m_frm->SSTab1->setCurrentIndex(c.tab);
    m_frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frm.get()));
    QTest::keyClick(m_frm->SSTab1->currentWidget(), Qt::Key_F1);
    QWidget* help = OpenHelpWindow();
    ASSERT_NE(help, nullptr) << "tab " << c.tab;
    EXPECT_EQ(help->parentWidget(), m_frm.get());
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("T_Help"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->source().fragment().toStdString(), HelpAnchor(c.topic)) << "tab " << c.tab;
  }
}

}  // namespace
}  // namespace qv::test
