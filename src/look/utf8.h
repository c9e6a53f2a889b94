#pragma once

#include <QString>
#include <string_view>

namespace vantoriku {

// The program's texts are UTF-8 views; Qt wants them as QString.
inline QString qString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace vantoriku
