#include "services/desktop_services.h"
#include "services/font_warm_up.h"
#include "services/help_path.h"
#include "services/help_viewer.h"
#include "window/window_fixture.h"

#include <QPrinterInfo>
#include <dlfcn.h>

using namespace vantoriku;

TEST(HelpViewerTest, ShowsContentsAndAnIndexInJapaneseOrderAndKeepsLinksInTheDocument) {
    HelpViewer viewer;
    viewer.open(VANTORIKU_HELP_SOURCE);
    viewer.resize(820, 300);
    viewer.show();
    auto* contents = viewer.findChild<QTreeWidget*>("helpContents");
    QString topics; // a blank before each level below the first
    for (QTreeWidgetItemIterator it(contents); *it; ++it) {
        topics += QString((*it)->parent() ? (*it)->parent()->parent() ? 2 : 1 : 0, ' ') + (*it)->text(0);
    }
    EXPECT_EQ(topics, "Vantoriku ヘルプ 時代を選ぶ 年号を答える 採点する 正答率の色 答えを消す 総合評価 "
                      " レベル 印刷と終了 キーボード操作");
    auto* index = viewer.findChild<QListWidget*>("helpIndex");
    EXPECT_EQ(index->item(0)->text() + index->item(1)->text() + index->item(2)->text(), "Tab キークリアレベル");
    viewer.findChild<QLineEdit*>("helpIndexFilter")->setText("級");
    const auto shown = [](QListWidgetItem* item) { return !item->isHidden(); };
    EXPECT_EQ(std::ranges::count_if(index->findItems("", Qt::MatchContains), shown), 3);
    auto* page = viewer.findChild<QTextBrowser*>("helpPage");
    emit contents->itemClicked(contents->findItems("キーボード操作", Qt::MatchRecursive)[0], 0);
    const int atKeyboard = page->verticalScrollBar()->value();
    for (const char* elsewhere : {"https://example.org#top", "other.html#top", "file:///x#top"}) {
        emit page->anchorClicked(QUrl(elsewhere));
        EXPECT_EQ(page->verticalScrollBar()->value(), atKeyboard) << elsewhere;
    }
    emit page->anchorClicked(QUrl("#top"));
    EXPECT_LT(page->verticalScrollBar()->value(), atKeyboard);
}

TEST(HelpViewerTest, IsAWindowNamedByItsTitleThatSaysWhenTheDocumentIsMissingAndEscCloses) {
    auto* viewer = new HelpViewer; // deletes itself on close
    viewer->open("/nowhere/help.html");
    const QString says = viewer->findChild<QTextBrowser*>("helpPage")->toPlainText();
    EXPECT_EQ(says, "ヘルプファイルを開けません: /nowhere/help.html");
    viewer->show();
    QApplication::setActiveWindow(viewer);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(viewer);
    EXPECT_TRUE(window->text(QAccessible::Name) == "Vantoriku ヘルプ" && window->role() == QAccessible::Window);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(viewer->isHidden());
    const QTemporaryDir prefix; // installed: <prefix>/bin/vantoriku, <prefix>/share/vantoriku/help.html
    const QString installed = prefix.filePath("share/vantoriku/help.html");
    QDir().mkpath(prefix.filePath("share/vantoriku")) && QDir().mkpath(prefix.filePath("bin"));
    QFile::copy(VANTORIKU_HELP_SOURCE, installed);
    EXPECT_EQ(helpFilePathFor(prefix.filePath("bin")), installed);
}

// Help from the menu opens once, in a window of its own, and does not wait;
// 終了 and the close box end the event loop with status 0, help open or not.
TEST(DesktopServicesTest, HelpOpensBesideTheWindowAndBothWaysOutEndWithStatusZero) {
    for (const bool closeBox : {false, true}) {
        DesktopServices services;
        Form1 form(services);
        form.Form_Load();
        form.findChild<QAction*>("mokuji")->trigger();
        form.findChild<QAction*>("mokuji")->trigger();
        const auto help = [](QWidget* w) { return qobject_cast<HelpViewer*>(w) && w->isVisible() && !w->isModal(); };
        EXPECT_EQ(std::ranges::count_if(QApplication::topLevelWidgets(), help), 1);
        QAction* quit = form.findChild<QAction*>("munquititem");
        QTimer::singleShot(0, [&] { closeBox ? (void)form.close() : quit->trigger(); });
        QTimer watchdog;
        watchdog.callOnTimeout([] { QApplication::exit(99); });
        watchdog.start(10000);
        EXPECT_EQ(QApplication::exec(), 0) << closeBox;
    }
    FontWarmUp{}; // ends its thread, finished or not
    FontWarmUp().finish();
}

// Points libcups, which Qt's print plugin loads and the program uses, at a server.
void useServer(const QByteArray& socket) {
    (void)QPrinterInfo::availablePrinterNames();
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    reinterpret_cast<void (*)(const char*)>(dlsym(cups, "cupsSetServer"))(socket.constData());
}

// Against the print server of with_cups.sh, whose default is a cups-pdf queue.
TEST(PrintingTest, HandsOneJobToTheDefaultQueueOrSaysWhyNot) {
    if (qEnvironmentVariableIsEmpty("VANTORIKU_TEST_CUPS_ROOT")) {
        GTEST_SKIP() << "needs the print server of tests/services/with_cups.sh";
    }
    DesktopServices services;
    Form1 form(services);
    form.Form_Load();
    const auto print = [&form] {             // what the box that printing showed said, if anything
        vantoriku::testing::BoxCloser boxes; // not const: its timer writes what it saw
        form.findChild<QAction*>("munprintitem")->trigger();
        EXPECT_TRUE(form.findChild<QWidget*>("Command1")->isVisible() &&
                    form.findChild<QWidget*>("Command2")->isVisible());
        return boxes.shown;
    };
    useServer(qgetenv("CUPS_SERVER"));
    EXPECT_TRUE(print().isEmpty()); // no message
    const QDir out(qEnvironmentVariable("VANTORIKU_TEST_CUPS_ROOT") + "/pdf");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !out.entryList({"*.pdf"}).isEmpty(); }, 20000));

    const QString queue = qEnvironmentVariable("VANTORIKU_TEST_CUPS_QUEUE");
    const auto onQueue = [&](const char* command) {
        QProcess::execute(command, {"-h", qgetenv("CUPS_SERVER"), queue});
    };
    const std::tuple<std::function<void()>, std::function<void()>, QString> failures[] = {
        {[] { useServer("/nonexistent/cups.sock"); }, [] { useServer(qgetenv("CUPS_SERVER")); },
         "^既定のプリンターがないため、印刷できませんでした。$"},
        {[&] { onQueue("cupsreject"); }, [&] { onQueue("cupsaccept"); },
         "^プリンター「" + queue + "」が印刷を受け付けませんでした（.+）。$"},
        {[] { qputenv("TMPDIR", "/proc"); }, [] { qunsetenv("TMPDIR"); }, // nothing can be made there
         "^プリンター「" + queue + "」で印刷を始められませんでした。$"}};
    for (const auto& [cause, mend, message] : failures) {
        cause();
        const QString shown = print().value(0, "(no message)");
        mend();
        EXPECT_TRUE(QRegularExpression(message).match(shown).hasMatch()) << shown.toStdString();
    }
}
