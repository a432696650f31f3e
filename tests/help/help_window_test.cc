// The help window as the user meets it: one window, opened at a topic, the text built into the
// program, and kept by the program's top window rather than by a passing one.

#include <memory>
#include <set>
#include <string>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include "converter/converter_captions.h"
#include "help/help_window.h"
#include "services/installer_helpers.h"

namespace qv::test {
namespace {

constexpr HelpTopic kAllTopics[] = {
    HelpTopic::kContents,  HelpTopic::kGuids,     HelpTopic::kNumbers,  HelpTopic::kRecords,
    HelpTopic::kFileNames, HelpTopic::kSelection, HelpTopic::kMachines, HelpTopic::kSettings};

QWidget* HelpWindow() {
  QWidget* found = nullptr;
  int count = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("Help_Frm")) {
      found = window;
      ++count;
    }
  }
  EXPECT_LE(count, 1) << "more than one help window";
  return found;
}

QTextBrowser* Browser() {
  QWidget* window = HelpWindow();
  return window ? window->findChild<QTextBrowser*>(QStringLiteral("T_Help")) : nullptr;
}

// Every anchor name the loaded help text defines.
std::set<std::string> Anchors(const QTextDocument& document) {
  std::set<std::string> names;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      for (const QString& name : it.fragment().charFormat().anchorNames()) {
        names.insert(name.toStdString());
      }
    }
  }
  return names;
}

// Every link target inside the help text that points into it ("#guids" gives "guids").
std::set<std::string> InternalLinks(const QTextDocument& document) {
  std::set<std::string> links;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QString href = it.fragment().charFormat().anchorHref();
      if (href.startsWith(QLatin1Char('#'))) links.insert(href.mid(1).toStdString());
    }
  }
  return links;
}

// The text is shown from its first line (the heading's margin aside).
bool AtTheTop(const QTextBrowser& browser) {
  return browser.verticalScrollBar()->value() < browser.fontMetrics().height();
}

class HelpWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    delete HelpWindow();
    QApplication::processEvents();
  }
};

TEST_F(HelpWindowTest, OpensTheBuiltInTextTitledAsTheProgramsHelp) {
  ShowHelpWindow(nullptr);
  QWidget* window = HelpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle().toStdString(), "QuorvexConverter Help");
  QTextBrowser* browser = Browser();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(browser->documentTitle().toStdString(), "QuorvexConverter Help");
  EXPECT_GT(browser->toPlainText().size(), 2000) << "the help text was not loaded";
}

TEST_F(HelpWindowTest, EveryTopicAndEveryLinkHasItsPlaceInTheText) {
  ShowHelpWindow(nullptr);
  ASSERT_NE(Browser(), nullptr);
  const std::set<std::string> anchors = Anchors(*Browser()->document());
  for (HelpTopic topic : kAllTopics) {
    EXPECT_TRUE(anchors.count(HelpAnchor(topic))) << HelpAnchor(topic);
  }
  const std::set<std::string> links = InternalLinks(*Browser()->document());
  EXPECT_FALSE(links.empty());
  for (const std::string& link : links) EXPECT_TRUE(anchors.count(link)) << "#" << link;
}

TEST_F(HelpWindowTest, NamesEachTabAsTheWindowCaptionsItAndEachSetting) {
  ShowHelpWindow(nullptr);
  ASSERT_NE(Browser(), nullptr);
  const std::string text = Browser()->toPlainText().toStdString();
  std::vector<std::string> expected(std::begin(kTabCaptions), std::end(kTabCaptions));
  expected.insert(expected.end(), {kWindowCaption, kExitCaption, kBrowseCaption, kMsiFileCaption,
                                   kStandardGuidCaption, kPackedGuidCaption, kGuidDetailsCaption,
                                   kBitsHexOpenCaption, kCalculationError, "WINEPREFIX",
                                   "QUORVEX_REGISTRY_IMPORT", "QUORVEX_WINDOWS", "XDG_CONFIG_HOME",
                                   "HKEY_CURRENT_USER\\Software\\Dunar\\Quorvex",
                                   "Return Selected File", "Return with no File Selected"});
  for (const char* caption : kOperatorCaptions) expected.push_back(caption);
  for (const std::string& words : expected) {
    EXPECT_NE(text.find(words), std::string::npos) << words;
  }
}

TEST_F(HelpWindowTest, ThePackedGuidExampleIsWhatTheProgramComputes) {
  ShowHelpWindow(nullptr, HelpTopic::kGuids);
  ASSERT_NE(Browser(), nullptr);
  const std::string text = Browser()->toPlainText().toStdString();
  const std::string guid = "{12345678-ABCD-EF01-2345-6789ABCDEF01}";
  std::string packed;
  ASSERT_EQ(GUIDFormattedToPacked(guid, &packed), 1);
  EXPECT_NE(text.find(guid), std::string::npos);
  EXPECT_NE(text.find(packed), std::string::npos) << packed;
}

TEST_F(HelpWindowTest, ASecondCallShowsTheOpenWindowAtTheNewTopic) {
  ShowHelpWindow(nullptr, HelpTopic::kContents);
  QPointer<QWidget> first = HelpWindow();
  ASSERT_NE(Browser(), nullptr);
  EXPECT_TRUE(AtTheTop(*Browser()));

  ShowHelpWindow(nullptr, HelpTopic::kSettings);
  EXPECT_EQ(HelpWindow(), first.data());
  EXPECT_EQ(Browser()->source().fragment().toStdString(), "settings");
  EXPECT_FALSE(AtTheTop(*Browser())) << "not scrolled to the topic";
}

TEST_F(HelpWindowTest, BackReturnsToThePreviousTopicAndContentsToTheStart) {
  ShowHelpWindow(nullptr, HelpTopic::kGuids);
  ShowHelpWindow(nullptr, HelpTopic::kMachines);
  QWidget* window = HelpWindow();
  ASSERT_NE(window, nullptr);
  auto* back = window->findChild<QPushButton*>(QStringLiteral("Cm_Back"));
  auto* contents = window->findChild<QPushButton*>(QStringLiteral("Cm_Contents"));
  ASSERT_TRUE(back && contents);
  ASSERT_TRUE(back->isEnabled());
  back->click();
  EXPECT_EQ(Browser()->source().fragment().toStdString(), "guids");
  contents->click();
  EXPECT_EQ(Browser()->source().fragment().toStdString(), "contents");
  EXPECT_TRUE(AtTheTop(*Browser()));
}

TEST_F(HelpWindowTest, BelongsToTheTopWindowSoAPassingWindowLeavesItOpen) {
  auto top = std::make_unique<QWidget>();
  auto* passing = new QWidget(top.get(), Qt::Window);
  passing->show();
  ShowHelpWindow(passing, HelpTopic::kSelection);
  QPointer<QWidget> help = HelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->parentWidget(), top.get());

  delete passing;
  EXPECT_FALSE(help.isNull());
  top.reset();
  EXPECT_TRUE(help.isNull()) << "the help window outlived the program's window";
}

TEST_F(HelpWindowTest, CloseAndEscapeCloseAndReleaseTheWindow) {
  for (const char* how : {"Cm_Close", "Escape"}) {
    ShowHelpWindow(nullptr);
    QPointer<QWidget> help = HelpWindow();
    ASSERT_NE(help, nullptr);
    if (std::string(how) == "Escape") {
      help->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(help.data()));
      QTest::keyClick(help.data(), Qt::Key_Escape);
    } else {
      help->findChild<QPushButton*>(QLatin1String(how))->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(help.isNull()) << how;
  }
}

}  // namespace
}  // namespace qv::test
