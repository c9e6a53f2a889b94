#include "services/desktop_services.h"
#include "window/window_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <dlfcn.h>

// Runs under with_cups.sh: a real print server with a PDF queue as default.
namespace vantoriku::testing {
namespace {

// Points the process's CUPS client at a server. The program does not link
// libcups, so reach it where Qt's print plugin loaded it, as the program does.
void useCupsServer(const QByteArray& socket) {
    (void)QPrinterInfo::availablePrinterNames(); // loads the plugin, and libcups with it
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    ASSERT_NE(cups, nullptr) << "libcups is not loaded";
    const auto setServer = reinterpret_cast<void (*)(const char*)>(dlsym(cups, "cupsSetServer"));
    ASSERT_NE(setServer, nullptr);
    setServer(socket.constData());
    dlclose(cups);
}

class PrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("VANTORIKU_TEST_PDF_DIR")) {
            GTEST_SKIP() << "needs the print servers of tests/services/with_cups.sh";
        }
        useCupsServer(qgetenv("CUPS_SERVER"));
        form.Form_Load();
        form.findChild<QAction*>("jidai1")->trigger();
        form.sheet().setAnswer(1, "538");
        form.sheet().setAnswer(2, "600");
        form.findChild<QPushButton*>("Command1")->click();
    }
    void TearDown() override {
        if (!qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
            useCupsServer(qgetenv("CUPS_SERVER"));
        }
    }

    static QString queue() { return qEnvironmentVariable("VANTORIKU_TEST_CUPS_QUEUE"); }
    static void run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        ASSERT_TRUE(process.waitForFinished(10000)) << program.toStdString();
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }

    // Prints through the menu and answers any message box; returns its text.
    QString printFromMenu() {
        QString shown;
        QTimer::singleShot(0, [&] { closeBox(shown); });
        form.findChild<QAction*>("munprintitem")->trigger();
        return shown;
    }

    // The printed page as an image, once cups-pdf has written it.
    static QImage waitForPrintedPage(const QTemporaryDir& scratch) {
        const QDir out(qEnvironmentVariable("VANTORIKU_TEST_PDF_DIR"));
        QElapsedTimer clock;
        clock.start();
        // cups-pdf writes the file in place: wait until it is whole.
        QString pdf;
        while (pdf.isEmpty() && clock.elapsed() < 20000) {
            QTest::qWait(100);
            for (const QString& name : out.entryList({"*.pdf"}, QDir::Files)) {
                QFile file(out.filePath(name));
                if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF")) {
                    pdf = file.fileName();
                }
            }
        }
        if (pdf.isEmpty()) {
            return {};
        }
        const QString prefix = scratch.filePath("page");
        QProcess::execute("pdftoppm", {"-r", "100", "-png", "-singlefile", pdf, prefix});
        return QImage(prefix + ".png");
    }

    DesktopServices services;
    Form1 form{services};

  private:
    void closeBox(QString& shown) {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->button(QMessageBox::Ok)->click();
        } else if (form.findChild<QPushButton*>("Command1")->isHidden()) {
            QTimer::singleShot(20, [this, &shown] { closeBox(shown); }); // still printing
        }
    }
};

bool hasDarkPixel(const QImage& page, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(page.pixel(x, y)) < 110) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(PrintingTest, PrintsTheSheetWithoutItsTwoMainButtons) {
    const std::string before = dump(form.sheet());
    EXPECT_EQ(printFromMenu(), "");
    EXPECT_TRUE(form.findChild<QPushButton*>("Command1")->isVisible());
    EXPECT_TRUE(form.findChild<QPushButton*>("Command2")->isVisible());
    EXPECT_EQ(dump(form.sheet()), before);

    QTemporaryDir scratch;
    const QImage page = waitForPrintedPage(scratch);
    ASSERT_FALSE(page.isNull()) << "no PDF came out of the queue";

    // The client area prints as a light grey panel; find it on the white page.
    QRect panel;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 250) {
                panel |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_TRUE(panel.isValid());
    EXPECT_NEAR(double(panel.width()) / panel.height(), 728.0 / 512.0, 0.02);
    const double scale = panel.width() / 728.0;
    const auto onPage = [&](QRect r) {
        return QRect(panel.left() + int(r.left() * scale), panel.top() + int(r.top() * scale),
                     int(r.width() * scale), int(r.height() * scale));
    };
    EXPECT_TRUE(hasDarkPixel(page, onPage({0, 0, 177, 17}))) << "question caption of row 1";
    EXPECT_TRUE(hasDarkPixel(page, onPage({184, 0, 73, 18}))) << "the mark in Text1";
    EXPECT_TRUE(hasDarkPixel(page, onPage({632, 208, 25, 17}))) << "era 1 score";
    EXPECT_TRUE(hasDarkPixel(page, onPage({584, 120, 97, 33}))) << "the clear button";
    EXPECT_FALSE(hasDarkPixel(page, onPage({584, 8, 97, 89}))) << "the score button printed";
    EXPECT_FALSE(hasDarkPixel(page, onPage({552, 376, 177, 33})))
        << "the evaluation button printed";
}

TEST_F(PrintingTest, NoPrinterAtAllIsReportedAndTheSheetKept) {
    useCupsServer(qgetenv("VANTORIKU_TEST_EMPTY_CUPS"));
    const std::string before = dump(form.sheet());
    EXPECT_EQ(printFromMenu(), "既定のプリンターがないため、印刷できませんでした。");
    EXPECT_TRUE(form.findChild<QPushButton*>("Command1")->isVisible());
    EXPECT_TRUE(form.findChild<QPushButton*>("Command2")->isVisible());
    EXPECT_EQ(dump(form.sheet()), before);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(PrintingTest, AQueueThatRejectsJobsIsReported) {
    run("cupsreject", {"-h", qEnvironmentVariable("CUPS_SERVER"), queue()});
    const std::string before = dump(form.sheet());
    const QString shown = printFromMenu();
    run("cupsaccept", {"-h", qEnvironmentVariable("CUPS_SERVER"), queue()});
    EXPECT_TRUE(shown.startsWith("プリンター「" + queue() + "」が印刷を受け付けませんでした"))
        << shown.toStdString();
    EXPECT_TRUE(form.findChild<QPushButton*>("Command1")->isVisible());
    EXPECT_TRUE(form.findChild<QPushButton*>("Command2")->isVisible());
    EXPECT_EQ(dump(form.sheet()), before);
    EXPECT_TRUE(form.isVisible());
}

} // namespace
} // namespace vantoriku::testing
