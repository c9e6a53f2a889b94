#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <optional>

namespace vantoriku {

// How long the print server may keep silent before a job is given up.
inline constexpr int kPrintServerSilenceSeconds = 5;

// Hands one PDF page to the default printer as one job with the printer's
// options, on the calling thread, which it holds for as long as the print
// server takes; each wait for the server ends after the seconds above.
// `page` makes the page for the printer's paper, less the margins that it
// cannot print on, or gives up. Returns the reason in Japanese why the
// printer does not have the job, empty once it does; nothing if `page` gave up.
std::optional<QString>
handToDefaultPrinter(const std::function<std::optional<QByteArray>(const QPageLayout&)>& page);

} // namespace vantoriku
