// Times a program's start-up from outside, as a user sees it: from the
// moment it is started to the moment the X server maps its first window
// with the given title. Prints "mapped_ms=<ms> cpu_ms=<ms> peak_rss_kb=<kB>":
// the processor time the program's threads had used by then (which a busy
// machine disturbs less than the time on the clock) and its peak resident
// memory at that moment; then any line the program itself prints. Waits
// for the program to end (it is ended after ten seconds).
//   mapped_window_timer TITLE PROGRAM [ARGS...]
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <dirent.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

double NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

xcb_atom_t Atom(xcb_connection_t* x, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

std::string Property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property)
{
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
    std::string value;
    if (reply != nullptr) {
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    }
    std::free(reply);
    return value;
}

long PeakRssKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Processor time of all the program's threads, from the scheduler's
// nanosecond counts.
double CpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double total = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (const dirent* task = readdir(dir)) {
            std::ifstream stat(tasks + "/" + task->d_name + "/schedstat");
            double ns = 0;
            if (task->d_name[0] != '.' && stat >> ns) {
                total += ns / 1e6;
            }
        }
        closedir(dir);
    }
    return total;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netName = Atom(x, "_NET_WM_NAME");
    xcb_flush(x);

    std::fflush(stdout);
    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1;
    long peakKb = -1;
    double cpu = -1;
    int mapsSeen = 0;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (mapped < 0 && NowMs() - start < 10000) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (event == nullptr) {
            if (xcb_connection_has_error(x)) {
                break;
            }
            poll(&fd, 1, 50);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            ++mapsSeen;
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const double at = NowMs();
            if (!map->override_redirect &&
                (Property(x, map->window, netName) == title || Property(x, map->window, XCB_ATOM_WM_NAME) == title)) {
                mapped = at - start;
                peakKb = PeakRssKb(child);
                cpu = CpuMs(child);
            }
        }
        std::free(event);
    }
    if (mapped >= 0) {
        std::printf("mapped_ms=%.1f cpu_ms=%.1f peak_rss_kb=%ld\n", mapped, cpu, peakKb);
        std::fflush(stdout);
    } else {
        int status = 0;
        const bool ended = waitpid(child, &status, WNOHANG) == child;
        std::fprintf(stderr, "no window titled %s mapped within 10 s (%d windows mapped%s)\n", title.c_str(), mapsSeen,
                     ended ? ", the program ended" : "");
    }
    int status = 0;
    for (int i = 0; i < 200 && waitpid(child, &status, WNOHANG) == 0; ++i) {
        usleep(50000);
    }
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    xcb_disconnect(x);
    return mapped >= 0 ? 0 : 1;
}
