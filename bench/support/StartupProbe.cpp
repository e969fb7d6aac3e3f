// Preloaded into the real program (LD_PRELOAD) by bench/startup.sh. It wraps two SDL
// entry points the platform layer calls, forwards them unchanged, and writes to the
// file named by STARTUP_PROBE_OUT:
//   answered <ns>   when the question box returned (CLOCK_MONOTONIC)
//   context <ns>    when the GL context of the window had been made
//   drawing <ns>    when the first frame called its first tree list (the scene is built)
//   presented <ns>  when the first buffer swap returned
//   hwm_context_kib, hwm_scene_kib, hwm_first_frame_kib, hwm_kib <n>
//                   the peak resident memory (VmHWM) with the context made, with the
//                   scene built, after the first frame and as the process ends
// With STARTUP_PROBE_STOP set, the process ends right after the first frame, so that a
// profile of it holds the start-up alone.
// SDL's types are taken as opaque pointers: the probe needs no SDL header.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

bool Presented = false;
bool Drawing = false;

// Nanoseconds on the monotonic clock, which the script reads the same way.
std::int64_t Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Appends one "key value" line to the probe file.
void Write(const char* key, long long value) {
    const char* path = std::getenv("STARTUP_PROBE_OUT");
    if (!path) return;
    if (std::FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s %lld\n", key, value);
        std::fclose(f);
    }
}

// VmHWM of this process in KiB, 0 when unreadable.
long long PeakResidentKiB() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    long long kib = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::atoll(line + 6);
    std::fclose(f);
    return kib;
}

// SDL's own definition of a wrapped name.
template <typename F> F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Runs as the process ends, after main returned.
__attribute__((destructor)) void AtExit() {
    Write("hwm_kib", PeakResidentKiB());
}

} // namespace

extern "C" {

// The question box: notes when the user's answer came back.
int SDL_ShowMessageBox(const void* data, int* button) {
    static const auto real = Next<int (*)(const void*, int*)>("SDL_ShowMessageBox");
    const int result = real(data, button);
    Write("answered", Now());
    return result;
}

// The window's GL context: window and context are made by now.
void* SDL_GL_CreateContext(void* window) {
    static const auto real = Next<void* (*)(void*)>("SDL_GL_CreateContext");
    void* context = real(window);
    Write("context", Now());
    Write("hwm_context_kib", PeakResidentKiB());
    return context;
}

// The first call of a list comes from the first frame, after the scene was built.
void glCallList(unsigned list) {
    static const auto real = Next<void (*)(unsigned)>("glCallList");
    if (!Drawing) {
        Drawing = true;
        Write("drawing", Now());
        Write("hwm_scene_kib", PeakResidentKiB());
    }
    real(list);
}

// The buffer swap: notes when the first frame was handed to the X server.
void SDL_GL_SwapWindow(void* window) {
    static const auto real = Next<void (*)(void*)>("SDL_GL_SwapWindow");
    real(window);
    if (!Presented) {
        Presented = true;
        Write("presented", Now());
        Write("hwm_first_frame_kib", PeakResidentKiB());
        if (std::getenv("STARTUP_PROBE_STOP")) {
            Write("hwm_kib", PeakResidentKiB());
            _exit(0);
        }
    }
}

} // extern "C"
