#include "help/help_path.h"
#include "help/help_viewer.h"
#include "look/program_look.h"
#include "window/window_fixture.h"

using namespace vantoriku;
using vantoriku::testing::str;

namespace {

// A viewer of the help document, shown and active, and what it shows.
struct Help {
    Help() {
        viewer.open(VANTORIKU_HELP_SOURCE);
        viewer.resize(820, 300);
        viewer.show();
        viewer.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&viewer));
    }
    std::string shownEntries(int first = -1) const { // the first few, or all
        QStringList shown;
        for (int row = 0; row < index->count(); ++row)
            if (!index->item(row)->isHidden())
                shown << index->item(row)->text();
        return str(shown.mid(0, first).join('|'));
    }
    void choose(const char* topic) {
        emit contents->itemActivated(contents->findItems(topic, Qt::MatchRecursive)[0], 0);
    }
    std::string lineAtCaret() const { return str(page->textCursor().block().text()); } // where reading starts
    HelpViewer viewer;
    QTreeWidget* contents = viewer.findChild<QTreeWidget*>("helpContents");
    QLineEdit* filter = viewer.findChild<QLineEdit*>("helpIndexFilter");
    QListWidget* index = viewer.findChild<QListWidget*>("helpIndex");
    QTextBrowser* page = viewer.findChild<QTextBrowser*>("helpPage");
};

} // namespace

// Its contents follow the headings, its index is in Japanese order, links
// never leave the document, and the keyboard leads from a section or an
// entry to the caret there, from which a screen reader reads line by line.
TEST(HelpViewerTest, LeadsFromItsContentsAndIndexToWhereReadingStarts) {
    Help help;
    QStringList topics; // two blanks before each level below the first
    for (QTreeWidgetItemIterator it(help.contents); *it; ++it)
        topics << QString((*it)->parent() ? (*it)->parent()->parent() ? 4 : 2 : 0, ' ') + (*it)->text(0);
    EXPECT_TRUE(help.contents->isHeaderHidden()) << "the contents have a header";
    EXPECT_EQ(str(topics.join('|')), "Vantoriku ヘルプ|  時代を選ぶ|  年を答える|  採点する|  正答率の色|  答えを消す|"
                                     "  総合評価|    レベル|  印刷と終了|  キーボード操作");
    EXPECT_EQ(help.shownEntries(3), "Alt キー|色|印刷") << "the first entries, in the order of their readings";
    EXPECT_TRUE(help.page->textInteractionFlags() & Qt::TextSelectableByKeyboard) << "no caret to move";
    help.choose("キーボード操作");
    EXPECT_EQ(help.lineAtCaret(), "キーボード操作");
    EXPECT_EQ(QApplication::focusWidget(), help.page) << "reading does not start in the page";
    const int atKeyboard = help.page->verticalScrollBar()->value();
    for (const char* elsewhere : {"https://example.org#top", "other.html#top", "file:///x#top"}) {
        emit help.page->anchorClicked(QUrl(elsewhere));
        EXPECT_EQ(help.page->verticalScrollBar()->value(), atKeyboard) << "followed " << elsewhere;
    }
    emit help.page->anchorClicked(QUrl("#top"));
    EXPECT_LT(help.page->verticalScrollBar()->value(), atKeyboard) << "did not follow #top";
    help.viewer.findChild<QTabWidget*>()->setCurrentIndex(1); // 索引
    // A learner's words, by kanji or by reading, in either kana, full or half width.
    for (const auto& [typed, found] : {std::pair{"年号", "年号"},
                                       {"せいれき", "西暦"},
                                       {"サイテン", "採点"},
                                       {"ｷｰﾎﾞｰﾄﾞ", "キーボード"},
                                       {"f10", "F10 キー"},
                                       {"いんさつ", "印刷"}}) {
        help.filter->setText(typed);
        EXPECT_EQ(help.shownEntries(1), found) << "typed " << typed;
    }
    help.filter->setText("級");
    EXPECT_EQ(help.shownEntries(), "上級|初級|中級");
    QTest::keyClick(help.filter, Qt::Key_Return);
    EXPECT_EQ(help.lineAtCaret(), "上級: 80% 以上 100% 未満") << "Return does not open the first entry";
    help.filter->setFocus();
    QTest::keyClick(help.filter, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), help.index) << "Down does not move into the list";
    help.filter->setText("該当なし");
    EXPECT_EQ(help.shownEntries(), "該当する項目はありません");
    help.filter->setText("級");
    help.viewer.open(VANTORIKU_HELP_SOURCE);
    EXPECT_EQ(help.shownEntries(), "上級|初級|中級") << "opened again, the list and the box disagree";
}

TEST(HelpViewerTest, IsAWindowOfTheProgramThatSaysWhenTheDocumentIsMissingAndEscCloses) {
    auto* viewer = new HelpViewer; // deletes itself on close
    viewer->open("/nowhere/help.html");
    EXPECT_EQ(str(viewer->findChild<QTextBrowser*>("helpPage")->toPlainText()),
              "ヘルプファイルを開けません: /nowhere/help.html");
    EXPECT_FALSE(viewer->windowIcon().isNull()) << "no icon";
    EXPECT_EQ(viewer->palette(), lightPalette()) << "the help takes the desktop's colours";
    viewer->show();
    viewer->activateWindow();
    EXPECT_EQ(str(QAccessible::queryAccessibleInterface(viewer)->text(QAccessible::Name)), "Vantoriku ヘルプ");
    ASSERT_TRUE(QTest::qWaitFor([viewer] { return viewer->isAncestorOf(QApplication::focusWidget()); }))
        << "the keys, Esc too, do not go to the help";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(viewer->isHidden()) << "Esc did not close the help";
    const QTemporaryDir prefix; // installed: <prefix>/bin/vantoriku, <prefix>/share/vantoriku/help.html
    QDir().mkpath(prefix.filePath("share/vantoriku"));
    QDir().mkpath(prefix.filePath("bin"));
    ASSERT_TRUE(QFile::copy(VANTORIKU_HELP_SOURCE, prefix.filePath("share/vantoriku/help.html")))
        << "could not copy the help document into the install folder";
    EXPECT_EQ(str(helpFilePathFor(prefix.filePath("bin"))), str(prefix.filePath("share/vantoriku/help.html")));
}
