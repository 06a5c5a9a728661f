// Start-up and click-to-pixels of the game against a plain program, on the X server at $DISPLAY.
//   bench_display [--runs=N] [--presses=K] [--launcher=PROGRAM] GAME BASELINE
// With a launcher (Wine's 64-bit loader, or valgrind), each program is started through it. With no
// presses, each program is ended as soon as its first frame is seen.
// Start-up: from exec to the first painted frame (the first digit box's border drawn on the window
// background), and the resident memory at that moment. Click to pixels: from an XTEST Space press to
// the first change of the digit boxes on the screen. The two programs take turns, A B A B.

#include "x_display.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Sample {
    std::vector<double> startMs;
    std::vector<double> startCpuMs;
    std::vector<double> residentKiB;
    std::vector<double> clickMs;
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    }
    return 0;
}

// The processor time the process has had so far, from the scheduler's own count.
double CpuMs(pid_t pid)
{
    std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
    double nanoseconds = 0;
    schedstat >> nanoseconds;
    return nanoseconds / 1e6;
}

unsigned Grey(std::uint32_t rgb)
{
    return (((rgb >> 16U) & 0xFFU) + ((rgb >> 8U) & 0xFFU) + (rgb & 0xFFU)) / 3;
}

// Both windows draw the first digit box's border at (160, 80), darker than a light background at
// (100, 300).
bool Painted(const XDisplay &x, unsigned long window)
{
    const RgbImage border = x.Capture(window, 160, 80, 1, 1);
    const RgbImage background = x.Capture(window, 100, 300, 1, 1);
    return !border.pixels.empty() && !background.pixels.empty() && Grey(background.pixels[0]) > 180
           && Grey(border.pixels[0]) + 40 < Grey(background.pixels[0]);
}

// Asks the program to end, and ends it where it has not within five seconds (a Wine program may be
// deaf to the request while it starts).
void Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int wait = 0; wait < 500 && waitpid(pid, nullptr, WNOHANG) == 0; ++wait)
        std::this_thread::sleep_for(10ms);
    if (waitpid(pid, nullptr, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::this_thread::sleep_for(100ms); // the server tidies up after the client before the next starts
}

void Measure(const XDisplay &x, std::string launcher, std::string program, int presses, Sample &sample)
{
    std::vector<char *> argv;
    if (!launcher.empty())
        argv.push_back(launcher.data());
    argv.push_back(program.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    posix_spawn_file_actions_t quiet{};
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid, argv.front(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        std::cerr << "cannot start " << program << "\n";
        return;
    }
    unsigned long window = 0;
    while (Clock::now() - start < 20s) {
        if (window == 0)
            window = x.WindowOf(pid);
        if (window != 0 && Painted(x, window))
            break;
        std::this_thread::sleep_for(200us);
    }
    sample.startMs.push_back(Milliseconds(Clock::now() - start));
    sample.startCpuMs.push_back(CpuMs(pid));
    sample.residentKiB.push_back(static_cast<double>(ResidentKiB(pid)));
    if (presses == 0) {
        Stop(pid);
        return;
    }

    x.Focus(window);
    std::this_thread::sleep_for(100ms);
    for (int press = 0; press < presses; ++press) {
        const RgbImage before = x.Capture(window, 160, 50, 457, 1); // a row across the three digit boxes
        const Clock::time_point pressed = Clock::now();
        x.Type("space");
        while (Clock::now() - pressed < 500ms) {
            if (x.Capture(window, 160, 50, 457, 1).pixels != before.pixels) {
                sample.clickMs.push_back(Milliseconds(Clock::now() - pressed));
                break;
            }
            std::this_thread::sleep_for(100us);
        }
        std::this_thread::sleep_for(30ms); // no two presses inside the toolkit's auto-repeat window
    }
    Stop(pid);
}

std::string Flag(const std::vector<std::string> &arguments, const std::string &name, const std::string &fallback)
{
    for (const std::string &argument : arguments) {
        if (argument.starts_with(name + "="))
            return argument.substr(name.size() + 1);
    }
    return fallback;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() < 2) {
        std::cerr << "usage: bench_display [--runs=N] [--presses=K] [--launcher=PROGRAM] GAME BASELINE\n";
        return 2;
    }
    const int runs = std::stoi(Flag(arguments, "--runs", "21"));
    const int presses = std::stoi(Flag(arguments, "--presses", "20"));
    const std::string launcher = Flag(arguments, "--launcher", "");
    const std::string &game = arguments[arguments.size() - 2];
    const std::string &baseline = arguments.back();
    const char *display = std::getenv("DISPLAY");
    const XDisplay x(display != nullptr ? std::string(display) : std::string());
    if (!x.Connected()) {
        std::cerr << "bench_display: no X display\n";
        return 1;
    }
    Sample a;
    Sample b;
    for (int run = 0; run < runs; ++run) {
        Measure(x, launcher, game, presses, a);
        Measure(x, launcher, baseline, presses, b);
    }
    std::cout << std::left << std::setw(28) << "measure (game against plain)" << std::right << std::setw(15) << "game"
              << std::setw(15) << "plain" << std::setw(9) << "A / B"
              << "   (medians of " << runs << " runs, alternating A B)\n";
    const auto row = [](const char *name, const std::vector<double> &game, const std::vector<double> &plain) {
        const double ga = Median(game);
        const double pl = Median(plain);
        std::cout << std::left << std::setw(28) << name << std::right << std::fixed << std::setprecision(2)
                  << std::setw(15) << ga << std::setw(15) << pl << std::setprecision(3) << std::setw(9)
                  << (pl > 0 ? ga / pl : 0.0) << "\n";
    };
    row("start-up to first frame, ms", a.startMs, b.startMs);
    row("processor time by then, ms", a.startCpuMs, b.startCpuMs);
    row("resident memory then, KiB", a.residentKiB, b.residentKiB);
    row("Space press to pixels, ms", a.clickMs, b.clickMs);
    std::cout << "(" << a.clickMs.size() << " and " << b.clickMs.size()
              << " press samples; a game that deals the digits already shown changes nothing and is left out)\n";
    return 0;
}
