#include "content/question_bank.h"
#include "services/desktop_services.h"
#include "window/window_fixture.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <dlfcn.h>

using namespace vantoriku;
using vantoriku::testing::str;

namespace {

// Points libcups, which Qt's print plugin loads and the program uses, at a server.
void useServer(const QByteArray& socket) {
    (void)QPrinterInfo::availablePrinterNames();
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    reinterpret_cast<void (*)(const char*)>(dlsym(cups, "cupsSetServer"))(socket.constData());
}

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
        form.Form_Load();
        // Active, as a user's window is when they print: the focus shows on the screen and the page alike.
        ASSERT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == form.windowHandle(); }));
        useServer(qgetenv("CUPS_SERVER"));
    }
    // 印刷, and what the box that it showed said, in 「」, if it showed one.
    QString print() {
        const vantoriku::testing::BoxCloser boxes;
        form.findChild<QAction*>("munprintitem")->trigger();
        return boxes.shown.isEmpty() ? QString() : "「" + boxes.shown[0] + "」";
    }
    // The page that the queue made of the job, once it is whole, drawn at the
    // window's scale from the corner of the printable area.
    QImage printedPage() {
        QFile pdf;
        const auto whole = [&] {
            pdf.setFileName(root + "/pdf/" + QDir(root + "/pdf").entryList({"*.pdf"}).value(0));
            return pdf.open(QIODevice::ReadOnly) && pdf.readAll().trimmed().endsWith("%%EOF");
        };
        EXPECT_TRUE(QTest::qWaitFor(whole, 20000)) << "nothing printed";
        const QRectF area = QPrinter(QPrinterInfo::defaultPrinter()).pageLayout().paintRect(QPageLayout::Point);
        const double dpi = 72 * form.clientArea().width() / area.width();
        QProcess::execute("pdftoppm",
                          {"-r", QString::number(dpi), "-png", "-singlefile", pdf.fileName(), root + "/page"});
        return QImage(root + "/page.png").copy(QRectF(area.topLeft() * dpi / 72, form.clientArea().size()).toRect());
    }

    const QString root = qEnvironmentVariable("VANTORIKU_TEST_CUPS_ROOT");
    const QString queue = qEnvironmentVariable("VANTORIKU_TEST_CUPS_QUEUE");
    DesktopServices services;
    Form1 form{services};
};

} // namespace

// What the page shows, control by control, against the window's own image:
// the whole sheet, the letters in the weight the screen gives them, the
// percentage in its colour, and neither main button.
TEST_F(PrintingTest, ThePageShowsTheWindowAsTheScreenShowsIt) {
    form.findChild<QAction*>("jidai1")->trigger();
    for (const Question& q : QuestionBank::questionsOf(1))
        form.sheet().setAnswer(q.row, q.row % 4 == 0 ? std::string(q.year) : "1000"); // 25 %, red
    QTest::mouseClick(form.findChild<QWidget*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(str(print()), "") << "printing showed a box";
    const QImage page = printedPage();
    for (const char* button : {"Command1", "Command2"})
        form.findChild<QWidget*>(button)->hide(); // as when printing
    const QImage screen = form.clientArea().grab().toImage();
    for (const char* name : {"Label1", "Text1", "Text3", "Label31", "Text40", "Command1", "Command3", "Label42",
                             "Label43", "Label47", "Label60", "Label67", "Shape1", "Label63", "Label68"}) {
        const QRect cell = form.findChild<QWidget*>(name)->geometry();
        // Rasterisers differ by a tenth or two; a lost bold weighs a third.
        EXPECT_NEAR(inkIn(page, cell), inkIn(screen, cell), 0.25 * inkIn(screen, cell))
            << name << " against the screen";
    }
    const QRect percentage = form.findChild<QWidget*>("Label55")->geometry();
    const int red = inkIn(screen, percentage, true);
    EXPECT_NEAR(inkIn(page, percentage, true), red, 0.25 * red) << "the red of Label55 against the screen";
}

TEST_F(PrintingTest, ADefaultInstancePrintsWithItsOwnOptions) {
    QDir().mkpath(QDir::homePath() + "/.cups");
    QFile options(QDir::homePath() + "/.cups/lpoptions");
    ASSERT_TRUE(options.open(QIODevice::WriteOnly));
    options.write(("Dest " + queue + "/twice copies=2\nDefault " + queue + "/twice\n").toUtf8());
    options.close();
    ASSERT_EQ(str(QPrinterInfo::defaultPrinter().printerName()), str(queue + "/twice"));
    EXPECT_EQ(str(print()), "") << "printing showed a box";
    const auto twoCopiesLogged = [this] {
        QFile log(root + "/log/page_log");
        return log.open(QIODevice::ReadOnly) && log.readAll().contains(" total 2 ");
    };
    EXPECT_TRUE(QTest::qWaitFor(twoCopiesLogged)) << "the page log has no job of the instance's two copies";
}

TEST_F(PrintingTest, SaysWhyNotWhenThePrinterCannotPrint) {
    const auto onQueue = [&](const char* command) {
        QProcess::execute(command, {"-h", qgetenv("CUPS_SERVER"), queue});
    };
    const std::tuple<std::function<void()>, std::function<void()>, QString, const char*> failures[] = {
        {[] { useServer("/nonexistent/cups.sock"); }, [] { useServer(qgetenv("CUPS_SERVER")); },
         "^「既定のプリンターがないため、印刷できませんでした。」$", "no print server"},
        {[&] { onQueue("cupsreject"); }, [&] { onQueue("cupsaccept"); },
         "^「プリンター「" + queue + "」が印刷を受け付けませんでした（.+）。」$", "a queue that rejects jobs"},
        {[] { qputenv("TMPDIR", "/proc"); }, [] { qunsetenv("TMPDIR"); }, // nothing can be made there
         "^「プリンター「" + queue + "」で印刷を始められませんでした。」$", "no room for the page"}};
    for (const auto& [cause, mend, message, what] : failures) {
        cause();
        const QString shown = print();
        mend();
        EXPECT_TRUE(QRegularExpression(message).match(shown).hasMatch()) << what << ": " << str(shown);
    }
}
