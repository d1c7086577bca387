// SPDX-License-Identifier: GPL-3.0-or-later
// Measures a program's window from outside, through the X server it runs on:
//   paint_probe startup RUNS PROGRAM FLOOR [FLOOR ...]   (each a command line)
//       starts the programs in turn, RUNS times each, and prints for each the median time from
//       process start to the first frame painted and the median peak RSS, then PROGRAM's ratios
//       to each FLOOR;
//   paint_probe frame PROGRAM
//       starts the program, waits for its first frame however long it takes (under valgrind,
//       say) and ends it;
//   paint_probe clicks COUNT PROGRAM
//       presses "Изчисли" and "Чисти" of binrot COUNT times and prints the median time from
//       releasing "Изчисли" to the report being painted.
// A frame counts as painted when the pixel at (4, 40) of the window shows the window's
// background colour, which both programs paint there.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int windowWidth = 469;
constexpr int windowHeight = 236;
constexpr unsigned long windowColour = 0xC0C0FF;
constexpr int paintedX = 4;
constexpr int paintedY = 40;

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "paint_probe: %s\n", why.c_str());
    std::exit(1);
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

class Display {
public:
    Display() : display(XOpenDisplay(nullptr))
    {
        if (!display)
            fail("cannot open the display named by DISPLAY");
        root = DefaultRootWindow(display);
        XSelectInput(display, root, SubstructureNotifyMask);
    }
    ~Display() { XCloseDisplay(display); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Waits for a top-level window of the program's size to be mapped; returns its origin.
    XPoint waitForWindow(Clock::time_point deadline)
    {
        while (Clock::now() < deadline) {
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type != MapNotify)
                    continue;
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display, event.xmap.window, &attributes) &&
                    attributes.width == windowWidth && attributes.height == windowHeight)
                    return {static_cast<short>(attributes.x), static_cast<short>(attributes.y)};
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        fail("no window appeared");
    }

    unsigned long pixel(int x, int y)
    {
        XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long value = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return value;
    }

    std::vector<unsigned long> region(int x, int y, int width, int height)
    {
        XImage* image = XGetImage(display, root, x, y, static_cast<unsigned>(width),
            static_cast<unsigned>(height), AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                pixels.push_back(XGetPixel(image, column, row));
        XDestroyImage(image);
        return pixels;
    }

    void click(int x, int y)
    {
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
    }

private:
    ::Display* display;
    Window root;
};

// A program is a command line whose words are separated by blanks ("wine.sh binrot.exe").
pid_t start(const char* program)
{
    std::vector<std::string> words;
    std::istringstream line(program);
    for (std::string word; line >> word;)
        words.push_back(word);
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        execvp(arguments[0], arguments.data());
        std::_Exit(127);
    }
    if (pid < 0)
        fail("cannot start a process");
    return pid;
}

// Ends the program and returns its peak resident set in KiB.
double stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    return static_cast<double>(usage.ru_maxrss);
}

struct Startup {
    double milliseconds;
    double peakKiB;
};

// Waits until the program's window shows its first frame; returns the window's origin.
XPoint waitForFirstFrame(Display& display, Clock::time_point started, std::chrono::seconds limit)
{
    const XPoint origin = display.waitForWindow(started + limit);
    while (display.pixel(origin.x + paintedX, origin.y + paintedY) != windowColour) {
        if (Clock::now() > started + limit)
            fail("the window was never painted");
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return origin;
}

Startup measureStartup(Display& display, const char* program)
{
    const auto started = Clock::now();
    const pid_t pid = start(program);
    waitForFirstFrame(display, started, std::chrono::seconds(30));
    const double milliseconds = millisecondsSince(started);
    // Let start-up finish its work before reading the peak.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return {milliseconds, stop(pid)};
}

void startup(int runs, const std::vector<const char*>& programs)
{
    Display display;
    std::vector<std::vector<double>> times(programs.size());
    std::vector<std::vector<double>> peaks(programs.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t which = 0; which < programs.size(); ++which) {
            const Startup result = measureStartup(display, programs[which]);
            times[which].push_back(result.milliseconds);
            peaks[which].push_back(result.peakKiB);
        }
    }
    std::printf("median of %d runs: start-up to first frame, peak RSS\n", runs);
    for (std::size_t which = 0; which < programs.size(); ++which)
        std::printf("  %-50s %7.1f ms  %8.0f KiB\n", programs[which], median(times[which]),
            median(peaks[which]));
    for (std::size_t floor = 1; floor < programs.size(); ++floor)
        std::printf("  ratio to %-41s x%.3f      x%.3f\n", programs[floor],
            median(times[0]) / median(times[floor]), median(peaks[0]) / median(peaks[floor]));
}

void frame(const char* program)
{
    Display display;
    const pid_t pid = start(program);
    waitForFirstFrame(display, Clock::now(), std::chrono::minutes(5));
    stop(pid);
}

// Waits until the region differs from before and returns the milliseconds that took.
double waitForChange(Display& display, XPoint corner, const std::vector<unsigned long>& before,
    Clock::time_point since)
{
    constexpr int width = 200;
    constexpr int height = 40;
    while (display.region(corner.x, corner.y, width, height) == before) {
        if (millisecondsSince(since) > 10'000)
            fail("the report was never painted");
    }
    return millisecondsSince(since);
}

void clicks(int count, const char* program)
{
    Display display;
    const auto started = Clock::now();
    const pid_t pid = start(program);
    const XPoint origin = waitForFirstFrame(display, started, std::chrono::seconds(30));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const XPoint report = {static_cast<short>(origin.x + 12), static_cast<short>(origin.y + 100)};
    const auto snapshot = [&] {
        return display.region(report.x, report.y, 200, 40);
    };
    std::vector<double> latencies;
    for (int i = 0; i < count; ++i) {
        auto before = snapshot();
        auto pressed = Clock::now();
        display.click(origin.x + 228, origin.y + 64); // "Изчисли"
        latencies.push_back(waitForChange(display, report, before, pressed));

        before = snapshot();
        pressed = Clock::now();
        display.click(origin.x + 404, origin.y + 64); // "Чисти"
        waitForChange(display, report, before, pressed);
    }
    stop(pid);
    std::printf("compute click to report painted: median %.2f ms over %d clicks (max %.2f ms)\n",
        median(latencies), count, *std::max_element(latencies.begin(), latencies.end()));
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup" && argc >= 5)
        startup(std::atoi(argv[2]), std::vector<const char*>(argv + 3, argv + argc));
    else if (mode == "frame" && argc == 3)
        frame(argv[2]);
    else if (mode == "clicks" && argc == 4)
        clicks(std::atoi(argv[2]), argv[3]);
    else
        fail("usage: paint_probe startup RUNS PROGRAM FLOOR [FLOOR ...] | frame PROGRAM | "
             "clicks COUNT PROGRAM");
    return 0;
}
