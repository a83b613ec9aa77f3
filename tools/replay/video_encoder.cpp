#include "video_encoder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "media_run.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

bool writeAll(int fd, const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

ZTVideoEncoder::ZTVideoEncoder(const fs::path& ffmpeg, const fs::path& wav, const fs::path& out,
                               int scale, bool threeBytes)
    : threeBytes(threeBytes) {
    const std::string size = std::to_string(kPictureWidth) + "x" + std::to_string(kPictureHeight);
    std::vector<std::string> args = {
        ffmpeg.string(), "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
        // Blue, green, red bytes: a quarter less to carry than ARGB as it lies in memory,
        // and ffmpeg turns them into its colours by a shorter way than it has for four.
        "-f", "rawvideo", "-pix_fmt", threeBytes ? "bgr24" : "bgra", "-video_size", size,
        "-framerate", "60", "-i", "pipe:0", "-i", wav.string(), "-map", "0:v", "-map", "1:a"};
    if (scale > 1) {
        const std::string n = std::to_string(scale);
        args.insert(args.end(), {"-vf", "scale=iw*" + n + ":ih*" + n + ":flags=neighbor"});
    }
    args.insert(args.end(),
                {"-c:v", "libx264", "-preset", "veryfast", "-crf", "20", "-pix_fmt", "yuv420p",
                 "-c:a", "aac", "-b:a", "192k", "-movflags", "+faststart", out.string()});
    int fds[2];
    if (pipe(fds) != 0) return;
    fcntl(fds[1], F_SETFD, FD_CLOEXEC);
    // A frame is 921,600 or 1,228,800 bytes: room for two where the system allows it, else as
    // much as a user's pipe may hold (1 MiB unless raised), so that ffmpeg rarely waits for us.
    if (fcntl(fds[1], F_SETPIPE_SZ, 2 << 20) < 0) fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const bool spawned =
        posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    if (spawned) {
        input = fds[1];
    } else {
        close(fds[1]);
        pid = -1;
    }
}

bool ZTVideoEncoder::send(const uint32_t* argb) {
    if (input < 0) return false;
    const size_t pixels = size_t{kPictureWidth} * kPictureHeight;
    if (!threeBytes) return writeAll(input, argb, pixels * sizeof(uint32_t));
    bgr.resize(pixels * 3);
    uint8_t* d = bgr.data();
    for (size_t i = 0; i < pixels; ++i, d += 3) {
        const uint32_t p = argb[i];
        d[0] = static_cast<uint8_t>(p);
        d[1] = static_cast<uint8_t>(p >> 8);
        d[2] = static_cast<uint8_t>(p >> 16);
    }
    return writeAll(input, bgr.data(), bgr.size());
}

bool ZTVideoEncoder::finish() {
    if (input >= 0) close(input);
    input = -1;
    if (pid <= 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    pid = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
