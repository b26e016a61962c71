// Watches one program's window on an X server, for the whole-program figures.
//
//   window_probe --name PREFIX --first A.rec --second B.rec [--at X,Y]
//                [--pointer X,Y] [--seconds S] -- COMMAND ARGS...
//
// Starts COMMAND and reports, in one key=value line: when its window (the
// first top-level whose name starts with PREFIX) appeared, when the picture
// of record A and then of record B was on screen at (X, Y) of the window
// (milliseconds from the exec; when A was replaced before it was seen, its
// time is B's), then, over S seconds with the pointer held at
// POINTER (window pixels) if given: the processor time the process used, how
// many images it put on screen (PutImage, ShmPutImage, CopyArea and
// ClearArea requests, counted by the X server's RECORD extension), and its
// peak resident memory. The program is killed at the end.

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#include <X11/extensions/record.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/record_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

[[noreturn]] void die(const std::string& why) {
    std::fprintf(stderr, "window_probe: %s\n", why.c_str());
    std::exit(1);
}

Picture load(const char* path) {
    Picture p;
    if (std::string wrong = read_record_file(path, p); !wrong.empty()) die(wrong);
    return p;
}

Window find_window(Display* d, Window parent, const std::string& prefix) {
    Window root_return, parent_return, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, parent, &root_return, &parent_return, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name != nullptr) {
            if (std::strncmp(name, prefix.c_str(), prefix.size()) == 0) {
                XWindowAttributes a;
                if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable) found = children[i];
            }
            XFree(name);
        }
        if (found == 0) found = find_window(d, children[i], prefix);
    }
    if (children) XFree(children);
    return found;
}

int error_ignored(Display*, XErrorEvent*) { return 0; }

bool shows(Display* d, Window w, int x, int y, const Picture& p) {
    XImage* image = XGetImage(d, w, x, y, 149, 350, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    bool same = true;
    for (int py = 0; py < 350 && same; ++py)
        for (int px = 0; px < 149 && same; ++px)
            same = ((XGetPixel(image, px, py) & 0xFFFFFF) == 0xFFFFFF) == p.is_white(px, py);
    XDestroyImage(image);
    return same;
}

// Time on a processor, all threads, from the scheduler's nanosecond counts
// (the clock ticks of /proc/PID/stat are too coarse for an idle player).
double cpu_seconds(pid_t pid) {
    double ns = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator(tasks, ec)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double on_cpu = 0;
        if (schedstat >> on_cpu) ns += on_cpu;
    }
    return ns * 1e-9;
}

long peak_kib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

long image_requests = 0;
void count_request(XPointer, XRecordInterceptData* data) {
    if (data->category == XRecordFromClient) ++image_requests;
    XRecordFreeData(data);
}

}  // namespace

int main(int argc, char** argv) {
    std::string prefix;
    const char *first = nullptr, *second = nullptr;
    int at_x = 0, at_y = 0, pointer_x = -1, pointer_y = -1;
    double seconds = 10;
    int command = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") {
            command = i + 1;
            break;
        }
        if (i + 1 >= argc) die("missing value for " + a);
        const char* v = argv[++i];
        if (a == "--name") prefix = v;
        else if (a == "--first") first = v;
        else if (a == "--second") second = v;
        else if (a == "--at") std::sscanf(v, "%d,%d", &at_x, &at_y);
        else if (a == "--pointer") std::sscanf(v, "%d,%d", &pointer_x, &pointer_y);
        else if (a == "--seconds") seconds = std::stod(v);
        else die("unknown option " + a);
    }
    if (command == 0 || command >= argc || prefix.empty() || !first || !second) die("usage: see the source");
    const Picture picture_a = load(first), picture_b = load(second);

    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) die("cannot open the display");
    XSetErrorHandler(error_ignored);
    XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, DisplayWidth(d, 0) - 1, DisplayHeight(d, 0) - 1);
    XSync(d, False);

    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(argv[command], argv + command);
        _exit(127);
    }
    auto give_up = [&](const char* why) {
        kill(pid, SIGKILL);
        die(why);
    };
    Window w = 0;
    while ((w = find_window(d, DefaultRootWindow(d), prefix)) == 0)
        if (ms_since(t0) > 10000) give_up("no window appeared");
    const double window_ms = ms_since(t0);
    // A first picture that is replaced within a few milliseconds may come and
    // go between two looks; then the second one's time bounds it from above.
    bool second_seen = false;
    while (!shows(d, w, at_x, at_y, picture_a) && !(second_seen = shows(d, w, at_x, at_y, picture_b)))
        if (ms_since(t0) > 10000) give_up("the first picture never showed");
    const double first_ms = ms_since(t0);
    while (!second_seen && !shows(d, w, at_x, at_y, picture_b))
        if (ms_since(t0) > 15000) give_up("the second picture never showed");
    const double second_ms = second_seen ? first_ms : ms_since(t0);

    if (pointer_x >= 0) {
        XWarpPointer(d, None, w, 0, 0, 0, 0, pointer_x, pointer_y);
        XSync(d, False);
    }

    // Count the program's image requests over the measured span.
    Display* record_display = XOpenDisplay(nullptr);
    int major = 0, event = 0, error = 0;
    XRecordRange* ranges[3] = {XRecordAllocRange(), XRecordAllocRange(), XRecordAllocRange()};
    ranges[0]->core_requests = XRecordRange8{X_ClearArea, X_CopyArea};
    ranges[1]->core_requests = XRecordRange8{X_PutImage, X_PutImage};
    int range_count = 2;
    if (XQueryExtension(d, "MIT-SHM", &major, &event, &error)) {
        const auto opcode = static_cast<unsigned char>(major);
        ranges[2]->ext_requests.ext_major = XRecordRange8{opcode, opcode};
        ranges[2]->ext_requests.ext_minor = XRecordRange16{3, 3};  // ShmPutImage
        range_count = 3;
    }
    XRecordClientSpec client = w;
    XRecordContext context = XRecordCreateContext(d, 0, &client, 1, ranges, range_count);
    XSync(d, False);
    if (context == 0 || !XRecordEnableContextAsync(record_display, context, count_request, nullptr))
        give_up("the X server's RECORD extension is not available");

    const double cpu_before = cpu_seconds(pid);
    const auto span_start = Clock::now();
    while (ms_since(span_start) < seconds * 1000) {
        XRecordProcessReplies(record_display);
        usleep(2000);
    }
    const double cpu = cpu_seconds(pid) - cpu_before;
    XRecordProcessReplies(record_display);
    const long peak = peak_kib(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XRecordDisableContext(d, context);
    XSync(d, False);

    std::printf("window_ms=%.1f first_ms=%.1f second_ms=%.1f cpu_s=%.4f seconds=%.1f images=%ld peak_kib=%ld\n",
                window_ms, first_ms, second_ms, cpu, seconds, image_requests, peak);
    return 0;
}
