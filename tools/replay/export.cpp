#include "export.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "media_run.h"
#include "mix.h"
#include "platform/sdl/sdl_image.h"
#include "progress.h"
#include "replay/replay_file.h"
#include "scratch.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

bool readReplay(const fs::path& file, ZTReplayHeader& header, std::vector<uint32_t>& words) {
    if (ztReadReplayFile(file.c_str(), header, words)) return true;
    std::fprintf(stderr, "%s: not a replay file, or not a whole one\n", file.c_str());
    return false;
}

int playedStatus(const ZTReplayOutcome& out, const ZTReplayHeader& header) {
    if (out.ended && out.frames == header.frames) return 0;
    if (out.ended)
        std::fprintf(stderr, "desync: the play ended after %u frames, the file has %u\n",
                     out.frames, header.frames);
    else
        std::fprintf(stderr, "desync: the play had not ended by the file's last frame\n");
    return 1;
}

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

// ffmpeg reading raw frames from a pipe and the sound from a WAV file.
class Encoder {
public:
    Encoder(const fs::path& ffmpeg, const fs::path& wav, const fs::path& out, int scale) {
        const std::string size =
            std::to_string(kPictureWidth) + "x" + std::to_string(kPictureHeight);
        std::vector<std::string> args = {
            ffmpeg.string(), "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
            // ARGB pixels as they lie in memory on a little-endian machine.
            "-f", "rawvideo", "-pix_fmt", "bgra", "-video_size", size, "-framerate", "60", "-i",
            "pipe:0", "-i", wav.string(), "-map", "0:v", "-map", "1:a"};
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
        // Room for a whole frame: fewer hand-overs between us and ffmpeg.
        fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
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
    ~Encoder() { finish(); }

    bool ok() const { return input >= 0; }
    bool send(const uint32_t* argb) {
        return input >= 0 &&
               writeAll(input, argb, size_t{kPictureWidth} * kPictureHeight * sizeof(uint32_t));
    }
    // Closes the frames and waits for ffmpeg; true when it finished the file.
    bool finish() {
        if (input >= 0) close(input);
        input = -1;
        if (pid <= 0) return false;
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
        pid = -1;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t pid = -1;
    int input = -1;
};

} // namespace

fs::path ztFindFfmpeg() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const fs::path dir = end > start ? fs::path(dirs.substr(start, end - start)) : ".";
        const fs::path candidate = dir / "ffmpeg";
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

int ztExportFrames(const fs::path& dir, const fs::path& file, const fs::path& root) {
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    if (!readReplay(file, header, words)) return 2;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir)) {
        std::fprintf(stderr, "%s: cannot make the folder\n", dir.c_str());
        return 3;
    }
    // The maps, sets and conversations, the pictures and the sounds.
    ZTScratch scratch(root, {"dat", "text", "pixel", "snd"});
    if (!scratch.ok) {
        std::fprintf(stderr, "cannot make a scratch folder for the play\n");
        return 3;
    }
    ZTMediaRun run(true);
    if (!run.ok()) {
        std::fprintf(stderr, "SDL's software renderer could not be made\n");
        return 3;
    }
    ZTProgress progress("export", header.frames);
    bool written = true;
    std::vector<uint8_t> png;
    const ZTReplayOutcome out =
        run.play(words, header.language, header.frames, [&](uint32_t frame, const uint32_t* argb) {
            char name[32];
            std::snprintf(name, sizeof name, "%06u.png", frame);
            const fs::path target = dir / name;
            written = argb && sdlEncodePng(argb, kPictureWidth, kPictureHeight, png);
            if (written) {
                std::FILE* f = std::fopen(target.c_str(), "wb");
                written = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
                if (f) written = std::fclose(f) == 0 && written;
            }
            if (!written) std::fprintf(stderr, "%s: cannot write\n", target.c_str());
            progress.update(frame);
            return written;
        });
    progress.finish();
    if (!written) return 3;
    std::printf("%u frames written to %s in %.1f s\n", out.frames, dir.c_str(), progress.seconds());
    return playedStatus(out, header);
}

int ztExportVideo(const fs::path& outFile, const fs::path& file, const fs::path& root, int scale) {
    const fs::path ffmpeg = ztFindFfmpeg();
    if (ffmpeg.empty()) {
        std::fprintf(stderr, "zentaku-replay: ffmpeg was not found on PATH; videos are made with "
                             "it (install the ffmpeg package)\n");
        return 3;
    }
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    if (!readReplay(file, header, words)) return 2;
    // The maps, sets and conversations, the pictures and the sounds.
    ZTScratch scratch(root, {"dat", "text", "pixel", "snd"});
    if (!scratch.ok) {
        std::fprintf(stderr, "cannot make a scratch folder for the play\n");
        return 3;
    }
    // First the sound: the play runs once without pictures to log it, and the mix goes to a
    // file ffmpeg reads beside the frames.
    const fs::path wav = scratch.path / "sound.wav";
    uint32_t frames = 0;
    {
        ZTMediaRun listen(false);
        frames = listen.play(words, header.language, header.frames).frames;
        ZTSoundCache sounds;
        const std::vector<int16_t> mix =
            ztMixdown(listen.audio.events, listen.audio.effects, frames,
                      [&](const std::string& path) { return sounds(path); });
        if (!ztWriteWav(wav.c_str(), mix)) {
            std::fprintf(stderr, "%s: cannot write the sound\n", wav.c_str());
            return 3;
        }
    }
    // Then the pictures, frame by frame into ffmpeg.
    ZTMediaRun run(true);
    if (!run.ok()) {
        std::fprintf(stderr, "SDL's software renderer could not be made\n");
        return 3;
    }
    // A finished ffmpeg must not end us with a signal: the write fails and we say so.
    signal(SIGPIPE, SIG_IGN);
    Encoder encoder(ffmpeg, wav, outFile, scale);
    if (!encoder.ok()) {
        std::fprintf(stderr, "%s: could not be started\n", ffmpeg.c_str());
        return 3;
    }
    ZTProgress progress("video", frames);
    bool sent = true;
    const ZTReplayOutcome out =
        run.play(words, header.language, frames, [&](uint32_t frame, const uint32_t* argb) {
            sent = argb && encoder.send(argb);
            progress.update(frame);
            return sent;
        });
    progress.finish();
    const bool finished = encoder.finish();
    if (!sent || !finished) {
        std::fprintf(stderr, "%s: ffmpeg did not finish the video\n", outFile.c_str());
        return 3;
    }
    const double seconds = progress.seconds();
    std::printf("%s: %u frames (%.2f s of play) in %.1f s, %.0f frames/s\n", outFile.c_str(),
                out.frames, out.frames / 60.0, seconds, seconds > 0 ? out.frames / seconds : 0.0);
    return playedStatus(out, header);
}
