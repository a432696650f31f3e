#pragma once
// A converter window opened in an isolated home with a scripted user interface, and the
// user's actions on it: typing into a field and moving the focus away.

#include <memory>
#include <string>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "converter/converter_frm.h"
#include "support/scripted_ui.h"
#include "support/test_machine.h"

namespace qv::test {

/// Opens Converter_Frm as the start window does and drives its fields like a user.
class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(); }
  void TearDown() override { m_frm.reset(); }

  /// Creates the window and opens it through Disp_Frm with itself as the caller, on the
  /// numeric tab.
  void Open() {
    m_frm = std::make_unique<Converter_Frm>();
    m_frm->Disp_Frm(m_frm.get(), m_msiFile, "", 0, nullptr);
    m_frm->SSTab1->setCurrentIndex(1);
    m_frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frm.get()));
  }

  /// Closes the window through its "Return" menu item and deletes it.
  void CloseByReturn() {
    m_frm->M_Exit->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(m_frm->isVisible());
    m_frm.reset();
  }

  /// The field of a control array, by name and index ("T_OrigValue", 2).
  QLineEdit* Field(const char* name, int index) const {
    auto* field = m_frm->findChild<QLineEdit*>(QStringLiteral("%1_%2").arg(name).arg(index));
    EXPECT_NE(field, nullptr) << name << "_" << index;
    return field;
  }

  /// The text a field shows.
  std::string Text(const char* name, int index) const {
    QLineEdit* field = Field(name, index);
    return field ? field->text().toStdString() : "<no such field>";
  }

  /// Replaces the field's text by typing, then moves the focus to another control.
  void Enter(const char* name, int index, const QString& text) {
    QLineEdit* field = Field(name, index);
    ASSERT_NE(field, nullptr);
    field->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    ASSERT_EQ(field->text(), text);
    // The last option button does not change the selection by getting the focus.
    QRadioButton* elsewhere = m_frm->Op_Operator[9];
    elsewhere->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), elsewhere);
  }

  /// Clicks the option button of an operator with the mouse.
  void ClickOperator(int index) {
    QRadioButton* option = m_frm->Op_Operator[index];
    // On the round indicator: a radio button takes clicks on its indicator and caption only.
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));
    ASSERT_TRUE(m_frm->Op_Operator[index]->isChecked());
  }

  ScopedTestMachine m_machine;
  ScopedScriptedUi m_ui;
  std::unique_ptr<Converter_Frm> m_frm;
  std::string m_msiFile;
};

}  // namespace qv::test
