#include "services/desktop_services.h"
#include "window/window_fixture.h"

#include <QCloseEvent>
#include <QWindow>

namespace vantoriku::testing {
namespace {

// Both ways out end the event loop with status 0 and close the window.
TEST(ExitTest, QuitItemAndCloseBoxEndTheProgramWithStatusZero) {
    const std::pair<const char*, std::function<void(Form1&)>> ways[] = {
        {"終了", [](Form1& form) { form.findChild<QAction*>("munquititem")->trigger(); }},
        // The close box reaches the window, not the widget, as this event.
        {"close box",
         [](Form1& form) {
             QCloseEvent close;
             QApplication::sendEvent(form.windowHandle(), &close);
         }},
    };
    for (const auto& way : ways) {
        const auto& [name, leave] = way;
        DesktopServices services;
        Form1 form(services);
        form.Form_Load();
        form.findChild<QAction*>("mokuji")->trigger(); // an open help window does not keep it alive
        QTimer::singleShot(0, [&form, &way] { way.second(form); });
        QTimer watchdog;
        watchdog.callOnTimeout([] { QApplication::exit(99); });
        watchdog.start(10000);
        EXPECT_EQ(QApplication::exec(), 0) << name;
    }
}

} // namespace
} // namespace vantoriku::testing
