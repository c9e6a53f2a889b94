#include "services/desktop_services.h"
#include "services/help_path.h"
#include "services/help_viewer.h"
#include "window/window_fixture.h"

#include <QAccessible>
#include <QCollator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>

namespace vantoriku::testing {
namespace {

const QString kShippedHelp = QStringLiteral(VANTORIKU_HELP_SOURCE);

QStringList topics(const QTreeWidget& tree) {
    QStringList titles;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* up = (*it)->parent(); up != nullptr; up = up->parent()) {
            ++depth;
        }
        titles << QString(depth, ' ') + (*it)->text(0);
    }
    return titles;
}

TEST(HelpViewerTest, ShowsTheShippedDocumentWithContentsAndIndex) {
    HelpViewer viewer;
    viewer.open(kShippedHelp);
    EXPECT_EQ(
        topics(viewer.contents()),
        QStringList({"Vantoriku ヘルプ", " 時代を選ぶ", " 年号を答える", " 採点する", " 正答率の色",
                     " 答えを消す", " 総合評価", "  レベル", " 印刷と終了", " キーボード操作"}));

    QStringList keywords;
    for (int row = 0; row < viewer.index().count(); ++row) {
        keywords << viewer.index().item(row)->text();
    }
    EXPECT_GE(keywords.size(), 15);
    for (const char* expected : {"採点", "総合評価", "初級", "完璧", "クリア", "半角数字"}) {
        EXPECT_TRUE(keywords.contains(QString::fromUtf8(expected))) << expected;
    }
    QCollator japanese{QLocale(QLocale::Japanese, QLocale::Japan)};
    EXPECT_TRUE(
        std::is_sorted(keywords.begin(), keywords.end(), [&](const QString& a, const QString& b) {
            return japanese.compare(a, b) < 0;
        }));

    viewer.indexFilter().setText("級");
    QStringList shown;
    for (int row = 0; row < viewer.index().count(); ++row) {
        if (!viewer.index().item(row)->isHidden()) {
            shown << viewer.index().item(row)->text();
        }
    }
    EXPECT_EQ(shown.size(), 3) << shown.join(",").toStdString(); // 初級, 中級, 上級

    EXPECT_FALSE(viewer.page().openExternalLinks());
    EXPECT_FALSE(viewer.page().openLinks());
    EXPECT_TRUE(viewer.page().toPlainText().contains("採点"));
}

TEST(HelpViewerTest, AMissingDocumentIsNamedInOneLine) {
    HelpViewer viewer;
    viewer.open("/nowhere/help.html");
    EXPECT_EQ(viewer.page().toPlainText(), "ヘルプファイルを開けません: /nowhere/help.html");
    EXPECT_EQ(viewer.contents().topLevelItemCount(), 0);
    EXPECT_EQ(viewer.index().count(), 0);
}

TEST(HelpViewerTest, FoundBesideAProgramInAJapaneseFolderWithBlanks) {
    QTemporaryDir scratch;
    const QString folder = scratch.filePath("日本史 ドリル/プログラム");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(kShippedHelp, folder + "/help.html"));
    const QString path = helpFilePathFor(folder);
    EXPECT_EQ(path, folder + "/help.html");
    HelpViewer viewer;
    viewer.open(path);
    EXPECT_GT(viewer.contents().topLevelItemCount(), 0);

    // Installed: <prefix>/bin and <prefix>/share/vantoriku.
    const QString prefix = scratch.filePath("インストール先 /usr");
    ASSERT_TRUE(QDir().mkpath(prefix + "/bin"));
    ASSERT_TRUE(QDir().mkpath(prefix + "/share/vantoriku"));
    ASSERT_TRUE(QFile::copy(kShippedHelp, prefix + "/share/vantoriku/help.html"));
    EXPECT_EQ(helpFilePathFor(prefix + "/bin"), prefix + "/share/vantoriku/help.html");

    // Nothing there: the path named is the one beside the program.
    const QString empty = scratch.filePath("空");
    ASSERT_TRUE(QDir().mkpath(empty));
    EXPECT_EQ(helpFilePathFor(empty), empty + "/help.html");
}

// Announced as a window by its title, and closed by Esc like other help windows.
TEST(HelpViewerTest, IsAWindowNamedByItsTitleThatEscCloses) {
    auto* viewer = new HelpViewer; // deletes itself on close
    viewer->show();
    QApplication::setActiveWindow(viewer);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(viewer);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Vantoriku ヘルプ");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(viewer->isHidden());
}

class HelpFromTheMenuTest : public ::testing::Test {
  protected:
    DesktopServices services;
    Form1 form{services};
};

TEST_F(HelpFromTheMenuTest, OpensAWindowOfItsOwnAndLeavesTheSheetAlone) {
    form.Form_Load();
    const std::string before = dump(form.sheet());
    form.findChild<QAction*>("mokuji")->trigger(); // returns without waiting
    HelpViewer* viewer = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        viewer = viewer != nullptr ? viewer : qobject_cast<HelpViewer*>(window);
    }
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(viewer->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(dump(form.sheet()), before);
    // The test binary has no help.html beside it: the viewer says so itself.
    EXPECT_TRUE(viewer->page().toPlainText().startsWith("ヘルプファイルを開けません: "));
}

} // namespace
} // namespace vantoriku::testing
