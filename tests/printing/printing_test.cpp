#include "content/question_bank.h"
#include "printing/print_server.h"
#include "services/desktop_services.h"
#include "window/window_fixture.h"

#include <QLocalServer>
#include <QPrinter>
#include <QPrinterInfo>

using namespace vantoriku;
using vantoriku::testing::str;

namespace {

// How dark the area is, or how many of its pixels are red.
int inkIn(const QImage& image, const QRect& area, bool red = false) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ink += red ? (qRed(pixel) > 150 && qGreen(pixel) < 100 ? 1 : 0) : 255 - qGray(pixel);
        }
    }
    return ink;
}

// The real window printing on the print server of with_cups.sh, whose
// default is a cups-pdf queue that writes what it prints into pdf/.
class PrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(root.isEmpty()) << "run under tests/services/with_cups.sh, which starts a print server";
        window.showAtStart();
        // Active, as a user's window is when they print: the focus shows on the screen and the page alike.
        ASSERT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == window.windowHandle(); }));
    }
    void print() { window.findChild<QAction*>("printItem")->trigger(); }
    // The page that the queue made of the job, once it is whole, drawn at the
    // window's scale from the corner of the area that the printer can print
    // on, as Qt reads it from the printer's description.
    QImage printedPage() {
        QFile pdf;
        const auto whole = [&] {
            pdf.setFileName(root + "/pdf/" + QDir(root + "/pdf").entryList({"*.pdf"}).value(0));
            return pdf.open(QIODevice::ReadOnly) && pdf.readAll().trimmed().endsWith("%%EOF");
        };
        EXPECT_TRUE(QTest::qWaitFor(whole, 20000)) << "nothing printed";
        QPageLayout paper = QPrinter(QPrinterInfo::defaultPrinter()).pageLayout();
        paper.setMargins(paper.minimumMargins());
        const QRectF area = paper.paintRect(QPageLayout::Point);
        const double dpi = 72 * window.clientArea().width() / area.width();
        const QStringList drawing = {"-r", QString::number(dpi), "-png", "-singlefile", pdf.fileName(), root + "/page"};
        EXPECT_EQ(QProcess::execute("pdftoppm", drawing), 0) << "pdftoppm could not draw the printed page";
        return QImage(root + "/page.png").copy(QRectF(area.topLeft() * dpi / 72, window.clientArea().size()).toRect());
    }

    const QString root = qEnvironmentVariable("VANTORIKU_TEST_CUPS_ROOT");
    const QString queue = qEnvironmentVariable("VANTORIKU_TEST_CUPS_QUEUE");
    DesktopServices services;
    MainWindow window{services};
};

} // namespace

// What the page shows, control by control, against the window's own image:
// the whole sheet, the letters in the weight the screen gives them, the
// percentage in its colour, and neither main button.
TEST_F(PrintingTest, ThePageShowsTheWindowAsTheScreenShowsIt) {
    window.findChild<QAction*>("era1Item")->trigger();
    for (const Question& q : QuestionBank::questionsOf(1))
        window.sheet().setAnswer(q.row, q.row % 4 == 0 ? std::string(q.year) : "1000"); // 25 %, red
    QTest::mouseClick(window.findChild<QWidget*>("scoreButton"), Qt::LeftButton);
    const vantoriku::testing::BoxCloser boxes;
    print();
    const QImage page = printedPage();
    EXPECT_EQ(str(boxes.shown.join("")), "") << "printing showed a box";
    for (const char* button : {"scoreButton", "evaluateButton"})
        window.findChild<QWidget*>(button)->hide(); // as when printing
    const QImage screen = window.clientArea().grab().toImage();
    for (const char* name :
         {"question1", "answer1", "answer3", "question31", "answer40", "scoreButton", "clearButton", "scoreHeading",
          "era1Name", "era1Score", "era1PercentSign", "era4PercentSign", "rule", "totalHeading", "levelHeading"}) {
        const QRect cell = window.findChild<QWidget*>(name)->geometry();
        // Rasterisers differ by a tenth or two; a lost bold weighs a third.
        EXPECT_NEAR(inkIn(page, cell), inkIn(screen, cell), 0.25 * inkIn(screen, cell))
            << name << " against the screen";
    }
    const QRect percentage = window.findChild<QWidget*>("era1Percentage")->geometry();
    const int red = inkIn(screen, percentage, true);
    EXPECT_NEAR(inkIn(page, percentage, true), red, 0.25 * red) << "the red of era 1's percentage against the screen";
}

// The default is the queue's instance "twice", of two copies, as the client's settings say: in a folder of
// the test's own, where libcups reads them for root too (newer libcups read no home's settings for root).
TEST_F(PrintingTest, ADefaultInstancePrintsWithItsOwnOptions) {
    QDir().mkpath(root + "/client");
    qputenv("CUPS_SERVERROOT", (root + "/client").toUtf8());
    QFile options(root + "/client/lpoptions");
    ASSERT_TRUE(options.open(QIODevice::WriteOnly));
    options.write(("Dest " + queue + "/twice copies=2\nDefault " + queue + "/twice\n").toUtf8());
    options.close();
    const vantoriku::testing::BoxCloser boxes;
    print();
    const auto twoCopiesLogged = [this] {
        QFile log(root + "/log/page_log");
        return log.open(QIODevice::ReadOnly) && log.readAll().contains(" total 2 ");
    };
    EXPECT_TRUE(QTest::qWaitFor(twoCopiesLogged)) << "the page log has no job of the instance's two copies";
}

// Each way printing fails is told in a box once the print server has had its
// say, or has kept silent too long. Meanwhile the drill goes on: an answer is
// typed and scored, and 印刷 chosen again says that the first job is still
// being handed over.
TEST_F(PrintingTest, SaysWhyNotWhenThePrinterCannotPrintAndTheDrillGoesOnMeanwhile) {
    const QString server = qEnvironmentVariable("CUPS_SERVER");
    const auto useServer = [](const QString& socket) { qputenv("CUPS_SERVER", socket.toUtf8()); };
    QLocalServer silent; // takes every connection and never answers
    const auto useSilentServer = [&] {
        EXPECT_TRUE(silent.listen(root + "/silent.sock")) << str(silent.errorString());
        useServer(silent.fullServerName());
    };
    const auto useOwnServer = [&] {
        silent.close();
        useServer(server);
    };
    const auto onQueue = [&](const char* command) {
        EXPECT_EQ(QProcess::execute(command, {"-h", server, queue}), 0) << command << " failed";
    };
    const std::tuple<std::function<void()>, std::function<void()>, QString, const char*> failures[] = {
        {[&] { useServer("/nonexistent/cups.sock"); }, useOwnServer,
         "^印刷サーバー「/nonexistent/cups.sock」に接続できないため、印刷できませんでした。$", "no print server"},
        {useSilentServer, useOwnServer,
         "^印刷サーバー「" + root + "/silent.sock」が5秒待っても応答しないため、印刷できませんでした。$",
         "a print server that does not answer"},
        {[] { qputenv("PRINTER", "nowhere"); }, [] { qunsetenv("PRINTER"); },
         "^既定のプリンターがないため、印刷できませんでした。$", "a default printer that is not there"},
        {[&] { onQueue("cupsreject"); }, [&] { onQueue("cupsaccept"); },
         "^プリンター「" + queue + "」が印刷を受け付けませんでした（.+）。$", "a queue that rejects jobs"}};
    const QString busy = "前の印刷をまだプリンターに送っています。送り終えてから、もう一度印刷してください。";
    window.findChild<QAction*>("era1Item")->trigger();
    for (const auto& [cause, mend, message, what] : failures) {
        cause();
        const vantoriku::testing::BoxCloser boxes;
        QElapsedTimer held;
        held.start();
        print();
        EXPECT_EQ(str(boxes.shown.join("")), "") << what << ": the box came before the drill could go on";
        QTest::mouseClick(window.findChild<QWidget*>("clearButton"), Qt::LeftButton); // クリア
        QTest::keyClicks(window.findChild<QLineEdit*>("answer1"), "538");
        QTest::mouseClick(window.findChild<QWidget*>("scoreButton"), Qt::LeftButton); // 採点
        print();
        EXPECT_LT(held.elapsed(), kPrintServerSilenceSeconds * 1000 / 2) << what << ": printing held the window";
        EXPECT_TRUE(QTest::qWaitFor([&] { return boxes.shown.size() == 2; }, (kPrintServerSilenceSeconds + 5) * 1000))
            << what << ": " << str(boxes.shown.join(" "));
        mend();
        QStringList shown = boxes.shown; // in either order
        EXPECT_TRUE(shown.removeOne(busy)) << what << ": 印刷 again did not say the first job was on its way";
        EXPECT_TRUE(QRegularExpression(message).match(shown.value(0)).hasMatch())
            << what << ": " << str(shown.value(0));
        EXPECT_EQ(str(window.findChild<QLineEdit*>("answer1")->text()), "正解")
            << what << ": the scored answer was lost";
    }
}
