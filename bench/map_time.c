/* Start-up time to the main window's first map, and settled memory.
 * Usage: map_time RUNS WINDOW-NAME PROGRAM [ARGS...]
 * Watches the X server for the MapNotify of a top-level window named WINDOW-NAME (at least
 * 100 pixels wide, so hidden helper windows do not count), timed from the program's start;
 * then waits two seconds and reads the program's resident memory. Prints each run and the
 * medians. No polling: the X server reports the map as an event. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static long rss_kb(pid_t pid) {
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld", &kb) == 1)
            break;
    fclose(f);
    return kb;
}

static int cmp(const void *a, const void *b) {
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

static int is_named(Display *dpy, Window w, const char *name) {
    char *got = NULL;
    int match = 0;
    if (XFetchName(dpy, w, &got) && got) {
        match = strcmp(got, name) == 0;
        XFree(got);
    }
    return match;
}

/* One start of a program: the time to its window's map, and its memory two seconds later. */
static void measure(Display *dpy, const char *name, char **argv, double *ms, double *mb) {
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);
    double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv);
        _exit(127);
    }
    *ms = -1;
    double deadline = start + 20000;
    while (*ms < 0 && now_ms() < deadline) {
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (ev.type != MapNotify)
            continue;
        XWindowAttributes a;
        if (XGetWindowAttributes(dpy, ev.xmap.window, &a) && a.width >= 100 &&
            is_named(dpy, ev.xmap.window, name))
            *ms = now_ms() - start;
    }
    sleep(2);
    *mb = rss_kb(pid) / 1024.0;
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    XSelectInput(dpy, DefaultRootWindow(dpy), NoEventMask);
}

static double median(double *v, int n) {
    qsort(v, n, sizeof *v, cmp);
    return v[n / 2];
}

int main(int argc, char **argv) {
    if (argc < 4) {
        fprintf(stderr,
                "usage: %s RUNS WINDOW-NAME PROGRAM [ARGS...] [--against WINDOW-NAME PROGRAM "
                "[ARGS...]]\n"
                "With --against, the two programs start in turn and the ratio of their median\n"
                "map times is printed.\n",
                argv[0]);
        return 2;
    }
    int runs = atoi(argv[1]);
    const char *name = argv[2];
    char **program = argv + 3;
    const char *refName = NULL;
    char **reference = NULL;
    for (int i = 3; i < argc; ++i)
        if (strcmp(argv[i], "--against") == 0 && i + 2 < argc) {
            argv[i] = NULL;
            refName = argv[i + 1];
            reference = argv + i + 2;
            break;
        }
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "no X display\n");
        return 2;
    }
    double *ms = calloc(runs, sizeof *ms), *mb = calloc(runs, sizeof *mb);
    double *refMs = calloc(runs, sizeof *refMs), *refMb = calloc(runs, sizeof *refMb);
    for (int r = 0; r < runs; ++r) {
        if (reference) {
            measure(dpy, refName, reference, &refMs[r], &refMb[r]);
            printf("run %d: %s mapped after %.1f ms, settled at %.1f MiB\n", r + 1, refName,
                   refMs[r], refMb[r]);
        }
        measure(dpy, name, program, &ms[r], &mb[r]);
        printf("run %d: %s mapped after %.1f ms, settled at %.1f MiB\n", r + 1, name, ms[r],
               mb[r]);
        fflush(stdout);
    }
    double m = median(ms, runs);
    printf("median: %s mapped after %.1f ms, settled at %.1f MiB RSS (%d runs)\n", name, m,
           median(mb, runs), runs);
    if (reference) {
        double rm = median(refMs, runs);
        printf("median: %s mapped after %.1f ms, settled at %.1f MiB RSS (%d runs)\n", refName, rm,
               median(refMb, runs), runs);
        printf("ratio: %s maps in %.2f x the time of %s\n", name, m / rm, refName);
    }
    XCloseDisplay(dpy);
    return 0;
}
