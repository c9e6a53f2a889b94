#pragma once

#include <QIcon>

class QWidget;

// How the program's windows are framed.
namespace vantoriku {

// An open book with lines on both pages, at 16 and 32 pixels.
QIcon programIcon();

// Titles the main window with the program's name and its icon, in a sizable
// frame with minimise and close but no maximise button.
void frameMainWindow(QWidget& window);

} // namespace vantoriku
