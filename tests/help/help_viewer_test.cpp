#include "content/question_bank.h"
#include "drill/drill.h"
#include "help/help_path.h"
#include "help/help_viewer.h"
#include "look/faces.h"
#include "sheet/cell_number.h"
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
    std::string topics() const { // two blanks before each level below the first
        QStringList topics;
        for (QTreeWidgetItemIterator it(contents); *it; ++it)
            topics << QString((*it)->parent() ? (*it)->parent()->parent() ? 4 : 2 : 0, ' ') + (*it)->text(0);
        return str(topics.join('|'));
    }
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
    EXPECT_EQ(help.topics(), "Vantoriku ヘルプ|  時代を選ぶ|  年を答える|  採点する|  正答率の色|  答えを消す|"
                             "  総合評価|    レベル|  印刷と終了|  キーボード操作");
    EXPECT_TRUE(help.contents->isHeaderHidden()) << "the contents have a header";
    EXPECT_EQ(help.shownEntries(4), "IME|青|赤|Altキー") << "the first entries, in the order of their readings";
    EXPECT_TRUE(help.page->textInteractionFlags() & Qt::TextSelectableByKeyboard) << "no caret to move";
    help.choose("キーボード操作");
    EXPECT_EQ(help.lineAtCaret(), "キーボード操作");
    EXPECT_EQ(QApplication::focusWidget(), help.page) << "reading does not start in the page";
    for (const char* link : {"https://example.org#top", "other.html#top", "file:///x#top", "#top"}) {
        help.choose("キーボード操作");
        emit help.page->anchorClicked(QUrl(link));
        EXPECT_EQ(help.lineAtCaret(), link[0] == '#' ? "Vantoriku ヘルプ" : "キーボード操作") << "the link " << link;
    }
    help.viewer.findChild<QTabWidget*>()->setCurrentIndex(1); // 索引
    // Each entry, and what a learner may type to find it: its word, each reading in either kana, full or half width;
    // a key by its spelling and each way it is said.
    // clang-format off
    const std::pair<const char*, const char*> entries[] = {
        {"年号", "年号"}, {"西暦", "せいれき"}, {"採点", "サイテン"}, {"キーボード", "ｷｰﾎﾞｰﾄﾞ"}, {"印刷", "いんさつ"},
        {"元号", "元号 げんごう"}, {"不正解", "不正解 ふせいかい"}, {"間違い", "間違い まちがい"}, {"合計", "合計 ごうけい"},
        {"点数", "点数 てんすう"}, {"満点", "満点 まんてん"}, {"答え", "答え こたえ"}, {"入力", "入力 にゅうりょく"},
        {"スペースキー", "スペース"}, {"矢印キー", "矢印 やじるし"}, {"もう一度", "もう一度 もういちど"}, {"赤", "赤 あか"},
        {"青", "青 あお"}, {"Altキー", "alt あると おると オルト"}, {"Escキー", "esc えすけーぷ"},
        {"Enterキー", "ENTER えんたー"}, {"F10キー", "f10 えふじゅう"}, {"Tabキー", "tab たぶ"}, {"IME", "ime あいえむいー"}};
    // clang-format on
    for (const auto& [entry, typings] : entries)
        for (const QString& typed : QString(typings).split(' ')) {
            help.filter->setText(typed);
            EXPECT_NE(("|" + help.shownEntries() + "|").find("|" + std::string(entry) + "|"), std::string::npos)
                << "typed " << str(typed) << ", the index shows " << help.shownEntries();
        }
    help.filter->setText("級");
    EXPECT_EQ(help.shownEntries(), "上級|初級|中級");
    QTest::keyClick(help.filter, Qt::Key_Return);
    EXPECT_EQ(help.lineAtCaret(), "上級：正答率80%以上100%未満") << "Return does not open the first entry";
    help.filter->setFocus();
    QTest::keyClick(help.filter, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), help.index) << "Down does not move into the list";
    help.filter->setText("該当なし");
    EXPECT_EQ(help.shownEntries(), "該当する項目はありません");
    QTest::keyClick(help.filter, Qt::Key_Return); // nothing to open
}

// The questions of each era, the bounds of the colours and of the levels, and the cut percentages that the help
// states are the program's own; and the page is set in the window's face, not the desktop's.
TEST(HelpViewerTest, StatesTheProgramsOwnCountsAndBoundsInTheWindowsFace) {
    Help help;
    EXPECT_EQ(str(QFontInfo(help.page->font()).family()), str(QFontInfo(fontFor({})).family()));
    const auto n = [](double number) { return QString::number(number); };
    QStringList stated{"（" + n(kQuestionCount) + "点満点）",
                       "40問中39問正解は97.5%ですが、" + n(percentageOf(39, 40)) + "%と表示されます"};
    for (const Era& era : QuestionBank::eras())
        stated << QString::fromUtf8(era.name) + "（" + n(era.rowCount) + "問）";
    for (const Grade& grade : kGrades)
        stated << QString::fromUtf8(grade.colourName) + "：" + QString::fromUtf8(grade.words);
    int from = 0, top = 0; // each level's percentages, from the lowest to the highest
    for (int percentage = 0; percentage <= 100; ++percentage) {
        const Level& level = levelFor(percentage);
        if (level.number == 3 && top == 0)
            top = percentage;
        if (percentage < 100 && levelFor(percentage + 1).number == level.number)
            continue;
        const QString to = n(percentage + 1) + "%未満", range = from == 100 ? "100%" : n(from) + "%以上" + to;
        stated << QString::fromUtf8(level.name) + "：正答率" + (from == 0 ? to : range);
        from = percentage + 1;
    }
    stated << "青になるのは" + n(kGrades[1].below) + "%からですが、総合評価のレベルが「上級」になるのは" + n(top) +
                  "%からです";
    for (const QString& line : stated)
        EXPECT_TRUE(help.page->toPlainText().contains(line)) << "the help does not say " << str(line);
}

TEST(HelpViewerTest, IsAWindowOfTheProgramThatSaysWhenTheDocumentIsMissingAndEscCloses) {
    auto* viewer = new HelpViewer; // deletes itself on close
    viewer->open("/nowhere/help.html");
    EXPECT_EQ(str(viewer->findChild<QTextBrowser*>("helpPage")->toPlainText()),
              "ヘルプファイルを開けません: /nowhere/help.html");
    EXPECT_FALSE(viewer->windowIcon().isNull()) << "no icon";
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
