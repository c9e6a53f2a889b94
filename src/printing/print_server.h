#pragma once

#include "printing/conversation.h"

#include <QByteArray>
#include <QPageLayout>
#include <functional>
#include <optional>

namespace vantoriku {

// Hands one PDF page, through the libcups of the given file name, to the default printer as one job
// with the printer's options, on the calling thread, which it holds for as long as the print server
// takes; every wait gives up after the server's silence or at the program's end. `page` makes the
// page for the printer's paper, less the margins it cannot print on, or gives up. Returns the
// reason in Japanese why the printer does not have the job, empty once it does; nothing if `page`
// gave up.
std::optional<QString>
handToDefaultPrinter(const char* library, Conversation& conversation,
                     const std::function<std::optional<QByteArray>(const QPageLayout&)>& page);

} // namespace vantoriku
