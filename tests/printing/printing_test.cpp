#include "content/question_bank.h"
#include "printing/print_server.h"
#include "services/desktop_services.h"
#include "window/window_fixture.h"

#include <QtNetwork>

using namespace vantoriku;
using vantoriku::testing::str;

namespace {

// How dark the area is, in grey and in red light together: black letters weigh twice what red ones
// do, and letters of any other colour more than red ones.
int inkIn(const QImage& image, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += 510 - qGray(image.pixel(x, y)) - qRed(image.pixel(x, y));
    return ink;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A server in front of the private cupsd, on a port of its own, that behaves
// as some real ones do: asks for a password, answering 401 until the right
// one comes; or, once a page (a Send-Document request) has come, keeps silent,
// hangs up, or keeps the server waiting for the page's end.
class FrontServer {
  public:
    enum Mode { AsksPassword, SilentAfterPage, HangsUpAtPage, HoldsPage };
    // On a thread of its own, so that it answers while the program holds the test's thread.
    FrontServer(Mode mode, const QString& upstream) : mode_(mode), upstream_(upstream) {
        EXPECT_TRUE(server_->listen(QHostAddress::LocalHost)) << str(server_->errorString());
        QObject::connect(server_, &QTcpServer::newConnection, server_,
                         [this] { relay(server_->nextPendingConnection()); });
        server_->moveToThread(&thread_);
        thread_.start();
    }
    ~FrontServer() {
        server_->deleteLater(); // with its connections, on its thread as that ends
        thread_.quit();
        thread_.wait();
    }
    QString address() const { return "127.0.0.1:" + QString::number(server_->serverPort()); }
    bool holding() const { return holding_; }
    static constexpr const char* kPassword = "tiger";

  private:
    void relay(QTcpSocket* client) {
        auto* cupsd = new QLocalSocket(client);
        cupsd->connectToServer(upstream_);
        cupsd->waitForConnected(1000);
        auto sent = std::make_shared<QByteArray>(); // all the client sent
        QObject::connect(client, &QTcpSocket::readyRead, [=, this] {
            const QByteArray data = client->readAll();
            const QByteArray login = "Basic " + QByteArray("tester:").append(kPassword).toBase64();
            if (mode_ == AsksPassword && sent->isEmpty() && !data.contains(login)) {
                client->write("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"CUPS\"\r\n"
                              "Content-Length: 0\r\nConnection: close\r\n\r\n");
                return client->disconnectFromHost();
            }
            sent->append(data);
            // The page's request may come in one read with all its data, as newer libcups sends it.
            const bool page = sendsDocument(*sent);
            // Held back, the end of the page's data leaves the server waiting for more.
            const bool hold = page && mode_ == HoldsPage && sent->endsWith("\r\n0\r\n\r\n") && data.size() >= 5;
            cupsd->write(hold ? data.chopped(5) : data);
            holding_ = holding_ || hold;
            if (mode_ == HangsUpAtPage && page)
                client->abort();
        });
        QObject::connect(cupsd, &QLocalSocket::readyRead, [=, this] {
            QByteArray data = cupsd->readAll();
            if (mode_ == SilentAfterPage && sendsDocument(*sent)) // but for "go on sending"
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
    QTcpServer* server_ = new QTcpServer;
    std::atomic<bool> holding_ = false;
};

// The real window printing on the print servers of with_cups.sh, whose default
// printer is an IPP printer on US Letter with margins of 5 mm.
// The window is active, as a user's is when they print: the focus shows on screen and page alike.
class PrintingTest : public vantoriku::testing::WindowTest<DesktopServices> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(root.isEmpty()) << "run under tests/printing/with_cups.sh";
        trigger("era1Item");
    }
    void print() { trigger("printItem"); }
    void useServer(const QString& server) { qputenv("CUPS_SERVER", server.toUtf8()); }
    // What one of CUPS's commands says of the test's print server.
    QString cups(const char* command, const QStringList& arguments) {
        QProcess process;
        process.start(command, QStringList{"-h", cupsd} + arguments);
        EXPECT_TRUE(process.waitForFinished()) << command << " did not finish";
        EXPECT_EQ(process.exitCode(), 0) << command << " failed";
        return process.readAllStandardOutput();
    }
    // The jobs on the queue that have not ended, once there are none or `wait` ms have passed.
    QString jobsLeft(int wait = 0) {
        const auto none = [this] { return cups("lpstat", {"-o", queue}).isEmpty(); };
        return QTest::qWaitFor(none, wait) ? "" : cups("lpstat", {"-o", queue});
    }
    int pagesPrinted() { return QDir(root + "/printed").entryList({"*.pdf"}).size(); }

    const QString root = qEnvironmentVariable("VANTORIKU_TEST_CUPS_ROOT");
    const QString queue = qEnvironmentVariable("VANTORIKU_TEST_CUPS_QUEUE");
    const QString cupsd = qEnvironmentVariable("CUPS_SERVER");
    QLocalServer silent; // takes every connection and never answers
};

} // namespace

// What the page shows, control by control, against the window's own image, within the printer's
// margins on its paper: the whole sheet, the letters in the weight the screen gives them, the
// percentage in its colour, and neither main button. Printed again, the second page comes as well.
// The default is the queue's instance "twice", of two copies, as the client's settings say: in a
// folder of the test's own, where libcups reads them for root too (newer libcups read no home's
// settings for root).
TEST_F(PrintingTest, ThePageShowsTheWindowAsTheScreenShowsItEachTimeWithTheDefaultsOptions) {
    qputenv("CUPS_SERVERROOT", root.toUtf8());
    QFile options(root + "/lpoptions");
    ASSERT_TRUE(options.open(QIODevice::WriteOnly));
    options.write(("Dest " + queue + "/twice copies=2\nDefault " + queue + "/twice\n").toUtf8());
    options.close();
    for (const Question& q : QuestionBank::questionsOf(1))
        window.sheet().setAnswer(q.row, q.row % 4 == 0 ? std::string(q.year) : "1000"); // 25 %, red
    click("scoreButton");
    const char* const buttons[] = {"scoreButton", "evaluateButton"};
    for (const char* button : buttons)
        control(button)->hide(); // as when printing
    const QImage screen = window.clientArea().grab().toImage();
    for (const char* button : buttons)
        control(button)->show();
    // The area inside the margins, in points, drawn at the window's scale.
    const double margin = 5 / 25.4 * 72;
    const QRectF area = QRectF(0, 0, 612, 792).adjusted(margin, margin, -margin, -margin);
    const double dpi = 72 * window.clientArea().width() / area.width();
    const vantoriku::testing::BoxCloser boxes;
    for (int nth : {1, 2}) {
        print();
        const auto printed = [&] { return contents(root + "/log/page_log").count(" total 2 ") == nth; };
        ASSERT_TRUE(QTest::qWaitFor(printed, 60000))
            << "page " << nth << " has not printed in two copies; the page log says:\n"
            << str(contents(root + "/log/page_log"));
        EXPECT_EQ(str(boxes.shown.join("")), "") << "printing showed a box";
        const QString pdf = QDir(root + "/printed")
                                .entryInfoList({"*.pdf"}, QDir::Files, QDir::Time | QDir::Reversed)
                                .value(nth - 1)
                                .filePath();
        const QStringList drawing = {"-r", QString::number(dpi), "-png", "-singlefile", pdf, root + "/page"};
        ASSERT_EQ(QProcess::execute("pdftoppm", drawing), 0) << "pdftoppm could not draw page " << nth;
        QImage page(root + "/page.png");
        EXPECT_LT((QPointF(page.width(), page.height()) - QPointF(8.5, 11) * dpi).manhattanLength(), 2)
            << "the page is not Letter but " << page.width() / dpi << " by " << page.height() / dpi << " inches";
        page = page.copy(QRectF(area.topLeft() * dpi / 72, window.clientArea().size()).toRect());
        for (const char* name : {"question1", "answer1", "answer3", "question31", "answer40", "scoreButton",
                                 "clearButton", "scoreHeading", "era1Name", "era1Score", "era1Percentage",
                                 "era1PercentSign", "era4PercentSign", "rule", "totalHeading", "levelHeading"}) {
            // Rasterisers differ by a tenth or two, and place by a pixel; a lost bold weighs a third.
            const QRect cell = control(name)->geometry().adjusted(-2, -2, 2, 2);
            EXPECT_NEAR(inkIn(page, cell), inkIn(screen, cell), inkIn(screen, cell) / 4)
                << name << " against the screen, page " << nth;
        }
    }
}

// Each way printing fails is told in a box once the print server has had its say, or has kept
// silent too long, and no job is left waiting on the queue. Meanwhile the drill goes on: an answer
// is typed and scored, and 印刷 chosen again says that the first job is still being handed over.
TEST_F(PrintingTest, SaysWhyNotWhenThePrinterCannotPrintAndTheDrillGoesOnMeanwhile) {
    const FrontServer silentAfterPage(FrontServer::SilentAfterPage, cupsd);
    const FrontServer hangsUpAtPage(FrontServer::HangsUpAtPage, cupsd);
    DesktopServices withoutLibcups("libvantoriku-absent.so.2");
    bool libcups = true; // or the services without it, which have no window and tell `shown`
    const QString cannot = "ため、印刷できませんでした。", answer = "（サーバーの応答: .+）";
    const struct {
        const char* what;
        QString server, message;
        std::function<void()> cause = [] {};
        bool pagePrints = false; // once the server takes it all
    } failures[] = {
        // First: a resolver that never answers holds it longest.
        {"a server name that does not resolve", "printer.vantoriku.invalid",
         "印刷サーバー名「printer.vantoriku.invalid」のアドレスが(見つからない|5秒以内にわからなかった)" + cannot},
        {"no print server", "/nonexistent/cups.sock", "印刷サーバー「/nonexistent/cups.sock」に接続できない" + cannot},
        {"a print server that does not answer", root + "/silent.sock",
         "印刷サーバー「" + root + "/silent.sock」から5秒以内に応答がなかった" + cannot,
         [&] { silent.listen(root + "/silent.sock"); }},
        {"a default printer that is not there", cupsd, "ふだん使うプリンターが見つからない" + cannot,
         [] { qputenv("PRINTER", "nowhere"); }},
        {"a queue that rejects jobs", cupsd, "プリンター「" + queue + "」が印刷を受け付けなかった" + cannot + answer,
         [&] { cups("cupsreject", {queue}); }},
        {"a server that hangs up while the page goes", hangsUpAtPage.address(),
         "プリンター「" + queue + "」がページを受け取らなかった" + cannot + "(" + answer + ")?"},
        {"a server that keeps silent once the page is sent", silentAfterPage.address(),
         "印刷サーバー「" + silentAfterPage.address() + "」にページを送りましたが、5秒以内に応答が" +
             "なかったため、印刷されたかどうか確かめられませんでした。",
         [] {}, true},
        {"no libcups", cupsd, "印刷に使うライブラリー「libvantoriku-absent.so.2」が見つからない" + cannot,
         [&] { libcups = false; }},
    };
    // Told as well when 印刷 comes again.
    const QString busy = "前の印刷をまだプリンターに送っています。送り終えてから、もう一度印刷してください。";
    for (const auto& row : failures) {
        useServer(row.server);
        row.cause();
        const vantoriku::testing::BoxCloser boxes;
        QStringList shown;
        const auto printNow = [&] {
            libcups ? print()
                    : withoutLibcups.printClientArea(window.clientArea(), [&](auto told) { shown << told.c_str(); });
        };
        const QDeadlineTimer halfTheSilence(kPrintServerSilenceSeconds * 1000 / 2);
        printNow();
        EXPECT_EQ(str(boxes.shown.join("")), "") << row.what << ": a box came before the drill went on";
        click("clearButton");
        QTest::keyClicks(field(1), "538");
        click("scoreButton");
        printNow();
        EXPECT_FALSE(halfTheSilence.hasExpired()) << row.what << ": printing held the window";
        const auto both = [&] { return boxes.shown.size() + shown.size() == 2; };
        static_cast<void>(QTest::qWaitFor(both, (kPrintServerSilenceSeconds + 10) * 1000)); // or what came, below
        const QString told = (shown + boxes.shown).join("\n");
        const QString expected = QString("%1\n%2|%2\n%1").arg(busy, row.message); // in either order
        EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(expected)).match(told).hasMatch())
            << row.what << ", told within the server's silence and ten seconds: " << str(told);
        useServer(cupsd);
        silent.close(); // hanging up on the thread that waits for it, which printing counts as stuck
        qunsetenv("PRINTER");
        cups("cupsaccept", {queue});
        EXPECT_EQ(str(field(1)->text()), "正解") << row.what << ": the scored answer was lost";
        EXPECT_EQ(str(jobsLeft(row.pagePrints ? 60000 : 2000)), "") << row.what << ": a job was left";
    }
}

// A server that asks for a password gets it in a dialog over the window, the user's name filled
// in: a wrong one says so and asks again, three times at most; キャンセル ends the job. The job
// prints once the right password comes. The dialog's wait does not count as the server's silence.
TEST_F(PrintingTest, AsksForThePasswordThatTheServerWants) {
    const FrontServer front(FrontServer::AsksPassword, cupsd);
    useServer(front.address());
    const QString first = "印刷サーバー「" + front.address() + "」で印刷するには、ユーザー名とパスワードが必要です。";
    const QString again = "ユーザー名かパスワードが違います。もう一度入力してください。";
    const struct {
        QStringList typed; // each password, or nothing to cancel
        QString message;   // the box, or none once printed
    } rows[] = {
        {{"lion", FrontServer::kPassword}, ""},
        {{"lion", ""}, "パスワードの入力が取り消されたため、印刷できませんでした。"},
        {{"lion", "puma", "lynx"}, "パスワードが3回とも受け付けられなかったため、印刷できませんでした。"},
    };
    for (const auto& row : rows) {
        const vantoriku::testing::BoxCloser boxes;
        const int printed = pagesPrinted();
        print();
        for (int i = 0; i < row.typed.size(); ++i) {
            QDialog* dialog = nullptr;
            ASSERT_TRUE(QTest::qWaitFor([&] {
                return (dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()));
            })) << "no password dialog for password "
                << i + 1 << " of " << str(row.typed.join(","));
            QTest::qWait(kPrintServerSilenceSeconds * 1000 / 5 * (i == 0)); // the user takes their time
            EXPECT_EQ(str(dialog->findChild<QLabel*>("passwordMessage")->text()), str(i == 0 ? first : again))
                << "dialog " << i + 1;
            auto* user = dialog->findChild<QLineEdit*>("userName");
            auto* password = dialog->findChild<QLineEdit*>("password");
            EXPECT_EQ(str(user->text()), str(qEnvironmentVariable("USER", user->text())))
                << "the user name was not filled in";
            EXPECT_EQ(password->echoMode(), QLineEdit::Password) << "the password shows";
            user->setText("tester");
            password->setText(row.typed[i]);
            row.typed[i].isEmpty() ? dialog->reject() : dialog->accept();
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return pagesPrinted() > printed || !boxes.shown.isEmpty(); }, 20000))
            << "neither printed nor a box after " << str(row.typed.join(","));
        QTest::qWait(100);
        EXPECT_EQ(str(boxes.shown.join("|")), str(row.message)) << "after " << str(row.typed.join(","));
    }
}

// At the program's end, printing ends within a second whatever the server does (a thread that
// libcups holds on a server that does not answer is left to the process's end), and a job on a
// server that answers is cancelled.
TEST_F(PrintingTest, EndsWithinASecondAndCancelsTheJobOnTheServer) {
    silent.listen(root + "/silent.sock");
    const FrontServer holdsPage(FrontServer::HoldsPage, cupsd);
    const FrontServer asksPassword(FrontServer::AsksPassword, cupsd);
    const struct {
        const char* what;
        QString server;
        std::function<bool()> ready;
    } rows[] = {
        {"a print server that does not answer", silent.fullServerName(), [] { return true; }},
        {"a job that waits for its page", holdsPage.address(), [&] { return holdsPage.holding(); }},
        {"the password dialog open", asksPassword.address(), [] { return QApplication::activeModalWidget(); }},
    };
    for (const auto& row : rows) {
        useServer(row.server);
        print();
        EXPECT_TRUE(QTest::qWaitFor(row.ready)) << row.what;
        const QDeadlineTimer second(1050);
        EXPECT_TRUE(services.endPrinting() || row.server == silent.fullServerName())
            << row.what << ": a print thread is still running";
        EXPECT_FALSE(second.hasExpired()) << row.what << ": ending took longer than a second";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << row.what << ": the password dialog stayed";
        useServer(cupsd);
        EXPECT_EQ(str(jobsLeft()), "") << row.what << ": a job was left";
    }
}
