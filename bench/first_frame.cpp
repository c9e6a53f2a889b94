/* first_frame: start-up of an X11 program as the screen sees it.
 *
 * Usage: first_frame COMMAND [ARGS...]    (under an X server without a window manager)
 *
 * Starts COMMAND and prints one line, "map_ms M frame_ms F hwm_kb H":
 *   M  launch to the map of its first top-level window of at least 100 x 100 pixels,
 *   F  launch to the first drawing that reaches that window after its map (X Damage),
 *   H  the program's peak resident memory half a second later (VmHWM).
 * Then it ends the program. Times are read off CLOCK_MONOTONIC when the X events
 * arrive; the launch is just before fork. Exit status 1 if the window never drew.
 */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <ctime>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

static long peak_kb(pid_t pid) {
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* status = std::fopen(path, "r");
    while (status != NULL && fgets(line, sizeof line, status) != NULL) {
        if (sscanf(line, "VmHWM: %ld", &kb) == 1) {
            break;
        }
    }
    if (status != NULL) {
        fclose(status);
    }
    return kb;
}

/* Windows come and go, and some take no drawing: a Damage object for those fails, harmlessly. */
static int ignore_error(Display* /*display*/, XErrorEvent* /*error*/) {
    return 0;
}

/* Waits up to timeout_ms for the next X event; 0 when none came. */
static int next_event(Display* display, XEvent* event, double timeout_ms) {
    const double until = now_ms() + timeout_ms;
    while (XPending(display) == 0) {
        const double left = until - now_ms();
        struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, (int)left + 1) == 0) {
            return 0;
        }
    }
    XNextEvent(display, event);
    return 1;
}

int main(int argc, char* argv[]) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s COMMAND [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    int damage_event = 0, damage_error = 0;
    if (display == NULL || !XDamageQueryExtension(display, &damage_event, &damage_error)) {
        fprintf(stderr, "first_frame: no X display with the Damage extension\n");
        return 2;
    }
    XSetErrorHandler(ignore_error);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double launched = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    /* Every new top-level window gets a Damage object as it is created, so
     * that no drawing between its map and the first report is missed. */
    Window target = 0;
    double mapped = -1, drawn = -1;
    XEvent event;
    while (drawn < 0 && next_event(display, &event, 30000)) {
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && target == 0 && event.xmap.event == root) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, event.xmap.window, &attributes) && attributes.width >= 100 &&
                attributes.height >= 100) {
                target = event.xmap.window;
                mapped = now_ms() - launched;
            }
        } else if (event.type == damage_event + XDamageNotify) {
            const XDamageNotifyEvent* damage = (const XDamageNotifyEvent*)&event;
            if (damage->drawable == target) {
                drawn = now_ms() - launched;
            }
            XDamageSubtract(display, damage->damage, None, None);
        }
    }
    usleep(500 * 1000);
    const long hwm = peak_kb(child);
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    if (drawn < 0) {
        fprintf(stderr, "first_frame: %s drew no window\n", argv[1]);
        return 1;
    }
    printf("map_ms %.1f frame_ms %.1f hwm_kb %ld\n", mapped, drawn, hwm);
    return 0;
}
