#pragma once

#include "drill/drill_fixture.h"
#include "sheet/form1.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantoriku::testing {

// Stands in for help, printing and exit, and remembers what was asked.
class FakeServices : public WindowServices {
  public:
    void showHelp(QWidget&) override { ++helpShown; }
    bool printClientArea(QWidget& clientArea, std::string& failure) override {
        buttonsVisibleWhilePrinting.push_back(
            clientArea.findChild<QPushButton*>("Command1")->isVisible() ||
            clientArea.findChild<QPushButton*>("Command2")->isVisible());
        failure = printFailure;
        return printFailure.empty();
    }
    void quit() override { ++quitCalls; }

    int helpShown = 0;
    int quitCalls = 0;
    std::string printFailure;
    std::vector<bool> buttonsVisibleWhilePrinting;
};

// What a message box showed before the test pressed its OK button.
struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Information;
    int buttons = 0;
    bool modal = false;
    std::function<void()> whileOpen;
};

// One shown main window per test, with helpers that act as the user does.
class Form1Test : public ::testing::Test {
  protected:
    Form1Test() { form.Form_Load(); }

    template <typename T = QWidget> T* control(const char* name) {
        T* widget = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* field(int row) { return control<QLineEdit>(("Text" + std::to_string(row)).c_str()); }
    QString caption(const char* label) { return control<QLabel>(label)->text(); }

    void trigger(const char* actionName) { control<QAction>(actionName)->trigger(); }
    void click(const char* widgetName) { QTest::mouseClick(control(widgetName), Qt::LeftButton); }

    // Presses OK on the next message box as soon as it is open.
    void answerNextBox(SeenBox& seen) {
        QTimer::singleShot(0, [this, &seen] { pressOk(seen); });
    }

    // Types text as an input method commits it, which also works for Japanese.
    static void commitText(QLineEdit* target, const QString& text) {
        target->setFocus();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(target, &event);
    }

    FakeServices services;
    Form1 form{services};

  private:
    void pressOk(SeenBox& seen) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            QTimer::singleShot(10, [this, &seen] { pressOk(seen); });
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        seen.modal = box->isModal();
        if (seen.whileOpen) {
            seen.whileOpen();
        }
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }
};

} // namespace vantoriku::testing
