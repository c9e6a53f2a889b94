#pragma once

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
    // Prints the client area on the default printer; false and a reason on failure.
    virtual bool printClientArea(QWidget& clientArea, std::string& failure) = 0;
    // Ends the program at once.
    virtual void quit() = 0;
};

} // namespace vantoriku
