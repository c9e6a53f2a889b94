#pragma once

#include "drill/drill_fixture.h"
#include "window/main_window.h"

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

// Help, printing and exit are tested against the real services elsewhere.
class NoServices : public WindowServices {
  public:
    void showHelp(QWidget& /*window*/) override {}
    bool printClientArea(QWidget& /*clientArea*/, std::string& /*failure*/) override {
        return true;
    }
    void quit() override {}
};

// What a message box showed before the test pressed its OK button.
struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Information;
    int buttons = 0;
    bool modal = false;
    QPalette palette;
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

    NoServices services;
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
        seen.palette = box->palette();
        if (seen.whileOpen) {
            seen.whileOpen();
        }
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }
};

} // namespace vantoriku::testing
