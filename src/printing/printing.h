#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace vantoriku {

// Prints widgets on the default printer, each as one job, without a dialog,
// scaled to fit the page with the aspect ratio kept. The widget is drawn at
// once, as the screen shows it; finding the printer and handing the job over
// run on a thread of their own, so that a print server that does not answer
// holds up nothing else. One job at a time.
class Printer {
  public:
    Printer();
    // Leaves a job that is still being handed over; the program does not wait for it.
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Draws the widget and starts handing it to the printer. Later, on this
    // thread, `done` gets an empty text once the printer has the job, or a
    // reason in Japanese why it has not; unless the widget is gone by then.
    void print(QWidget& widget, std::function<void(const QString& failure)> done);

    struct Job; // what the handing-over thread shares with this one

  private:
    void finish(const QString& failure);

    QObject receiver_; // results arrive through its events, which go with it
    std::shared_ptr<Job> job_;
    QPointer<QWidget> printed_;
    std::function<void(const QString&)> done_;
};

} // namespace vantoriku
