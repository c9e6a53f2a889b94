#pragma once

#include <QString>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

namespace vantoriku {

using Clock = std::chrono::steady_clock;

// How long the print server may keep silent before a job is given up.
inline constexpr int kPrintServerSilenceSeconds = 5;
inline constexpr Clock::duration kSilence = std::chrono::seconds(kPrintServerSilenceSeconds);

// How far a conversation with the print server has come.
enum class Stage {
    LookingUp,  // the server's name
    Connecting, // no word from the server yet
    Talking,    // the server answers
    JobCreated, // a job is waiting on the server for its page
    PageSent,   // the whole page went out; the server has yet to confirm it
    Done,       // the conversation has its result
};

struct Credentials {
    QString user;
    QString password;
};

// One conversation with the print server about one job, as the print thread
// and the window's thread both see it. Each member is used under `mutex`.
struct Conversation {
    // Print thread: the server answered, or the user did.
    void heard(std::optional<Stage> reached = std::nullopt);
    // Print thread: whether the window gave up the conversation, or the program ends.
    [[nodiscard]] bool stopping();
    // Print thread: whether to stop waiting on the server: as above, or it kept silent too long.
    [[nodiscard]] bool givingUp();
    // Print thread: the user's name and password, asked on the window's
    // thread; nothing when the user cancels or the program ends.
    std::optional<Credentials> askPassword(const QString& user, int refused);
    // Window's thread: the user's answer.
    void answer(std::optional<Credentials> given);
    // Window's thread: the time left before the server has kept silent too long.
    [[nodiscard]] Clock::duration silenceLeft();

    std::mutex mutex;
    std::condition_variable changed;
    Stage stage = Stage::LookingUp;
    Clock::time_point lastHeard = Clock::now();
    QString server;                                     // as the user's settings name it
    bool ending = false;                                // the program ends: give every wait up
    Clock::time_point endBy = Clock::time_point::max(); // and end by then
    bool abandoned = false; // the window has told the user; a later result goes unseen
    bool asking = false;    // the window asks for a password: silence is not counted
    std::optional<Credentials> credentials;
    // Posts a call to the window's thread; empty once the window's side is gone.
    std::function<void(std::function<void()>)> post;
    std::function<void()> passwordWanted; // the window's side, on its thread
    int refused = 0;                      // passwords the server turned down
};

// What to tell the user when the server has kept silent at this stage.
QString silenceReason(Stage stage, const QString& server);

// How every reason ends: "…so it could not be printed."
extern const QString kCannotPrint;

} // namespace vantoriku
