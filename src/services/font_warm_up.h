#pragma once

#include <thread>

namespace vantoriku {

// Loads the system's font configuration on a second thread while Qt connects
// to the display: it is the largest single cost before the first paint, and
// the two do not depend on each other. finish() waits for it; call it before
// the first widget is made, so that Qt finds the configuration ready.
class FontWarmUp {
  public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;
    void finish();

  private:
    std::thread thread_;
};

} // namespace vantoriku
