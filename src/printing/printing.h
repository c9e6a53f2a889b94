#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <thread>

class QWidget;

namespace vantoriku {

struct Conversation;
class PasswordDialog;

// Prints widgets on the default printer, each as one job, without a dialog,
// scaled to fit the page with the aspect ratio kept. The widget is drawn at
// once, as the screen shows it; finding the printer and handing the job over
// run on a thread of their own, so that a print server that does not answer
// holds up nothing else. A server that asks for a password gets it from the
// user in a dialog over the widget's window.
//
// The window never waits on the print server: once it has kept silent for
// five seconds, the user is told, and that conversation is left to end by
// itself, its result unseen. Up to two such conversations may still be
// waiting inside libcups (on a name lookup, say) when 印刷 is chosen again;
// beyond that, printing waits until one of them has ended.
class Printer {
  public:
    // `library` is the file name of libcups, as the dynamic loader finds it.
    explicit Printer(std::string library = "libcups.so.2");
    // Ends as end() does.
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Draws the widget and starts handing it to the printer. Later, on this
    // thread, `done` gets an empty text once the printer has the job, or a
    // reason in Japanese why it has not; unless the widget is gone by then.
    // One job at a time: while one is on its way, another is refused.
    void print(QWidget& widget, std::function<void(const QString& failure)> done);

    // Gives every conversation up, cancels the jobs that are on the server
    // without their confirmed page, and waits for that at most `limit`.
    // Returns whether every print thread has ended; those that have not are
    // still inside libcups, and the program must not unload it or Qt.
    bool end(std::chrono::milliseconds limit = std::chrono::milliseconds(600));

    static constexpr int kStuckAllowed = 2;

  private:
    struct Talk; // one conversation as this thread sees it
    static void finish(Talk& talk, const std::optional<QString>& failure);
    static void checkSilence(Talk& talk);
    void askPassword(Talk& talk);
    static void tell(Talk& talk, const QString& failure);
    void refuse(QWidget& widget, std::function<void(const QString&)> done, const QString& why);

    std::string library_;
    QObject receiver_; // results arrive through its events, which go with it
    std::list<Talk> talks_;
};

} // namespace vantoriku
