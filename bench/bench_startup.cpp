// Start-up of the program against a bare Qt window of the same size: the time from starting the process
// to its main window being mapped on the X display, in one run, alternating the two.
//
//     dbus-run-session -- xvfb-run -s "-screen 0 1280x1024x24" build/bench/bench_startup [runs]
//
// A desktop session has a D-Bus session bus, hence dbus-run-session. Without one, Qt's accessibility
// bridge tries to start a bus (libdbus forks dbus-launch) the first time a widget is named, which in the
// program is while the window is built and in the bare window after its map: a cost of the machine, not
// of the program, that the figures then include.
//
// Each run starts the process, waits for the X server to map its top-level window (MapNotify on the
// root window, no window manager needed), then ends the process. The program runs on the installation
// of the build (dist/), whose tables a start leaves untouched.

#include <QApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The same frame as the main window, nothing in it.
int bareWindow(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Voľby do VQRA 2006"));
    window.setFixedSize(789, 530);
    window.show();
    return app.exec();
}

struct XServer {
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
};

// Milliseconds from starting the program to the map of a top-level window of at least 300 × 200 pixels
// (the busy window is never mapped at start), or a negative value when none came within 20 s.
double timeToMap(XServer &display, const std::vector<std::string> &command) {
    std::vector<char *> args;
    for (const std::string &a : command)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(1);
    }
    if (child == 0) {
        execv(args[0], args.data());
        std::perror(args[0]);
        _exit(127);
    }
    double elapsed = -1;
    while (elapsed < 0 && std::chrono::duration<double>(Clock::now() - start).count() < 20) {
        xcb_generic_event_t *event = xcb_poll_for_event(display.connection);
        if (!event) {
            if (xcb_connection_has_error(display.connection))
                break;
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                std::fprintf(stderr, "%s ended before it mapped a window\n", args[0]);
                std::exit(1);
            }
            usleep(200);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
            xcb_get_geometry_reply_t *geometry =
                xcb_get_geometry_reply(display.connection, xcb_get_geometry(display.connection, map->window), nullptr);
            if (geometry && geometry->width >= 300 && geometry->height >= 200)
                elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::free(geometry);
        }
        std::free(event);
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    return elapsed;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return bareWindow(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    XServer display;
    int screen = 0;
    display.connection = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(display.connection)) {
        std::fprintf(stderr, "No X display: run under xvfb-run.\n");
        return 1;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(display.connection));
    for (int i = 0; i < screen; ++i)
        xcb_screen_next(&it);
    display.root = it.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(display.connection, display.root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(display.connection);

    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) < 0) {
        std::perror("/proc/self/exe");
        return 1;
    }
    const std::vector<std::string> bare = {self, "--bare"};
    const std::vector<std::string> program = {VOLBY_PROGRAM};
    // One start of each first, so that both find the libraries and the fonts in the page cache.
    timeToMap(display, bare);
    timeToMap(display, program);
    std::vector<double> bareTimes, programTimes;
    for (int i = 0; i < runs; ++i) {
        const double b = timeToMap(display, bare);
        const double p = timeToMap(display, program);
        if (b < 0 || p < 0) {
            std::fprintf(stderr, "A window was not mapped within 20 s.\n");
            return 1;
        }
        bareTimes.push_back(b);
        programTimes.push_back(p);
    }
    const double b = median(bareTimes), p = median(programTimes);
    std::printf("start to the window mapped, median of %d runs, %s\n", runs,
                std::getenv("DBUS_SESSION_BUS_ADDRESS") ? "with a session bus" : "without a session bus");
    std::printf("bare Qt window 789x530: %7.1f ms\n", b);
    std::printf("the program:            %7.1f ms\n", p);
    std::printf("ratio:                  %7.2f\n", p / b);
    xcb_disconnect(display.connection);
    return 0;
}
