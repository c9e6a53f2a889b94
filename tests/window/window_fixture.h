#pragma once

#include "window/main_window.h"

#include <QTest>
#include <QtWidgets>
#include <functional>
#include <gtest/gtest.h>

namespace vantoriku::testing {

// Help, printing and exit are tested with the real services elsewhere; this
// only notes whether the two main buttons showed on what was printed.
struct NoServices : WindowServices {
    void showHelp(QWidget& /*window*/) override {}
    void printClientArea(QWidget& area, std::function<void(const std::string&)> done) override {
        buttonsPrinted = area.findChild<QWidget*>("scoreButton")->isVisible() ||
                         area.findChild<QWidget*>("evaluateButton")->isVisible();
        done("");
    }
    void quit() override {}
    bool buttonsPrinted = true;
};

// While it lives, presses OK on every message box that opens, after `look`
// has seen it, and keeps what each said.
struct BoxCloser {
    explicit BoxCloser(std::function<void(QMessageBox&)> look = [](QMessageBox&) {}) {
        timer.callOnTimeout([this, look] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                look(*box);
                shown << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer.start(10);
    }
    QTimer timer;
    QStringList shown;
};

inline std::string str(const QString& text) {
    return text.toStdString();
}

// One shown main window per test, with the given services, and what a user does with it.
template <typename Services> class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        window.showAtStart();
        // On Wayland, only once the compositor gives it the keyboard.
        EXPECT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == window.windowHandle(); }))
            << "the window system did not activate the window";
    }
    template <typename T = QWidget> T* control(const QString& name) {
        T* widget = window.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << "no control " << str(name);
        return widget;
    }
    QLineEdit* field(int row) { return control<QLineEdit>("answer" + QString::number(row)); }
    QString caption(const char* label) { return control<QLabel>(label)->text(); }
    void trigger(const char* action) { control<QAction>(action)->trigger(); }
    void click(const char* widget) { QTest::mouseClick(control(widget), Qt::LeftButton); }
    // What a screen reader asks of a control.
    QString spoken(QWidget* widget, QAccessible::Text what) {
        return QAccessible::queryAccessibleInterface(widget)->text(what);
    }
    Services services;
    MainWindow window{services};
};
using MainWindowTest = WindowTest<NoServices>;

} // namespace vantoriku::testing
