#include "help/help_viewer.h"
#include "services/desktop_services.h"
#include "services/font_warm_up.h"
#include "window/window_fixture.h"

using namespace vantoriku;
using vantoriku::testing::str;

// Help opens once, with its document, as a transient of the main window
// that fits the screen, and does not wait; asked again, it keeps its place.
// 終了 ends the event loop with status 0, help open or not.
TEST(DesktopServicesTest, HelpOpensOnceAsTheWindowsTransientAndQuitEndsWithStatusZero) {
    DesktopServices services;
    MainWindow window(services);
    window.showAtStart();
    window.findChild<QAction*>("contentsItem")->trigger();
    auto* help = window.findChild<HelpViewer*>();
    ASSERT_NE(help, nullptr) << "no help window";
    EXPECT_EQ(help->windowHandle()->transientParent(), window.windowHandle()) << "not the window's transient";
    EXPECT_TRUE(window.screen()->availableGeometry().contains(help->frameGeometry())) << "not all on the screen";
    EXPECT_EQ(help->frameGeometry().top(), window.frameGeometry().top()) << "not level with the main window";
    EXPECT_TRUE(QTest::qWaitFor([help] { return QApplication::activeWindow() == help; })) << "opened behind";
    EXPECT_EQ(help->findChild<QTabWidget*>()->width(), help->width() * 3 / 10) << "the contents not 3/10 of the width";
    auto* page = help->findChild<QTextBrowser*>("helpPage");
    EXPECT_TRUE(page->toPlainText().contains("キーボード操作")) << "the help opened without its document";
    page->scrollToAnchor("keyboard");
    const int atKeyboard = page->verticalScrollBar()->value();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
    window.findChild<QAction*>("contentsItem")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([help] { return QApplication::activeWindow() == help; }))
        << "asked again, it stayed behind";
    EXPECT_EQ(window.findChildren<HelpViewer*>().size(), 1);
    EXPECT_EQ(page->verticalScrollBar()->value(), atKeyboard) << "raised again, the page lost its place";
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm")) {
        const std::unique_ptr<QMenu> standard(help->findChild<QLineEdit*>()->createStandardContextMenu());
        EXPECT_TRUE(standard->actions().constLast()->text().startsWith("すべてを選択"))
            << "Qt's own texts are not in Japanese: " << str(standard->actions().constLast()->text());
    }
    QTimer::singleShot(0, window.findChild<QAction*>("quitItem"), &QAction::trigger);
    QTimer::singleShot(10000, [] { QApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0) << "終了";
    FontWarmUp{}; // ends its thread, finished or not
    FontWarmUp().finish();
}
