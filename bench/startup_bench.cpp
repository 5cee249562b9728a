// Start-up benchmark, seen from outside the process as a person sees it.
//
//   startup_bench PROGRAM BASELINE [RUNS] [IDLE_RUNS] [IDLE_SECONDS]
//
// On the X server named by DISPLAY (with a window manager running), it starts
// PROGRAM and BASELINE in turn, RUNS times each (program, baseline, program,
// ...). For every run it measures the time from spawning the process until the
// screen shows the complete first frame, read back from the root window after
// each DAMAGE report; then closes the window with Esc through XTEST and reaps the
// process for its peak resident memory. In the first IDLE_RUNS runs of each it
// also counts the context switches of all the process's threads over
// IDLE_SECONDS of no input, starting one second after the first frame.
//
// What "complete" means:
//   program:  the page picture as decoded (every second pixel of every second
//             row, apart from the ten field rectangles), text drawn in each field
//             rectangle, the hand picture, and text on the button face in the side
//             panel's usage notes and disclaimer;
//   baseline: its one label's text drawn, the rest of the window its background.
// The places come from the window definition table. The damage reports are
// timed by a thread of their own; the frame's time is that of the last report
// that had come when the server answered the screen reading that showed it
// complete.
//
// With STARTUP_BENCH_TRACE set, every damage report of a run is listed.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/embedded_assets.h"
#include "platform/jpeg_image.h"
#include "window/main_window.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using receipt::platform::ControlKind;
using receipt::platform::Picture;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeDeleter>;

struct Rect {
    int x, y, w, h;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// ---------------------------------------------------------------------------
// What the complete first frame must show, in client coordinates.

// The page picture's client area starts at (4, 34) of the window's client area:
// the tab control at (-2, 8), the picture box at (5, 25) inside it, one pixel of border.
constexpr int kPageLeft = 4, kPageTop = 34;

struct Expectation {
    receipt::platform::RgbImage page, hand;
    std::vector<Rect> fields;  // page coordinates
    std::vector<bool> inField;  // a page pixel lies in a field
    Rect handAt{}, notes{}, disclaimer{};
};

// Every pixel of the fields, the hand and the side panel is read; of the page
// picture every second pixel of every second row, which keeps a judgement near
// a millisecond, so that the judging hardly delays the next damage report.
constexpr int kPageStep = 2;

Expectation ProgramExpectation() {
    Expectation e;
    e.page = receipt::platform::DecodeJpeg(receipt::platform::PagePictureJpeg());
    e.hand = receipt::platform::DecodeJpeg(receipt::platform::HandPictureJpeg());
    for (const auto& row : receipt::MainWindow().controls) {
        const Rect r{row.left, row.top, row.width, row.height};
        if (row.kind == ControlKind::TransparentLabel) e.fields.push_back(r);
        if (row.kind == ControlKind::PictureBox && row.picture == Picture::Hand) e.handAt = r;
        if (row.name == "标签1") e.notes = r;
        if (row.name == "标签10") e.disclaimer = r;
    }
    e.inField.assign(std::size_t(e.page.width) * std::size_t(e.page.height), false);
    for (const Rect& f : e.fields) {
        for (int y = f.y; y < f.y + f.h; ++y) {
            for (int x = f.x; x < f.x + f.w; ++x) e.inField[std::size_t(y) * e.page.width + x] = true;
        }
    }
    return e;
}

// A 32-bit ZPixmap of the client area: B, G, R, pad.
struct Shot {
    int w = 0, h = 0;
    const std::uint8_t* data = nullptr;
    void rgb(int x, int y, int& r, int& g, int& b) const {
        const std::uint8_t* p = data + (std::size_t(y) * w + x) * 4;
        b = p[0], g = p[1], r = p[2];
    }
};

bool Near(int a, int b, int tolerance) { return std::abs(a - b) <= tolerance; }

// What is still missing from the frame, or null when it is complete.
const char* ProgramFrameMissing(const Shot& s, const Expectation& e) {
    if (s.w < kPageLeft + e.page.width || s.h < kPageTop + e.page.height) return "the window is too small";
    // Fields first: they are the last thing to appear, so a frame without them fails fast.
    for (const Rect& f : e.fields) {
        int differing = 0;
        for (int y = f.y; y < f.y + f.h; ++y) {
            for (int x = f.x; x < f.x + f.w; ++x) {
                int r, g, b;
                s.rgb(kPageLeft + x, kPageTop + y, r, g, b);
                const std::uint8_t* p = &e.page.rgb[(std::size_t(y) * e.page.width + x) * 3];
                if (!Near(r, p[0], 24) || !Near(g, p[1], 24) || !Near(b, p[2], 24)) ++differing;
            }
        }
        if (differing < 10) return "a field without text";
    }
    // The page picture, apart from the fields, as decoded.
    for (int y = 0; y < e.page.height; y += kPageStep) {
        for (int x = 0; x < e.page.width; x += kPageStep) {
            if (e.inField[std::size_t(y) * e.page.width + x]) continue;
            int r, g, b;
            s.rgb(kPageLeft + x, kPageTop + y, r, g, b);
            const std::uint8_t* p = &e.page.rgb[(std::size_t(y) * e.page.width + x) * 3];
            if (!Near(r, p[0], 2) || !Near(g, p[1], 2) || !Near(b, p[2], 2)) return "the page picture";
        }
    }
    // The hand picture: its top-left part, as much as the picture box shows.
    for (int y = 0; y < e.handAt.h && y < e.hand.height; ++y) {
        for (int x = 0; x < e.handAt.w && x < e.hand.width; ++x) {
            int r, g, b;
            s.rgb(e.handAt.x + x, e.handAt.y + y, r, g, b);
            const std::uint8_t* p = &e.hand.rgb[(std::size_t(y) * e.hand.width + x) * 3];
            if (!Near(r, p[0], 2) || !Near(g, p[1], 2) || !Near(b, p[2], 2)) return "the hand picture";
        }
    }
    // Side panel on the button face: grey-to-black text in the usage notes (beside the
    // hand), pink text in the disclaimer.
    int dark = 0, face = 0, area = 0, pink = 0;
    for (int y = e.notes.y; y < e.notes.y + e.notes.h; ++y) {
        for (int x = e.notes.x; x < e.notes.x + e.notes.w; ++x) {
            if (e.handAt.contains(x, y)) continue;
            int r, g, b;
            s.rgb(x, y, r, g, b);
            ++area;
            if (r < 170 && g < 170 && b < 170) ++dark;
            if (r == 240 && g == 240 && b == 240) ++face;
        }
    }
    for (int y = e.disclaimer.y; y < e.disclaimer.y + e.disclaimer.h; ++y) {
        for (int x = e.disclaimer.x; x < e.disclaimer.x + e.disclaimer.w; ++x) {
            int r, g, b;
            s.rgb(x, y, r, g, b);
            if (r > 200 && g < 170 && b < 200 && r - g > 60) ++pink;
        }
    }
    if (dark < 200 || face < area * 6 / 10) return "the usage notes";
    if (pink < 100) return "the disclaimer";
    return nullptr;
}

// The baseline: its label "交易记录成功" at (20, 20), 200 x 40, with dark text;
// the rest of the client area one light colour, the window's background.
const char* BaselineFrameMissing(const Shot& s) {
    const Rect label{20, 20, 200, 40};
    if (s.w < label.x + label.w || s.h < label.y + label.h) return "the window is too small";
    int dark = 0;
    for (int y = label.y; y < label.y + label.h; ++y) {
        for (int x = label.x; x < label.x + label.w; ++x) {
            int r, g, b;
            s.rgb(x, y, r, g, b);
            if (r < 170 && g < 170 && b < 170) ++dark;
        }
    }
    if (dark < 60) return "the label";
    int r0, g0, b0;
    s.rgb(s.w - 1, s.h - 1, r0, g0, b0);
    if (r0 < 200 || g0 < 200 || b0 < 200) return "the background";
    for (int y = 0; y < s.h; y += kPageStep) {
        for (int x = 0; x < s.w; x += kPageStep) {
            if (label.contains(x, y)) continue;
            int r, g, b;
            s.rgb(x, y, r, g, b);
            if (r != r0 || g != g0 || b != b0) return "the background";
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// The X side.

// Damage reports are read on a connection of their own by a thread that only
// notes when each one arrived and empties the damage again, so that the time
// of a report does not wait for the reading and judging of the screen.
class DamageWatch {
public:
    DamageWatch() {
        c_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c_)) Die("cannot connect to the X server");
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c_, &xcb_damage_id);
        if (!damage || !damage->present) Die("the X server has no DAMAGE extension");
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(c_, xcb_damage_query_version(c_, 1, 1), nullptr));
        damage_ = xcb_generate_id(c_);
        xcb_damage_create(c_, damage_, root, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        // A window of this connection that receives the message that ends the thread.
        wake_ = xcb_generate_id(c_);
        xcb_create_window(c_, 0, wake_, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                          0, nullptr);
        free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
        thread_ = std::thread([this] { Watch(); });
    }

    ~DamageWatch() {
        // Ends the thread with a message sent on another connection.
        xcb_connection_t* other = xcb_connect(nullptr, nullptr);
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = wake_;
        xcb_send_event(other, 0, wake_, 0, reinterpret_cast<const char*>(&message));
        xcb_flush(other);
        thread_.join();
        xcb_disconnect(other);
        xcb_disconnect(c_);
    }

    [[noreturn]] static void Die(const char* message) {
        std::fprintf(stderr, "startup_bench: %s\n", message);
        std::exit(2);
    }

    // Forgets the reports so far.
    void Forget() {
        std::lock_guard lock(mutex_);
        arrivals_.clear();
        taken_ = 0;
    }

    // Waits until a report has come that was not taken yet, at most until `deadline`.
    bool Wait(Clock::time_point deadline) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_until(lock, deadline, [this] { return arrivals_.size() > taken_ || lost_; })) return false;
        if (lost_) Die("lost the X connection");
        taken_ = arrivals_.size();
        return true;
    }

    // When the last report came that had come by `moment`.
    std::optional<Clock::time_point> LastArrivalBy(Clock::time_point moment) {
        std::lock_guard lock(mutex_);
        std::optional<Clock::time_point> last;
        for (const auto& at : arrivals_) {
            if (at <= moment) last = at;
        }
        return last;
    }

private:
    void Watch() {
        while (xcb_generic_event_t* event = xcb_wait_for_event(c_)) {
            const auto at = Clock::now();
            const std::uint8_t type = event->response_type & 0x7f;
            free(event);
            if (type == XCB_CLIENT_MESSAGE) return;
            if (type != damageEvent_) continue;
            xcb_damage_subtract(c_, damage_, XCB_NONE, XCB_NONE);
            xcb_flush(c_);
            {
                std::lock_guard lock(mutex_);
                arrivals_.push_back(at);
            }
            cv_.notify_one();
        }
        std::lock_guard lock(mutex_);
        lost_ = true;
        cv_.notify_one();
    }

    xcb_connection_t* c_ = nullptr;
    xcb_damage_damage_t damage_ = XCB_NONE;
    xcb_window_t wake_ = XCB_NONE;
    std::uint8_t damageEvent_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<Clock::time_point> arrivals_;
    std::size_t taken_ = 0;
    bool lost_ = false;
};

// Finding the window, reading the screen, pressing keys.
class Display {
public:
    Display() {
        c_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c_)) DamageWatch::Die("cannot connect to the X server");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(c_, &xcb_test_id);
        if (!xtest || !xtest->present) DamageWatch::Die("the X server has no XTEST extension");
        pid_ = Atom("_NET_WM_PID");
        frameExtents_ = Atom("_NET_FRAME_EXTENTS");
        escape_ = Keycode(0xff1b);
    }
    ~Display() { xcb_disconnect(c_); }

    // The viewable window whose _NET_WM_PID is `pid`, searched under the root
    // and the window manager's frames.
    xcb_window_t FindWindow(pid_t pid) { return Search(root_, pid, 0); }

    struct Place {
        int x, y, w, h;
    };
    std::optional<Place> Where(xcb_window_t window) {
        Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, window), nullptr));
        Reply<xcb_translate_coordinates_reply_t> t(xcb_translate_coordinates_reply(
            c_, xcb_translate_coordinates(c_, window, root_, 0, 0), nullptr));
        if (!g || !t) return std::nullopt;
        return Place{t->dst_x, t->dst_y, g->width, g->height};
    }

    // The screen contents of a rectangle of the root window.
    Reply<xcb_get_image_reply_t> Grab(const Place& p) {
        return Reply<xcb_get_image_reply_t>(xcb_get_image_reply(
            c_,
            xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, std::int16_t(p.x), std::int16_t(p.y),
                          std::uint16_t(p.w), std::uint16_t(p.h), ~0u),
            nullptr));
    }

    // left, right, top, bottom of the window manager's frame around `window`.
    std::vector<std::uint32_t> FrameExtents(xcb_window_t window) {
        Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, window, frameExtents_, XCB_ATOM_CARDINAL, 0, 4), nullptr));
        if (!r || xcb_get_property_value_length(r.get()) != 16) return {};
        const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
        return {v[0], v[1], v[2], v[3]};
    }

    // Gives `window` the keyboard and presses Esc, as a keyboard does.
    void PressEscape(xcb_window_t window) {
        xcb_set_input_focus(c_, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
        xcb_test_fake_input(c_, XCB_KEY_PRESS, escape_, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(c_, XCB_KEY_RELEASE, escape_, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    }

private:
    xcb_atom_t Atom(const char* name) {
        Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, std::uint16_t(std::strlen(name)), name), nullptr));
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    xcb_keycode_t Keycode(xcb_keysym_t keysym) {
        const xcb_setup_t* setup = xcb_get_setup(c_);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        Reply<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
            c_, xcb_get_keyboard_mapping(c_, setup->min_keycode, std::uint8_t(count)), nullptr));
        if (!map) DamageWatch::Die("cannot read the keyboard mapping");
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
        for (int k = 0; k < count; ++k) {
            for (int i = 0; i < map->keysyms_per_keycode; ++i) {
                if (syms[k * map->keysyms_per_keycode + i] == keysym) return xcb_keycode_t(setup->min_keycode + k);
            }
        }
        DamageWatch::Die("no key gives Escape");
    }

    xcb_window_t Search(xcb_window_t parent, pid_t pid, int depth) {
        Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c_, xcb_query_tree(c_, parent), nullptr));
        if (!tree) return XCB_NONE;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        for (int i = count - 1; i >= 0; --i) {
            Reply<xcb_get_window_attributes_reply_t> a(xcb_get_window_attributes_reply(
                c_, xcb_get_window_attributes(c_, children[i]), nullptr));
            if (!a || a->map_state != XCB_MAP_STATE_VIEWABLE) continue;
            Reply<xcb_get_property_reply_t> p(xcb_get_property_reply(
                c_, xcb_get_property(c_, 0, children[i], pid_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
            if (p && xcb_get_property_value_length(p.get()) == 4 &&
                *static_cast<const std::uint32_t*>(xcb_get_property_value(p.get())) == std::uint32_t(pid)) {
                return children[i];
            }
            if (depth < 2) {
                if (xcb_window_t found = Search(children[i], pid, depth + 1)) return found;
            }
        }
        return XCB_NONE;
    }

    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t pid_ = XCB_NONE, frameExtents_ = XCB_NONE;
    xcb_keycode_t escape_ = 0;
};

// ---------------------------------------------------------------------------
// The process side.

// Context switches of every thread of a process, by thread id.
std::map<int, std::pair<long, long>> ContextSwitches(pid_t pid) {
    std::map<int, std::pair<long, long>> counts;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream status(task.path() / "status");
        long voluntary = -1, involuntary = -1;
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0) voluntary = std::stol(line.substr(24));
            if (line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) involuntary = std::stol(line.substr(27));
        }
        if (voluntary >= 0 && involuntary >= 0) {
            counts[std::stoi(task.path().filename().string())] = {voluntary, involuntary};
        }
    }
    return counts;
}

struct Run {
    bool ok = false;
    std::string failure;
    double firstFrameMs = 0;
    long peakRssKiB = 0;
    double cpuMs = 0;  // user + system, over the whole run
    int exitCode = -1;
    bool idleMeasured = false;
    long idleVoluntary = 0, idleInvoluntary = 0;
    int threads = 0;
    int clientWidth = 0, clientHeight = 0;
    std::vector<std::uint32_t> frame;
};

Run RunOnce(DamageWatch& damage, Display& x, const std::vector<std::string>& command, bool isProgram,
            const Expectation& expected, bool measureIdle, int idleSeconds) {
    Run run;
    const bool trace = std::getenv("STARTUP_BENCH_TRACE") != nullptr;
    const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };

    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    damage.Forget();
    const auto start = Clock::now();
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        run.failure = "cannot start " + command[0];
        return run;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (trace) {
        std::fprintf(stderr, "  spawned %s at %.3f ms of CLOCK_MONOTONIC\n", command[0].c_str(),
                     ms(start.time_since_epoch()));
    }

    // After damage: find the window, read the screen, judge the frame. The
    // frame counts from the last damage report that came before the reading
    // that showed it complete; the drawing that completed it was reported
    // before the server answered that reading.
    const auto deadline = start + std::chrono::seconds(20);
    xcb_window_t window = XCB_NONE;
    while (!run.ok) {
        if (!damage.Wait(deadline)) {
            run.failure = window ? "the frame never became complete" : "no window appeared";
            break;
        }
        const auto woken = Clock::now();
        if (!window) window = x.FindWindow(pid);
        if (!window) {
            if (trace) std::fprintf(stderr, "  damage at %7.1f ms: no window yet\n", ms(woken - start));
            continue;
        }
        const auto place = x.Where(window);
        if (!place) continue;
        auto image = x.Grab(*place);
        const auto read = Clock::now();
        if (!image || xcb_get_image_data_length(image.get()) != place->w * place->h * 4) continue;
        const Shot shot{place->w, place->h, xcb_get_image_data(image.get())};
        const char* missing = isProgram ? ProgramFrameMissing(shot, expected) : BaselineFrameMissing(shot);
        if (trace) {
            std::fprintf(stderr, "  damage at %7.1f ms: screen read by %.1f ms, %s%s (judged in %.1f ms)\n",
                         ms(woken - start), ms(read - start), missing ? "missing " : "complete",
                         missing ? missing : "", ms(Clock::now() - read));
        }
        if (!missing) {
            // A report sent just before the reading's answer may still be on its way to the watcher.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const auto completed = damage.LastArrivalBy(read);
            run.ok = completed.has_value();
            run.firstFrameMs = completed ? ms(*completed - start) : 0;
            run.clientWidth = place->w;
            run.clientHeight = place->h;
            if (trace && completed) std::fprintf(stderr, "  complete at %7.1f ms\n", run.firstFrameMs);
        }
    }

    if (run.ok) {
        run.frame = x.FrameExtents(window);
        if (measureIdle) {
            std::this_thread::sleep_for(std::chrono::seconds(1));  // let the window manager's traffic end
            const auto before = ContextSwitches(pid);
            std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
            const auto after = ContextSwitches(pid);
            for (const auto& [tid, counts] : after) {
                const auto was = before.find(tid);
                const std::pair<long, long> base = was == before.end() ? std::pair<long, long>{0, 0} : was->second;
                run.idleVoluntary += counts.first - base.first;
                run.idleInvoluntary += counts.second - base.second;
            }
            run.threads = int(after.size());
            run.idleMeasured = true;
        }
        x.PressEscape(window);
    }

    // Reap it: five seconds to end after Esc, then it is killed.
    int status = 0;
    rusage usage{};
    const auto reapDeadline = Clock::now() + std::chrono::seconds(5);
    pid_t reaped = 0;
    while ((reaped = wait4(pid, &status, WNOHANG, &usage)) == 0 && Clock::now() < reapDeadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (reaped == 0) {
        kill(pid, SIGKILL);
        wait4(pid, &status, 0, &usage);
        if (run.ok) run.failure = "did not end after Esc";
        run.ok = false;
    }
    run.peakRssKiB = usage.ru_maxrss;
    run.cpuMs = (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                 double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (run.ok && run.exitCode != 0) {
        run.ok = false;
        run.failure = "exit code " + std::to_string(run.exitCode) + " after Esc";
    }
    return run;
}

struct Stats {
    double median = 0, min = 0, max = 0;
    std::size_t n = 0;
};

Stats Summarise(std::vector<double> values) {
    Stats s;
    s.n = values.size();
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
}

void PrintRow(const char* figure, const Stats& program, const Stats& baseline, const char* goal, int decimals) {
    char p[64], b[64], ratio[16];
    if (program.n == 0 && baseline.n == 0) {
        std::printf("| %-34s | %3d | %-26s | %-26s | %5s | %-18s |\n", figure, 0, "not measured", "not measured", "-",
                    goal);
        return;
    }
    std::snprintf(p, sizeof p, "%.*f [%.*f..%.*f]", decimals, program.median, decimals, program.min, decimals,
                  program.max);
    std::snprintf(b, sizeof b, "%.*f [%.*f..%.*f]", decimals, baseline.median, decimals, baseline.min, decimals,
                  baseline.max);
    if (baseline.median > 0) {
        std::snprintf(ratio, sizeof ratio, "%.2f", program.median / baseline.median);
    } else {
        std::snprintf(ratio, sizeof ratio, "-");
    }
    std::printf("| %-34s | %3zu | %-26s | %-26s | %5s | %-18s |\n", figure, program.n, p, b, ratio, goal);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM BASELINE [RUNS] [IDLE_RUNS] [IDLE_SECONDS]\n");
        return 2;
    }
    const std::string program = argv[1], baseline = argv[2];
    const int runs = argc > 3 ? std::atoi(argv[3]) : 10;
    const int idleRuns = argc > 4 ? std::atoi(argv[4]) : 3;
    const int idleSeconds = argc > 5 ? std::atoi(argv[5]) : 10;

    const Expectation expected = ProgramExpectation();
    if (expected.page.empty() || expected.hand.empty() || expected.fields.size() != 10) {
        DamageWatch::Die("cannot read the expected pictures and fields");
    }
    DamageWatch damage;
    Display x;

    std::vector<double> frameMs[2], rssMiB[2], cpuMs[2], idleVoluntary[2], idleInvoluntary[2], idleTotal[2];
    std::string baselineSize;  // the program's client size, given to the baseline
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            std::vector<std::string> command{which == 0 ? program : baseline};
            if (which == 1 && !baselineSize.empty()) {
                command.push_back(baselineSize.substr(0, baselineSize.find(' ')));
                command.push_back(baselineSize.substr(baselineSize.find(' ') + 1));
            }
            const bool idle = i < idleRuns;
            const Run run = RunOnce(damage, x, command, which == 0, expected, idle, idleSeconds);
            const char* name = which == 0 ? "program " : "baseline";
            if (!run.ok) {
                ++failures;
                std::fprintf(stderr, "run %2d %s: FAILED: %s\n", i + 1, name, run.failure.c_str());
                continue;
            }
            if (which == 0 && baselineSize.empty()) {
                baselineSize = std::to_string(run.clientWidth) + " " + std::to_string(run.clientHeight);
            }
            frameMs[which].push_back(run.firstFrameMs);
            rssMiB[which].push_back(double(run.peakRssKiB) / 1024.0);
            if (!run.idleMeasured) cpuMs[which].push_back(run.cpuMs);
            std::fprintf(stderr, "run %2d %s: first frame %7.1f ms, peak RSS %6.1f MiB, CPU %6.1f ms, client %dx%d",
                         i + 1, name, run.firstFrameMs, double(run.peakRssKiB) / 1024.0, run.cpuMs,
                         run.clientWidth, run.clientHeight);
            if (run.frame.size() == 4) {
                std::fprintf(stderr, ", outer %ux%u", run.clientWidth + run.frame[0] + run.frame[1],
                             run.clientHeight + run.frame[2] + run.frame[3]);
            }
            if (run.idleMeasured) {
                idleVoluntary[which].push_back(double(run.idleVoluntary));
                idleInvoluntary[which].push_back(double(run.idleInvoluntary));
                idleTotal[which].push_back(double(run.idleVoluntary + run.idleInvoluntary));
                std::fprintf(stderr, ", idle %ds: %ld voluntary + %ld involuntary switches over %d threads",
                             idleSeconds, run.idleVoluntary, run.idleInvoluntary, run.threads);
            }
            std::fprintf(stderr, "\n");
            std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let the desktop settle
        }
    }

    std::printf("| %-34s | %3s | %-26s | %-26s | %5s | %-18s |\n", "figure", "n", "program median [min..max]",
                "baseline median [min..max]", "ratio", "goal");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(36, '-').c_str(), std::string(5, '-').c_str(),
                std::string(28, '-').c_str(), std::string(28, '-').c_str(), std::string(7, '-').c_str(),
                std::string(20, '-').c_str());
    PrintRow("time to first complete frame (ms)", Summarise(frameMs[0]), Summarise(frameMs[1]), "ratio <= 1.15", 1);
    PrintRow("peak resident memory (MiB)", Summarise(rssMiB[0]), Summarise(rssMiB[1]), "ratio <= 1.15", 1);
    PrintRow("CPU time, start to exit (ms)", Summarise(cpuMs[0]), Summarise(cpuMs[1]), "(for profiling)", 1);
    const std::string idleLabel = "idle context switches in " + std::to_string(idleSeconds) + " s";
    PrintRow(idleLabel.c_str(), Summarise(idleTotal[0]), Summarise(idleTotal[1]), "0", 0);
    PrintRow("  of which voluntary", Summarise(idleVoluntary[0]), Summarise(idleVoluntary[1]), "", 0);
    PrintRow("  of which involuntary", Summarise(idleInvoluntary[0]), Summarise(idleInvoluntary[1]), "", 0);
    if (failures) std::printf("%d runs FAILED (see above)\n", failures);
    return failures ? 1 : 0;
}
