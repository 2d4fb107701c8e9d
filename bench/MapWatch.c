/* SPDX-License-Identifier: MIT
 * One measured run for bench/peers.sh: starts a program, and as an X client that stays
 * connected for the whole run (so that no poll adds its own latency, and the server sees a
 * client throughout) it times the window's MapNotify and the first frame the player sees whole,
 * reads the program's resident memory and CPU from /proc, closes the window politely and times
 * the exit.
 *
 * Usage: MapWatch --ready                      wait until $DISPLAY accepts clients
 *        MapWatch [--answer] [--pixel X,Y,RRGGBB]... program [args...]
 * Prints: startup_ms rss_kib idle_cpu_ms exit_ms frame_ms
 * frame_ms runs from the fork to the moment every --pixel shows its colour in the window, read
 * back from the X server as the player would see it (polled every millisecond from the map on;
 * a 24-bit TrueColor display, as peers.sh starts, is assumed). Without --pixel it is 0.
 * With --answer the close is answered by the Return key (sent by xdotool half a second after
 * the close); exit_ms then runs from the key reaching the window to the exit. */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { kRssDelayMs = 2000, kIdleMs = 10000, kAnswerDelayMs = 500, kTimeoutMs = 20000, kMaxPixels = 16 };

/* A pixel of the finished picture: where, and the colour it must show. */
typedef struct {
    int x, y;
    unsigned long rgb;
} Pixel;

static double NowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

static void SleepUntil(double deadlineMs)
{
    for (double left = deadlineMs - NowMs(); left > 0; left = deadlineMs - NowMs()) {
        struct timespec t = {(time_t)(left / 1e3), (long)((left - (double)(time_t)(left / 1e3) * 1e3) * 1e6)};
        nanosleep(&t, NULL);
    }
}

static long RssKib(pid_t pid)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* file = fopen(path, "r");
    long kib = -1;
    while (file != NULL && fgets(line, sizeof line, file) != NULL) {
        if (strncmp(line, "VmRSS:", 6) == 0) {
            kib = strtol(line + 6, NULL, 10);
        }
    }
    if (file != NULL) {
        fclose(file);
    }
    return kib;
}

/* utime + stime in clock ticks; the command name may hold spaces, so fields count from ')'. */
static long long CpuTicks(pid_t pid)
{
    char path[64], buffer[1024];
    snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
    FILE* file = fopen(path, "r");
    if (file == NULL) {
        return -1;
    }
    size_t length = fread(buffer, 1, sizeof buffer - 1, file);
    fclose(file);
    buffer[length] = '\0';
    char* field = strrchr(buffer, ')');
    if (field == NULL) {
        return -1;
    }
    unsigned long long utime = 0, stime = 0;
    /* After ')': state(3) ... utime is field 14, stime 15. */
    if (sscanf(field + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) != 2) {
        return -1;
    }
    return (long long)(utime + stime);
}

/* A window that goes away under XGetImage is the program's business, not a reason to exit. */
static int IgnoreXError(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

static int Fail(const char* what)
{
    fprintf(stderr, "MapWatch: %s\n", what);
    return 1;
}

static pid_t Spawn(char** argv)
{
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv);
        _exit(127);
    }
    return pid;
}

static long WindowPid(Display* display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = NULL;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data != NULL && format == 32 && count == 1) {
        pid = *(long*)data;
    }
    if (data != NULL) {
        XFree(data);
    }
    return pid;
}

/* True when every pixel shows its colour; stops at the first that does not. */
static int FrameShown(Display* display, Window window, const Pixel* pixels, int count)
{
    for (int i = 0; i < count; ++i) {
        XImage* image = XGetImage(display, window, pixels[i].x, pixels[i].y, 1, 1, AllPlanes, ZPixmap);
        if (image == NULL) {
            return 0;
        }
        const unsigned long shown = XGetPixel(image, 0, 0) & 0xFFFFFFul;
        XDestroyImage(image);
        if (shown != pixels[i].rgb) {
            return 0;
        }
    }
    return 1;
}

/* Waits for the X connection or the child; returns 1 for X input, 2 for the child gone, 0 on
 * timeout. */
static int WaitFor(Display* display, int pidfd, double deadlineMs)
{
    if (XPending(display) > 0) {
        return 1;
    }
    struct pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {pidfd, POLLIN, 0}};
    double left = deadlineMs - NowMs();
    if (left <= 0) {
        return 0;
    }
    int ready = poll(fds, 2, (int)left + 1);
    if (ready <= 0) {
        return 0;
    }
    if (fds[1].revents != 0) {
        return 2;
    }
    return 1;
}

int main(int argc, char** argv)
{
    if (argc >= 2 && strcmp(argv[1], "--ready") == 0) {
        for (int i = 0; i < 500; ++i) {
            Display* display = XOpenDisplay(NULL);
            if (display != NULL) {
                XCloseDisplay(display);
                return 0;
            }
            usleep(10000);
        }
        return Fail("no X server");
    }
    int first = 1;
    int answer = 0;
    Pixel pixels[kMaxPixels];
    int pixelCount = 0;
    for (; first < argc && strncmp(argv[first], "--", 2) == 0; ++first) {
        if (strcmp(argv[first], "--answer") == 0) {
            answer = 1;
        } else if (strcmp(argv[first], "--pixel") == 0 && first + 1 < argc && pixelCount < kMaxPixels &&
                   sscanf(argv[first + 1], "%d,%d,%lx", &pixels[pixelCount].x, &pixels[pixelCount].y,
                          &pixels[pixelCount].rgb) == 3) {
            ++pixelCount;
            ++first;
        } else {
            break;
        }
    }
    if (first >= argc || strncmp(argv[first], "--", 2) == 0) {
        return Fail("usage: MapWatch [--answer] [--pixel X,Y,RRGGBB]... program [args...]");
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        return Fail("cannot open the display");
    }
    XSetErrorHandler(IgnoreXError);
    const Window root = DefaultRootWindow(display);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double started = NowMs();
    const pid_t pid = Spawn(argv + first);
    if (pid < 0) {
        return Fail("fork failed");
    }
    const int pidfd = (int)syscall(SYS_pidfd_open, pid, 0);
    if (pidfd < 0) {
        kill(pid, SIGKILL);
        return Fail("pidfd_open failed");
    }

    Window window = None;
    double mapped = 0;
    while (window == None) {
        const int what = WaitFor(display, pidfd, started + kTimeoutMs);
        if (what != 1) {
            kill(pid, SIGKILL);
            waitpid(pid, NULL, 0);
            return Fail(what == 2 ? "the program ended before its window appeared" : "no window appeared");
        }
        XEvent event;
        XNextEvent(display, &event);
        const double at = NowMs();
        if (event.type == MapNotify && !event.xmap.override_redirect &&
            WindowPid(display, event.xmap.window, pidAtom) == (long)pid) {
            window = event.xmap.window;
            mapped = at;
        }
    }

    /* The picture comes after the map: the program builds what it shows once its window exists. */
    double framed = 0;
    while (pixelCount > 0 && framed == 0) {
        if (FrameShown(display, window, pixels, pixelCount)) {
            framed = NowMs();
        } else if (NowMs() > started + kTimeoutMs) {
            kill(pid, SIGKILL);
            waitpid(pid, NULL, 0);
            return Fail("the window never showed the expected picture");
        } else {
            SleepUntil(NowMs() + 1);
        }
    }

    SleepUntil(mapped + kRssDelayMs);
    const long rss = RssKib(pid);
    const long long cpuBefore = CpuTicks(pid);
    SleepUntil(mapped + kRssDelayMs + kIdleMs);
    const long long cpuAfter = CpuTicks(pid);
    const double cpuMs = (double)(cpuAfter - cpuBefore) * 1e3 / (double)sysconf(_SC_CLK_TCK);
    int early = 0;
    if (waitpid(pid, &early, WNOHANG) == pid) {
        fprintf(stderr, "MapWatch: the program ended while idle (%s %d)\n",
                WIFSIGNALED(early) ? "signal" : "exit status",
                WIFSIGNALED(early) ? WTERMSIG(early) : WEXITSTATUS(early));
        return 1;
    }
    if (rss < 0 || cpuBefore < 0 || cpuAfter < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, NULL, 0);
        return Fail("cannot read /proc for the program");
    }

    /* What a window manager sends when the close button is clicked. */
    if (answer) {
        XSelectInput(display, window, KeyPressMask);
        XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    }
    XEvent close;
    memset(&close, 0, sizeof close);
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = protocols;
    close.xclient.format = 32;
    close.xclient.data.l[0] = (long)deleteWindow;
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &close);
    XSync(display, False);
    double from = NowMs();

    if (answer) {
        SleepUntil(from + kAnswerDelayMs);
        char* key[] = {"xdotool", "key", "Return", NULL};
        const pid_t sender = Spawn(key);
        double keyAt = 0;
        while (keyAt == 0) {
            const int what = WaitFor(display, pidfd, from + kTimeoutMs);
            if (what != 1) {
                break;
            }
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == KeyPress && event.xkey.window == window) {
                keyAt = NowMs();
            }
        }
        waitpid(sender, NULL, 0);
        if (keyAt == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, NULL, 0);
            return Fail("the Return key did not reach the window");
        }
        from = keyAt;
    }
    struct pollfd gone = {pidfd, POLLIN, 0};
    if (poll(&gone, 1, kTimeoutMs) <= 0) {
        kill(pid, SIGKILL);
        waitpid(pid, NULL, 0);
        return Fail("the program did not exit after the close");
    }
    const double exited = NowMs();
    int status = 0;
    waitpid(pid, &status, 0);
    XCloseDisplay(display);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fprintf(stderr, "MapWatch: the program did not exit cleanly (%s %d)\n",
                WIFSIGNALED(status) ? "signal" : "exit status",
                WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
        return 1;
    }
    printf("%.1f %ld %.0f %.1f %.1f\n", mapped - started, rss, cpuMs, exited - from,
           framed > 0 ? framed - started : 0.0);
    return 0;
}
