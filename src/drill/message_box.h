#pragma once

#include <string>

namespace vantoriku {

inline constexpr char kApplicationTitle[] = "Vantoriku";

// A modal box titled with the application title, with one OK button and no
// icon. show() returns when the user has closed it.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text) = 0;
};

} // namespace vantoriku
