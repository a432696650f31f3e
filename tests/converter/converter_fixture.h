#pragma once
// A converter window opened in an isolated home with a scripted user interface, driven like a
// user: typing into a field and moving the focus away.

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "converter/converter_frm.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"
#include "support/test_machine.h"

namespace qv::test {

/// The entries of a combo box's list, in order.
inline std::vector<std::string> ComboItems(const QComboBox& combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo.count(); ++i) items.push_back(combo.itemText(i).toStdString());
  return items;
}

/// Opens Converter_Frm as the start window does, on a test machine with the given options.
class ConverterTest : public ::testing::Test {
 protected:
  explicit ConverterTest(const TestMachineOptions& machine = {}) : m_machine(machine) {}
  void SetUp() override { Open(); }

  /// Creates the window and opens it through Disp_Frm with itself as the caller.
  void Open() {
    m_frm = std::make_unique<Converter_Frm>();
    m_frm->Disp_Frm(m_frm.get(), m_msiFile, "", 0, nullptr);
    m_frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frm.get()));
  }

  /// A line edit by object name ("T_OrigValue_2").
  QLineEdit* Field(const QString& name) const {
    auto* field = m_frm->findChild<QLineEdit*>(name);
    EXPECT_NE(field, nullptr) << name.toStdString();
    return field;
  }
  /// The text a line edit or label shows.
  std::string Text(const QString& name) const {
    if (auto* label = m_frm->findChild<QLabel*>(name)) return label->text().toStdString();
    return Field(name)->text().toStdString();
  }

  /// Shows the field's tab, focuses the field, replaces its text by typing, then moves the
  /// focus to the tab bar.
  void Type(QWidget* field, const std::string& text) {
    ASSERT_NE(field, nullptr);
    for (int tab = 0; tab < m_frm->SSTab1->count(); ++tab) {
      if (m_frm->SSTab1->widget(tab)->isAncestorOf(field)) m_frm->SSTab1->setCurrentIndex(tab);
    }
    field->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), field);
    if (auto* combo = qobject_cast<QComboBox*>(field)) {
      combo->lineEdit()->clear();
    } else {
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(field, Qt::Key_Delete);
    }
    QTest::keyClicks(field, QString::fromStdString(text));
    m_frm->SSTab1->findChild<QTabBar*>()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }
  void Enter(const QString& name, const std::string& text) { Type(Field(name), text); }

  /// Clicks the option button of an operator on its round indicator.
  void ClickOperator(int index) {
    QRadioButton* option = m_frm->Op_Operator[index];
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));
  }

  FreshProgramState m_fresh;
  ScopedTestMachine m_machine;
  ScopedScriptedUi m_ui;
  std::unique_ptr<Converter_Frm> m_frm;
  std::string m_msiFile;
};

}  // namespace qv::test
