// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, memory and shutdown of the real program against the floor, as
// the X server sees them: from exec to the MapNotify of the first top-level
// window on the root window (no polling), resident and anonymous memory one
// second later, and for Velmarin from the click on "Schliessen" to the exit.
// Runs alternate between the two programs after one warm-up run of each.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sample {
    double mapMs = 0;
    double residentKiB = 0;
    double anonymousKiB = 0;
    double exitMs = -1;
};

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double statusField(pid_t pid, const std::string &name)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(name + ":", 0) == 0)
            return std::atof(line.c_str() + name.size() + 1);
    }
    return 0;
}

bool waitForMap(Display *display, double deadline, Window &window)
{
    while (now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                window = event.xmap.window;
                return true;
            }
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 5);
    }
    return false;
}

Sample run(Display *display, const char *program, bool clickClose)
{
    XSync(display, True); // drop anything left from the run before
    Sample sample;
    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    Window window = 0;
    if (!waitForMap(display, start + 10000, window)) {
        std::fprintf(stderr, "%s: no window within 10 s\n", program);
        std::exit(1);
    }
    sample.mapMs = now() - start;
    usleep(1000 * 1000);
    sample.residentKiB = statusField(pid, "VmRSS");
    sample.anonymousKiB = statusField(pid, "RssAnon");

    int status = 0;
    if (clickClose) {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
        XTestFakeMotionEvent(display, -1, x + 220, y + 436, 0); // the middle of "Schliessen"
        XTestFakeButtonEvent(display, 1, True, 0);
        XSync(display, False);
        usleep(20 * 1000);
        const double released = now();
        XTestFakeButtonEvent(display, 1, False, 0);
        XFlush(display);
        waitpid(pid, &status, 0);
        sample.exitMs = now() - released;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "%s: exit status %d after Schliessen\n", program, status);
            std::exit(1);
        }
    } else {
        kill(pid, SIGTERM);
        waitpid(pid, &status, 0);
    }
    return sample;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Stats {
    double median, min, max;
};

Stats stats(const std::vector<Sample> &samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample &s : samples)
        values.push_back(s.*field);
    return {median(values), *std::min_element(values.begin(), values.end()),
            *std::max_element(values.begin(), values.end())};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s RUNS VELMARIN FLOOR\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    run(display, argv[2], true);
    run(display, argv[3], false);
    std::vector<Sample> velmarin, floor;
    for (int i = 0; i < runs; ++i) {
        velmarin.push_back(run(display, argv[2], true));
        floor.push_back(run(display, argv[3], false));
    }

    std::printf("%d runs each, alternating, after one warm-up run each\n\n", runs);
    std::printf("| measure | Velmarin median (min-max) | floor median (min-max) | ratio |\n");
    std::printf("|---|---|---|---|\n");
    const struct {
        const char *name;
        double Sample::*field;
        const char *unit;
    } rows[] = {{"exec to window mapped", &Sample::mapMs, "ms"},
                {"resident set, 1 s after map", &Sample::residentKiB, "KiB"},
                {"anonymous memory, 1 s after map", &Sample::anonymousKiB, "KiB"}};
    for (const auto &row : rows) {
        const Stats v = stats(velmarin, row.field);
        const Stats f = stats(floor, row.field);
        std::printf("| %s | %.1f %s (%.1f-%.1f) | %.1f %s (%.1f-%.1f) | %.3f |\n", row.name, v.median, row.unit,
                    v.min, v.max, f.median, row.unit, f.min, f.max, v.median / f.median);
    }
    const Stats exit = stats(velmarin, &Sample::exitMs);
    std::printf("| click on Schliessen to exit | %.1f ms (%.1f-%.1f) | | |\n", exit.median, exit.min, exit.max);
    XCloseDisplay(display);
    return 0;
}
