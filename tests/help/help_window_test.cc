// The help window as the user meets it: one window, opened at a topic, the text built into the
// program, and kept by the program's top window rather than by a passing one.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include "converter/converter_captions.h"
#include "help/help_window.h"

namespace qv::test {
namespace {

QWidget* HelpWindow() {
  QWidget* found = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() != QLatin1String("Help_Frm")) continue;
    EXPECT_EQ(found, nullptr) << "more than one help window";
    found = window;
  }
  return found;
}

QTextBrowser* Browser() {
  QWidget* window = HelpWindow();
  return window ? window->findChild<QTextBrowser*>(QStringLiteral("T_Help")) : nullptr;
}

std::string Topic() {
  return Browser()->source().fragment().toStdString();
}

class HelpWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    delete HelpWindow();
    QApplication::processEvents();
  }
};

// Help opened from a passing window belongs to the program's top window; further topics go to
// the same window, and Escape closes it. The text built into the program has every topic, link
// and caption.
TEST_F(HelpWindowTest, OneWindowGoesToEachTopicAndItsTextHasEveryTopicLinkAndCaption) {
  auto top = std::make_unique<QWidget>();
  auto* passing = new QWidget(top.get(), Qt::Window);
  passing->show();
  ShowHelpWindow(passing, HelpTopic::kGuids);
  QPointer<QWidget> help = HelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->parentWidget(), top.get());
  delete passing;
  ShowHelpWindow(nullptr, HelpTopic::kSettings);
  EXPECT_EQ(HelpWindow(), help.data());
  EXPECT_EQ(Topic(), "settings");

  help->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(help.data()));
  QTest::keyClick(help.data(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(help.isNull()) << "Escape closes the window and releases it";

  ShowHelpWindow(nullptr);
  ASSERT_NE(Browser(), nullptr);
  EXPECT_EQ(HelpWindow()->windowTitle().toStdString(), "QuorvexConverter Help");
  std::set<std::string> anchors, links;
  const QTextDocument& document = *Browser()->document();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      for (const QString& name : it.fragment().charFormat().anchorNames()) {
        anchors.insert(name.toStdString());
      }
      const QString href = it.fragment().charFormat().anchorHref();
      if (href.startsWith(QLatin1Char('#'))) links.insert(href.mid(1).toStdString());
    }
  }
  for (int topic = 0; topic <= static_cast<int>(HelpTopic::kSettings); ++topic) {
    EXPECT_TRUE(anchors.count(HelpAnchor(static_cast<HelpTopic>(topic)))) << topic;
  }
  EXPECT_FALSE(links.empty());
  for (const std::string& link : links) EXPECT_TRUE(anchors.count(link)) << "#" << link;

  // It names what the windows show and the program reads, as they are written.
  const std::string text = Browser()->toPlainText().toStdString();
  std::vector<std::string> names(std::begin(kTabCaptions), std::end(kTabCaptions));
  names.insert(names.end(), std::begin(kOperatorCaptions), std::end(kOperatorCaptions));
  names.insert(names.end(),
               {kWindowCaption, kExitCaption, kBrowseCaption, kMsiFileCaption, kStandardGuidCaption,
                kPackedGuidCaption, kGuidDetailsCaption, kBitsHexOpenCaption, kCalculationError,
                "WINEPREFIX", "QUORVEX_REGISTRY_IMPORT", "QUORVEX_WINDOWS", "XDG_CONFIG_HOME",
                "HKEY_CURRENT_USER\\Software\\Dunar\\Quorvex", "Return Selected File",
                "Return with no File Selected"});
  for (const std::string& name : names) EXPECT_NE(text.find(name), std::string::npos) << name;
}

}  // namespace
}  // namespace qv::test
