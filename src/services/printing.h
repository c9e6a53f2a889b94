#pragma once

#include <QString>

class QWidget;

namespace vantoriku {

// Prints the widget as it is drawn on screen, scaled to fit the page with its
// aspect ratio kept, on the default printer as one job and without a dialog.
// Returns true, or false with a reason in Japanese for the user.
bool printOnDefaultPrinter(QWidget& widget, QString& failure);

} // namespace vantoriku
