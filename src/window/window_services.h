#pragma once

#include <functional>
#include <string>

class QWidget;

namespace vantoriku {

// What the window needs from the platform beyond drawing itself; the program
// passes in the real services, tests pass their own.
class WindowServices {
  public:
    virtual ~WindowServices() = default;
    // Opens the help without waiting for it to close.
    virtual void showHelp(QWidget& window) = 0;
    // Prints the client area on the default printer. It is drawn at once;
    // `done` follows later, on the window's thread, with an empty text once
    // the printer has the job, or the reason why it has not.
    virtual void printClientArea(QWidget& clientArea,
                                 std::function<void(const std::string& failure)> done) = 0;
    // Ends the program at once.
    virtual void quit() = 0;
};

} // namespace vantoriku
