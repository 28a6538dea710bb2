// Measures what the audience sees: when pixels on the X screen change,
// stamped against the real-time clock. It follows the whole screen through
// XDAMAGE, and reads the damaged pixels back through MIT-SHM to keep only the
// damage that changed what the screen shows.
//
//   screen_probe clock SECONDS
//       Digit changes of a clock: the changes of the screen area that
//       changes most often (the clock), as milliseconds after the real
//       time's whole second.
//   screen_probe count SECONDS KEY
//       Presses KEY (e.g. ctrl+alt+s) through XTEST at a random phase of the
//       second (a second after a press of Shift, so the switch to the XTEST
//       keyboard is not measured), then follows the clock area as above, with its changes in
//       milliseconds after each whole second since the press; also the first
//       change after the press and the first digit change (the first change
//       of the clock area at least half a second after the press).
//   screen_probe launch TIMEOUT_S PROGRAM [ARGS...]
//       Paints the root window a colour no program uses, starts PROGRAM and
//       reports the time from the start to the first frame in which at least
//       a quarter of the screen shows painted pixels; then ends PROGRAM.
//
// Output: "name value" lines, the figures in milliseconds.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr unsigned long kRootColour = 0xff00ff; // magenta: no program here paints it

double realtime_ms()
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
    bool intersects(const Rect& o) const
    {
        return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
    Rect united(const Rect& o) const
    {
        if (empty())
            return o;
        if (o.empty())
            return *this;
        const int l = std::min(x, o.x), t = std::min(y, o.y);
        return {l, t, std::max(x + w, o.x + o.w) - l, std::max(y + h, o.y + o.h) - t};
    }
};

struct Change {
    double at; // real time, ms
    Rect area; // the pixels that changed
};

// The screen, as last read, and its damage.
class ScreenWatch {
public:
    bool open()
    {
        m_dpy = XOpenDisplay(nullptr);
        if (!m_dpy)
            return fail("no X display");
        int damageError = 0, major = 0, minor = 0;
        Bool pixmaps = False;
        if (!XDamageQueryExtension(m_dpy, &m_damageEvent, &damageError))
            return fail("the X server has no DAMAGE extension");
        if (!XShmQueryVersion(m_dpy, &major, &minor, &pixmaps))
            return fail("the X server has no MIT-SHM extension");
        m_root = DefaultRootWindow(m_dpy);
        const int screen = DefaultScreen(m_dpy);
        m_width = DisplayWidth(m_dpy, screen);
        m_height = DisplayHeight(m_dpy, screen);
        m_image = XShmCreateImage(m_dpy, DefaultVisual(m_dpy, screen), DefaultDepth(m_dpy, screen), ZPixmap,
                                  nullptr, &m_shm, m_width, m_height);
        if (!m_image || m_image->bits_per_pixel != 32)
            return fail("needs a 24/32-bit screen");
        m_shm.shmid = shmget(IPC_PRIVATE, size_t(m_image->bytes_per_line) * m_height, IPC_CREAT | 0600);
        m_shm.shmaddr = m_image->data = static_cast<char*>(shmat(m_shm.shmid, nullptr, 0));
        m_shm.readOnly = False;
        XShmAttach(m_dpy, &m_shm);
        XSync(m_dpy, False);
        shmctl(m_shm.shmid, IPC_RMID, nullptr); // freed once both sides let go
        m_damage = XDamageCreate(m_dpy, m_root, XDamageReportRawRectangles);
        read();
        m_shown.assign(m_pixels(), m_pixels() + pixelCount());
        return true;
    }

    // Waits up to `ms` for damage; returns the changes it found (pixels that
    // now differ from what was shown before), stamped when the damage came.
    std::vector<Change> wait(int ms)
    {
        std::vector<Change> changes;
        pollfd fd{ConnectionNumber(m_dpy), POLLIN, 0};
        if (!XPending(m_dpy) && poll(&fd, 1, ms) <= 0)
            return changes;
        const double at = realtime_ms();
        std::vector<Rect> damaged;
        while (XPending(m_dpy)) {
            XEvent ev;
            XNextEvent(m_dpy, &ev);
            if (ev.type == m_damageEvent + XDamageNotify) {
                const auto& d = reinterpret_cast<const XDamageNotifyEvent&>(ev);
                damaged.push_back({d.area.x, d.area.y, d.area.width, d.area.height});
            }
        }
        if (damaged.empty())
            return changes;
        // Only the damaged rectangles are read back, so the server (and this
        // probe) stay busy as short as possible.
        Rect changed;
        for (const Rect& r : damaged)
            changed = changed.united(takeChanged(r));
        if (!changed.empty())
            changes.push_back({at, changed});
        return changes;
    }

    // Share of the screen's pixels that are not the root colour.
    double paintedShare()
    {
        read();
        long painted = 0;
        const uint32_t* p = m_pixels();
        for (long i = 0; i < pixelCount(); i += 7)
            painted += (p[i] & 0xffffff) != kRootColour;
        return double(painted) * 7 / double(pixelCount());
    }

    void paintRoot()
    {
        XSetWindowBackground(m_dpy, m_root, kRootColour);
        XClearWindow(m_dpy, m_root);
        XSync(m_dpy, False);
        read();
        m_shown.assign(m_pixels(), m_pixels() + pixelCount());
        while (XPending(m_dpy)) {
            XEvent ev;
            XNextEvent(m_dpy, &ev);
        }
    }

    // Presses and releases a key combination such as "ctrl+alt+s".
    bool press(const std::string& combination)
    {
        std::vector<KeyCode> codes;
        size_t start = 0;
        while (start <= combination.size()) {
            size_t end = combination.find('+', start);
            if (end == std::string::npos)
                end = combination.size();
            std::string name = combination.substr(start, end - start);
            if (name == "ctrl")
                name = "Control_L";
            else if (name == "alt")
                name = "Alt_L";
            else if (name == "shift")
                name = "Shift_L";
            const KeySym sym = XStringToKeysym(name.c_str());
            if (sym == NoSymbol)
                return fail("unknown key " + name);
            codes.push_back(XKeysymToKeycode(m_dpy, sym));
            start = end + 1;
        }
        for (KeyCode c : codes)
            XTestFakeKeyEvent(m_dpy, c, True, 0);
        for (auto it = codes.rbegin(); it != codes.rend(); ++it)
            XTestFakeKeyEvent(m_dpy, *it, False, 0);
        XFlush(m_dpy);
        return true;
    }

private:
    uint32_t* m_pixels() const { return reinterpret_cast<uint32_t*>(m_image->data); }
    long pixelCount() const { return long(m_width) * m_height; }
    void read() { XShmGetImage(m_dpy, m_root, m_image, 0, 0, AllPlanes); }
    bool fail(const std::string& why)
    {
        std::fprintf(stderr, "screen_probe: %s\n", why.c_str());
        return false;
    }

    // The part of `r` whose pixels changed; the shown copy takes them.
    Rect takeChanged(Rect r)
    {
        r.w = std::min(r.x + r.w, m_width) - std::max(r.x, 0);
        r.h = std::min(r.y + r.h, m_height) - std::max(r.y, 0);
        r.x = std::max(r.x, 0);
        r.y = std::max(r.y, 0);
        if (r.empty())
            return {};
        // The rectangle lands at the start of the shared segment, w pixels a
        // row.
        XImage* part = XShmCreateImage(m_dpy, DefaultVisual(m_dpy, DefaultScreen(m_dpy)),
                                       DefaultDepth(m_dpy, DefaultScreen(m_dpy)), ZPixmap, m_shm.shmaddr, &m_shm,
                                       r.w, r.h);
        XShmGetImage(m_dpy, m_root, part, r.x, r.y, AllPlanes);
        const int stride = part->bytes_per_line / 4;
        int minX = m_width, minY = m_height, maxX = -1, maxY = -1;
        const uint32_t* now = m_pixels();
        for (int y = 0; y < r.h; ++y) {
            uint32_t* shown = &m_shown[long(r.y + y) * m_width + r.x];
            const uint32_t* row = now + long(y) * stride;
            for (int x = 0; x < r.w; ++x) {
                if (((row[x] ^ shown[x]) & 0xffffff) == 0)
                    continue;
                shown[x] = row[x];
                minX = std::min(minX, r.x + x);
                maxX = std::max(maxX, r.x + x);
                minY = std::min(minY, r.y + y);
                maxY = std::max(maxY, r.y + y);
            }
        }
        part->data = nullptr;
        XDestroyImage(part);
        if (maxX < 0)
            return {};
        return {minX, minY, maxX - minX + 1, maxY - minY + 1};
    }

    Display* m_dpy = nullptr;
    Window m_root = 0;
    int m_damageEvent = 0;
    Damage m_damage = 0;
    int m_width = 0, m_height = 0;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_shm{};
    std::vector<uint32_t> m_shown;
};

std::vector<Change> follow(ScreenWatch& screen, double untilMs)
{
    std::vector<Change> all;
    for (double now = realtime_ms(); now < untilMs; now = realtime_ms()) {
        for (const Change& c : screen.wait(int(std::ceil(untilMs - now))))
            all.push_back(c);
    }
    return all;
}

void print_spread(const char* name, std::vector<double> v)
{
    if (v.empty()) {
        std::printf("%s n=0\n", name);
        return;
    }
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    std::printf("%s n=%zu min=%.1f median=%.1f max=%.1f\n", name, n, v.front(), median, v.back());
}

// The clock area: among changes made at least `settleMs` after `originMs`,
// the area that changed in the most distinct seconds; then every change
// touching it that starts a burst (no change of it in the 300 ms before).
std::vector<double> clock_changes(const std::vector<Change>& all, double originMs, double settleMs)
{
    std::map<std::tuple<int, int, int, int>, std::vector<long>> seconds;
    for (const Change& c : all) {
        if (c.at - originMs < settleMs)
            continue;
        auto& s = seconds[{c.area.x, c.area.y, c.area.w, c.area.h}];
        const long sec = long(std::floor((c.at - originMs) / 1000));
        if (s.empty() || s.back() != sec)
            s.push_back(sec);
    }
    Rect clock;
    size_t most = 0;
    for (const auto& [key, secs] : seconds) {
        if (secs.size() > most) {
            most = secs.size();
            clock = {std::get<0>(key), std::get<1>(key), std::get<2>(key), std::get<3>(key)};
        }
    }
    std::vector<double> starts;
    double last = -1e18;
    for (const Change& c : all) {
        if (clock.empty() || !c.area.intersects(clock))
            continue;
        if (c.at - last > 300)
            starts.push_back(c.at);
        last = c.at;
    }
    return starts;
}

int usage()
{
    std::fprintf(stderr, "usage: screen_probe clock SECONDS | count SECONDS KEY | launch TIMEOUT_S PROGRAM [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const std::string mode = argv[1];
    const double seconds = std::atof(argv[2]);
    ScreenWatch screen;
    if (!screen.open())
        return 1;

    if (mode == "clock") {
        const double start = realtime_ms();
        const std::vector<Change> all = follow(screen, start + seconds * 1000);
        std::vector<double> after;
        for (double t : clock_changes(all, start, 1500))
            if (t - start >= 1500)
                after.push_back(std::fmod(t, 1000.0));
        print_spread("after_second_ms", after);
        return 0;
    }

    if (mode == "count" && argc >= 4) {
        // A press at a random phase of the second, so the phases of the
        // program's own timers do not line up with the press by chance.
        // A key from the XTEST device first: the server tells every client
        // of the switch of keyboards and they read the keymap again, which a
        // real keyboard costs only once. The measured press comes later.
        if (!screen.press("shift"))
            return 1;
        follow(screen, realtime_ms() + 1000);
        std::mt19937 random(std::random_device{}());
        const double wake = std::ceil(realtime_ms() / 1000) * 1000 + std::uniform_int_distribution<int>(0, 999)(random);
        follow(screen, wake);
        const double pressed = realtime_ms();
        if (!screen.press(argv[3]))
            return 1;
        const std::vector<Change> all = follow(screen, pressed + seconds * 1000);
        if (std::getenv("SCREEN_PROBE_LIST"))
            std::printf("pressed_at %.3f\n", pressed);
        if (std::getenv("SCREEN_PROBE_LIST"))
            for (const Change& c : all)
                std::printf("change %.1f %d,%d %dx%d\n", c.at - pressed, c.area.x, c.area.y, c.area.w, c.area.h);
        if (!all.empty())
            std::printf("first_change_after_key_ms %.1f\n", all.front().at - pressed);
        const std::vector<double> starts = clock_changes(all, pressed, 1500);
        std::vector<double> after;
        for (double t : starts) {
            if (t - pressed < 500)
                continue;
            if (after.empty())
                std::printf("first_digit_change_after_key_ms %.1f\n", t - pressed);
            after.push_back(std::fmod(t - pressed, 1000.0));
        }
        print_spread("after_count_second_ms", after);
        return 0;
    }

    if (mode == "launch" && argc >= 4) {
        screen.paintRoot();
        const double start = realtime_ms();
        const pid_t child = fork();
        if (child == 0) {
            execvp(argv[3], argv + 3);
            std::perror("screen_probe: exec");
            _exit(127);
        }
        double frame = -1;
        while (realtime_ms() - start < seconds * 1000) {
            const std::vector<Change> changes = screen.wait(50);
            if (changes.empty())
                continue;
            if (screen.paintedShare() >= 0.25) {
                frame = changes.front().at - start;
                break;
            }
        }
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        if (frame < 0) {
            std::fprintf(stderr, "screen_probe: no frame within %.0f s\n", seconds);
            return 1;
        }
        std::printf("first_frame_ms %.1f\n", frame);
        return 0;
    }
    return usage();
}
