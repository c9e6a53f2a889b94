#include "content/question_bank.h"
#include "printing/print_server.h"
#include "services/desktop_services.h"
#include "window/window_fixture.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTcpServer>
#include <QTcpSocket>

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

// A server in front of the private cupsd, on a port of its own, that behaves
// as some real ones do: asks for a password, answering 401 until the right
// one comes; or, once a page (a Send-Document request) has come, keeps silent,
// hangs up, or keeps the server waiting for the page's end.
class FrontServer {
  public:
    enum Mode { AsksPassword, SilentAfterPage, HangsUpAtPage, HoldsPage };
    // On a thread of its own, so that it answers while the test waits for the program.
    FrontServer(Mode mode, QString upstream) : mode_(mode), upstream_(std::move(upstream)) {
        context_.moveToThread(&thread_);
        thread_.start();
        QMetaObject::invokeMethod(&context_, [this] {
            server_ = new QTcpServer(&context_);
            EXPECT_TRUE(server_->listen(QHostAddress::LocalHost)) << str(server_->errorString());
            port_ = server_->serverPort();
            QObject::connect(server_, &QTcpServer::newConnection, [this] {
                while (QTcpSocket* client = server_->nextPendingConnection())
                    relay(client);
            });
        }, Qt::BlockingQueuedConnection);
    }
    ~FrontServer() {
        QMetaObject::invokeMethod(&context_, [this] { delete server_; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    QString address() const { return "127.0.0.1:" + QString::number(port_); }
    bool holding() const { return holding_; }
    static constexpr const char* kPassword = "tiger";

  private:
    void relay(QTcpSocket* client) {
        auto* cupsd = new QLocalSocket(client);
        cupsd->connectToServer(upstream_);
        cupsd->waitForConnected(1000);
        auto sent = std::make_shared<QByteArray>(); // all the client sent
        auto page = std::make_shared<bool>(false);
        QObject::connect(client, &QTcpSocket::readyRead, [=, this] {
            const QByteArray data = client->readAll();
            if (mode_ == AsksPassword && sent->isEmpty() && !data.contains("Basic " + QByteArray("tester:") .append(kPassword).toBase64())) {
                client->write("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"CUPS\"\r\n"
                              "Content-Length: 0\r\nConnection: close\r\n\r\n");
                client->disconnectFromHost();
                return;
            }
            sent->append(data);
            // Held back, the end of the page's data leaves the server waiting for more.
            const bool hold = *page && mode_ == HoldsPage && sent->endsWith("\r\n0\r\n\r\n") && data.size() >= 5;
            cupsd->write(hold ? data.chopped(5) : data);
            holding_ = holding_ || hold;
            if (!*page && (*page = sendsDocument(*sent)) && mode_ == HangsUpAtPage)
                client->abort();
        });
        QObject::connect(cupsd, &QLocalSocket::readyRead, [=, this] {
            QByteArray data = cupsd->readAll();
            if (*page && mode_ == SilentAfterPage)
                data = data.startsWith("HTTP/1.1 100") ? data.left(data.indexOf("\r\n\r\n") + 4) : "";
            client->write(data);
        });
        QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    }
    // Whether a request with the operation Send-Document (6) has begun.
    static bool sendsDocument(const QByteArray& sent) {
        static const QRegularExpression ipp("\r\n\r\n(?:[0-9a-fA-F]+\r\n)?[\\x01\\x02].\\x00\\x06");
        return ipp.match(QString::fromLatin1(sent)).hasMatch();
    }
    Mode mode_;
    QString upstream_;
    QThread thread_;
    QObject context_;
    QTcpServer* server_ = nullptr;
    quint16 port_ = 0;
    std::atomic<bool> holding_ = false;
};

// The real window printing on the print servers of with_cups.sh, whose default
// printer is an IPP printer on US Letter with margins of 5 mm.
class PrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(root.isEmpty()) << "run under tests/printing/with_cups.sh, which starts a print server";
        window.showAtStart();
        // Active, as a user's window is when they print: the focus shows on the screen and the page alike.
        ASSERT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == window.windowHandle(); }));
    }
    void print() { window.findChild<QAction*>("printItem")->trigger(); }
    void useServer(const QString& server) { qputenv("CUPS_SERVER", server.toUtf8()); }
    // The jobs on the queue that have not ended, one a line.
    QString jobsLeft() {
        QProcess lpstat;
        lpstat.start("lpstat", {"-h", cupsd, "-o", queue});
        lpstat.waitForFinished();
        return lpstat.readAllStandardOutput();
    }
    // The printer's nth page, once it is whole, drawn at the window's scale from the corner of the area
    // inside the margins, which the page's size says is Letter.
    QImage printedPage(int nth) {
        QFile pdf;
        const auto whole = [&] {
            const QStringList pages = QDir(root + "/printed").entryList({"*.pdf"}, QDir::Files, QDir::Time | QDir::Reversed);
            pdf.setFileName(root + "/printed/" + pages.value(nth - 1));
            return pdf.open(QIODevice::ReadOnly) && pdf.readAll().trimmed().endsWith("%%EOF");
        };
        EXPECT_TRUE(QTest::qWaitFor(whole, 20000)) << "the printer has no page " << nth;
        const QRectF area = QRectF(0, 0, 612, 792).adjusted(margin, margin, -margin, -margin);
        const double dpi = 72 * window.clientArea().width() / area.width();
        const QStringList drawing = {"-r", QString::number(dpi), "-png", "-singlefile", pdf.fileName(), root + "/page"};
        EXPECT_EQ(QProcess::execute("pdftoppm", drawing), 0) << "pdftoppm could not draw the printed page";
        const QImage page(root + "/page.png");
        EXPECT_NEAR(page.width(), 8.5 * dpi, 1) << "the page is not Letter";
        EXPECT_NEAR(page.height(), 11 * dpi, 1) << "the page is not Letter";
        return page.copy(QRectF(area.topLeft() * dpi / 72, window.clientArea().size()).toRect());
    }

    const double margin = 5 / 25.4 * 72; // points
    const QString root = qEnvironmentVariable("VANTORIKU_TEST_CUPS_ROOT");
    const QString queue = qEnvironmentVariable("VANTORIKU_TEST_CUPS_QUEUE");
    const QString cupsd = qEnvironmentVariable("CUPS_SERVER");
    DesktopServices services;
    MainWindow window{services};
};

} // namespace

// What the page shows, control by control, against the window's own image, within the printer's margins on
// its paper: the whole sheet, the letters in the weight the screen gives them, the percentage in its colour,
// and neither main button. Printed again, the second page comes as well. The default is the queue's instance
// "twice", of two copies, as the client's settings say: in a folder of the test's own, where libcups reads
// them for root too (newer libcups read no home's settings for root).
TEST_F(PrintingTest, ThePageShowsTheWindowAsTheScreenShowsItEachTimeWithTheDefaultsOptions) {
    QDir().mkpath(root + "/client");
    qputenv("CUPS_SERVERROOT", (root + "/client").toUtf8());
    QFile options(root + "/client/lpoptions");
    ASSERT_TRUE(options.open(QIODevice::WriteOnly));
    options.write(("Dest " + queue + "/twice copies=2\nDefault " + queue + "/twice\n").toUtf8());
    options.close();
    window.findChild<QAction*>("era1Item")->trigger();
    for (const Question& q : QuestionBank::questionsOf(1))
        window.sheet().setAnswer(q.row, q.row % 4 == 0 ? std::string(q.year) : "1000"); // 25 %, red
    QTest::mouseClick(window.findChild<QWidget*>("scoreButton"), Qt::LeftButton);
    const vantoriku::testing::BoxCloser boxes;
    for (int nth : {1, 2}) {
        print();
        const QImage page = printedPage(nth);
        EXPECT_EQ(str(boxes.shown.join("")), "") << "printing showed a box";
        for (const char* button : {"scoreButton", "evaluateButton"})
            window.findChild<QWidget*>(button)->hide(); // as when printing
        const QImage screen = window.clientArea().grab().toImage();
        for (const char* button : {"scoreButton", "evaluateButton"})
            window.findChild<QWidget*>(button)->show();
        for (const char* name :
             {"question1", "answer1", "answer3", "question31", "answer40", "scoreButton", "clearButton",
              "scoreHeading", "era1Name", "era1Score", "era1PercentSign", "era4PercentSign", "rule", "totalHeading",
              "levelHeading"}) {
            // Rasterisers differ by a tenth or two, and place by a pixel; a lost bold weighs a third.
            const QRect cell = window.findChild<QWidget*>(name)->geometry().adjusted(-2, -2, 2, 2);
            EXPECT_NEAR(inkIn(page, cell), inkIn(screen, cell), 0.25 * inkIn(screen, cell))
                << name << " against the screen, page " << nth;
        }
        const QRect percentage = window.findChild<QWidget*>("era1Percentage")->geometry();
        const int red = inkIn(screen, percentage, true);
        EXPECT_NEAR(inkIn(page, percentage, true), red, 0.25 * red)
            << "the red of era 1's percentage against the screen, page " << nth;
    }
    const auto twoCopiesEach = [this] {
        QFile log(root + "/log/page_log");
        return log.open(QIODevice::ReadOnly) && log.readAll().count(" total 2 ") == 2;
    };
    EXPECT_TRUE(QTest::qWaitFor(twoCopiesEach, 20000)) << "the page log has not two copies of each page";
}

// Each way printing fails is told in a box once the print server has had its say, or has kept silent too
// long, and no job is left waiting on the queue. Meanwhile the drill goes on: an answer is typed and scored,
// and 印刷 chosen again says that the first job is still being handed over.
TEST_F(PrintingTest, SaysWhyNotWhenThePrinterCannotPrintAndTheDrillGoesOnMeanwhile) {
    QLocalServer silent; // takes every connection and never answers
    const FrontServer silentAfterPage(FrontServer::SilentAfterPage, cupsd);
    const FrontServer hangsUpAtPage(FrontServer::HangsUpAtPage, cupsd);
    DesktopServices withoutLibcups("libvantoriku-absent.so.2");
    QStringList shown; // by services without libcups, which have no window
    const auto onQueue = [&](const char* command) {
        EXPECT_EQ(QProcess::execute(command, {"-h", cupsd, queue}), 0) << command << " failed";
    };
    const struct {
        std::function<void()> cause, mend;
        QString message;
        const char* what;
        std::function<void()> print = nullptr;
        bool pagePrints = false; // once the server takes it all
    } failures[] = {
        {[&] { useServer("printer.vantoriku.invalid"); }, [] {}, // first: a resolver that never answers holds it longest
         "^印刷サーバー名「printer.vantoriku.invalid」のアドレスが(見つからない|5秒以内にわからなかった)ため、印刷できませんでした。$",
         "a server name that does not resolve"},
        {[&] { useServer("/nonexistent/cups.sock"); }, [] {},
         "^印刷サーバー「/nonexistent/cups.sock」に接続できないため、印刷できませんでした。$", "no print server"},
        {[&] { silent.listen(root + "/silent.sock"), useServer(silent.fullServerName()); }, [&] { silent.close(); },
         "^印刷サーバー「" + root + "/silent.sock」から5秒以内に応答がなかったため、印刷できませんでした。$",
         "a print server that does not answer"},
        {[] { qputenv("PRINTER", "nowhere"); }, [] { qunsetenv("PRINTER"); },
         "^ふだん使うプリンターが見つからないため、印刷できませんでした。$", "a default printer that is not there"},
        {[&] { onQueue("cupsreject"); }, [&] { onQueue("cupsaccept"); },
         "^プリンター「" + queue + "」が印刷を受け付けなかったため、印刷できませんでした。（サーバーの応答: .+）$",
         "a queue that rejects jobs"},
        {[&] { useServer(hangsUpAtPage.address()); }, [] {},
         "^プリンター「" + queue + "」がページを受け取らなかったため、印刷できませんでした。(（サーバーの応答: .+）)?$",
         "a server that hangs up while the page goes"},
        {[&] { useServer(silentAfterPage.address()); }, [] {},
         "^印刷サーバー「" + silentAfterPage.address() +
             "」にページを送りましたが、5秒以内に応答がなかったため、印刷されたかどうか確かめられませんでした。$",
         "a server that keeps silent once the page is sent", nullptr, true},
        {[] {}, [] {},
         "^印刷に使うライブラリー「libvantoriku-absent.so.2」が見つからないため、印刷できませんでした。$",
         "no libcups", [&] { withoutLibcups.printClientArea(window.clientArea(), [&](auto failure) { shown << failure.c_str(); }); }},
    };
    const QString busy = "前の印刷をまだプリンターに送っています。送り終えてから、もう一度印刷してください。";
    window.findChild<QAction*>("era1Item")->trigger();
    for (const auto& row : failures) {
        row.cause();
        const vantoriku::testing::BoxCloser boxes;
        QElapsedTimer held;
        held.start();
        (row.print ? row.print : [this] { print(); })();
        EXPECT_EQ(str(boxes.shown.join("")), "") << row.what << ": the box came before the drill could go on";
        QTest::mouseClick(window.findChild<QWidget*>("clearButton"), Qt::LeftButton); // クリア
        QTest::keyClicks(window.findChild<QLineEdit*>("answer1"), "538");
        QTest::mouseClick(window.findChild<QWidget*>("scoreButton"), Qt::LeftButton); // 採点
        (row.print ? row.print : [this] { print(); })();
        EXPECT_LT(held.elapsed(), kPrintServerSilenceSeconds * 1000 / 2) << row.what << ": printing held the window";
        EXPECT_TRUE(QTest::qWaitFor([&] { return boxes.shown.size() + shown.size() == 2; }, (kPrintServerSilenceSeconds + 10) * 1000))
            << row.what << ": " << str(boxes.shown.join(" "));
        useServer(cupsd);
        row.mend();
        shown += boxes.shown; // in either order
        EXPECT_TRUE(shown.removeOne(busy)) << row.what << ": 印刷 again did not say the first job was on its way";
        EXPECT_TRUE(QRegularExpression(row.message).match(shown.value(0)).hasMatch()) << row.what << ": " << str(shown.value(0));
        EXPECT_EQ(str(window.findChild<QLineEdit*>("answer1")->text()), "正解") << row.what << ": the scored answer was lost";
        EXPECT_TRUE(QTest::qWaitFor([this] { return jobsLeft().isEmpty(); }, row.pagePrints ? 60000 : 2000))
            << row.what << ": left " << str(jobsLeft());
        shown.clear();
    }
}

// A server that asks for a password gets it in a dialog over the window, the user's name filled in: a wrong
// one says so and asks again, three times at most; キャンセル ends the job. The job prints once the right
// password comes. The dialog's wait does not count as the server's silence.
TEST_F(PrintingTest, AsksForThePasswordThatTheServerWants) {
    const FrontServer front(FrontServer::AsksPassword, cupsd);
    useServer(front.address());
    const QString first = "^印刷サーバー「" + front.address() + "」で印刷するには、ユーザー名とパスワードが必要です。$";
    const QString again = "^ユーザー名かパスワードが違います。もう一度入力してください。$";
    const struct {
        QStringList typed; // each password, or nothing to cancel
        QStringList asked; // what each dialog said
        QString message;   // the box, or none once printed
    } rows[] = {
        {{"lion", FrontServer::kPassword}, {first, again}, "^$"},
        {{"lion", ""}, {first, again}, "^パスワードの入力が取り消されたため、印刷できませんでした。$"},
        {{"lion", "puma", "lynx"}, {first, again, again}, "^パスワードが3回とも受け付けられなかったため、印刷できませんでした。$"},
    };
    for (const auto& row : rows) {
        const vantoriku::testing::BoxCloser boxes;
        const int printed = QDir(root + "/printed").entryList({"*.pdf"}).size();
        print();
        for (int i = 0; i < row.typed.size(); ++i) {
            QDialog* dialog = nullptr;
            ASSERT_TRUE(QTest::qWaitFor([&] { return (dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())); }))
                << "no password dialog for password " << i + 1 << " of " << str(row.typed.join(","));
            QTest::qWait(kPrintServerSilenceSeconds * 1000 / 5 * (i == 0)); // the user takes their time
            EXPECT_TRUE(QRegularExpression(row.asked[i]).match(dialog->findChild<QLabel*>("passwordMessage")->text()).hasMatch())
                << "dialog " << i + 1 << " said " << str(dialog->findChild<QLabel*>("passwordMessage")->text());
            auto* user = dialog->findChild<QLineEdit*>("userName");
            EXPECT_EQ(str(user->text()), str(qEnvironmentVariable("USER", user->text()))) << "the user name was not filled in";
            EXPECT_EQ(dialog->findChild<QLineEdit*>("password")->echoMode(), QLineEdit::Password) << "the password shows";
            user->setText("tester");
            dialog->findChild<QLineEdit*>("password")->setText(row.typed[i]);
            row.typed[i].isEmpty() ? dialog->reject() : dialog->accept();
        }
        const auto done = [&] { return QDir(root + "/printed").entryList({"*.pdf"}).size() > printed || !boxes.shown.isEmpty(); };
        EXPECT_TRUE(QTest::qWaitFor(done, 20000)) << "neither printed nor a box after " << str(row.typed.join(","));
        QTest::qWait(100);
        EXPECT_TRUE(QRegularExpression(row.message).match(boxes.shown.join("|")).hasMatch()) << str(boxes.shown.join("|"));
    }
}

// At the program's end, printing ends within a second whatever the server does (a thread that libcups holds
// longer is left to the process's end), and a job on a server that answers is cancelled.
TEST_F(PrintingTest, EndsWithinASecondAndCancelsTheJobOnTheServer) {
    QLocalServer silent;
    silent.listen(root + "/silent.sock");
    const FrontServer holdsPage(FrontServer::HoldsPage, cupsd);
    const FrontServer asksPassword(FrontServer::AsksPassword, cupsd);
    const struct {
        QString server;
        std::function<bool()> ready;
        const char* what;
        bool answers = true; // or libcups may hold the thread past the second
    } rows[] = {
        {silent.fullServerName(), [] { return true; }, "a print server that does not answer", false},
        {holdsPage.address(), [&] { return holdsPage.holding(); }, "a job that waits for its page"},
        {asksPassword.address(), [] { return QApplication::activeModalWidget() != nullptr; }, "the password dialog open"},
    };
    for (const auto& row : rows) {
        useServer(row.server);
        print();
        EXPECT_TRUE(QTest::qWaitFor(row.ready)) << row.what;
        QElapsedTimer ending;
        ending.start();
        EXPECT_TRUE(services.endPrinting() || !row.answers) << row.what << ": a print thread is still running";
        EXPECT_LT(ending.elapsed(), 1050) << row.what;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << row.what << ": the password dialog stayed";
        useServer(cupsd);
        EXPECT_EQ(str(jobsLeft()), "") << row.what << ": a job was left";
    }
    // The thread that libcups held hangs up on the silent server as it ends, before the test's process does.
    QLocalSocket* held = silent.nextPendingConnection();
    ASSERT_NE(held, nullptr) << "the silent server had no connection";
    EXPECT_TRUE(QTest::qWaitFor([&] { return held->state() == QLocalSocket::UnconnectedState; }));
    QTest::qWait(100);
}
