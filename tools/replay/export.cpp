#include "export.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config.h"
#include "data/replay_file.h"
#include "frame_pipe.h"
#include "frame_png.h"
#include "media_run.h"
#include "mix.h"
#include "progress.h"
#include "scratch.h"
#include "video_encoder.h"

namespace fs = std::filesystem;

namespace {

bool readReplay(const fs::path& file, ZTReplayHeader& header, std::vector<uint32_t>& words) {
    if (ztReadReplayFile(file.c_str(), header, words)) return true;
    std::fprintf(stderr, "%s: not a replay file, or not a whole one\n", file.c_str());
    return false;
}

int playedStatus(const ZTReplayOutcome& out, const ZTReplayHeader& header, uint32_t last) {
    // A range that stops before the play's end cannot tell how the play ends.
    if (last < header.frames) {
        if (out.frames == last) return 0;
        std::fprintf(stderr, "desync: the play ended after %u frames, the file has %u\n",
                     out.frames, header.frames);
        return 1;
    }
    if (out.ended && out.frames == header.frames) return 0;
    if (out.ended)
        std::fprintf(stderr, "desync: the play ended after %u frames, the file has %u\n",
                     out.frames, header.frames);
    else
        std::fprintf(stderr, "desync: the play had not ended by the file's last frame\n");
    return 1;
}

// A replay read and the frames of it asked for.
struct Range {
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    uint32_t first = 1, last = 0;
    uint32_t count() const { return last - first + 1; }
};

// 0 when the file is a whole replay and the range lies in it; else the exit status.
int readRange(const fs::path& file, const ZTExportOptions& o, Range& r) {
    if (!readReplay(file, r.header, r.words)) return 2;
    r.first = o.from;
    r.last = o.to == 0 || o.to > r.header.frames ? r.header.frames : o.to;
    if (r.first > r.last) {
        std::fprintf(stderr, "%s: --from %u lies after the play's last frame, %u\n", file.c_str(),
                     r.first, r.header.frames);
        return 3;
    }
    return 0;
}

// The sound of frames first..last, at the game's own volumes or the player's.
bool soundOf(const Range& r, const ZTExportOptions& o, const fs::path& root,
             std::vector<int16_t>& sound) {
    ZTMixLevels levels;
    bool music = true;
    if (o.volumes) {
        const fs::path ini = root / "zent.ini";
        ZTConfig config;
        if (!ztReadConfig(ini.c_str(), config))
            std::fprintf(stderr, "%s: not read; the default volumes apply\n", ini.c_str());
        levels.effects = config.seVolume;
        levels.music = config.bgmVolume;
        music = config.bgmEnabled;
    }
    // The play runs once without pictures, its sound requests logged, then the log is mixed.
    ZTMediaRun listen(false, true, music);
    ZTProgress progress("sound", r.last);
    const uint32_t frames = listen
                                .play(r.words, r.header.language, r.last,
                                      [&](uint32_t frame, const uint32_t*) {
                                          progress.update(frame);
                                          return true;
                                      })
                                .frames;
    progress.finish();
    ZTSoundCache sounds;
    sound = ztMixdown(
        listen.audio.events, listen.audio.effects, frames,
        [&](const std::string& path) { return sounds(path); }, levels);
    const size_t skip = std::min(sound.size(), size_t{r.first - 1} * kSamplesPerFrame * 2);
    sound.erase(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(skip));
    return true;
}

// Plays the range and hands each picture to `encode`: on a thread of its own beside the play
// (`overlap`), or in turn on this one. With `opaque` the pictures reach it opaque, as a window
// shows them; an encoder that drops the alpha does without. Returns the outcome; `encoded`
// tells whether every picture was taken.
ZTReplayOutcome drawRange(ZTMediaRun& run, const Range& r, bool overlap, bool makeOpaque,
                          ZTProgress& progress, const ZTFramePipe::Consume& encode, bool& encoded) {
    auto opaque = [makeOpaque](std::vector<uint32_t>& argb) {
        // Passes drawn without blending may leave alpha below opaque in the buffer.
        if (makeOpaque)
            for (uint32_t& p : argb) p |= 0xFF000000u;
    };
    ZTReplayOutcome out;
    if (overlap) {
        ZTFramePipe pipe(
            [&](uint32_t frame, std::vector<uint32_t>& argb) {
                opaque(argb);
                return encode(frame, argb);
            },
            3);
        bool read = true;
        out = run.playReading(
            r.words, r.header.language, r.last,
            [&](uint32_t frame) {
                std::vector<uint32_t>* picture = pipe.take();
                read = picture && run.readPicture(*picture);
                if (!read) return false;
                pipe.hand(frame, picture);
                progress.update(frame - r.first + 1);
                return true;
            },
            r.first);
        encoded = pipe.finish() && read;
        return out;
    }
    std::vector<uint32_t> picture;
    encoded = true;
    out = run.playReading(
        r.words, r.header.language, r.last,
        [&](uint32_t frame) {
            encoded = run.readPicture(picture);
            if (encoded) {
                opaque(picture);
                encoded = encode(frame, picture);
            }
            progress.update(frame - r.first + 1);
            return encoded;
        },
        r.first);
    return out;
}

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

int ztExportFrames(const fs::path& dir, const fs::path& file, const fs::path& root,
                   const ZTExportOptions& o) {
    Range r;
    if (const int status = readRange(file, o, r)) return status;
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
    ZTMediaRun run(true, o.fastDrawing);
    if (!run.ok()) {
        std::fprintf(stderr, "SDL's software renderer could not be made\n");
        return 3;
    }
    ZTProgress progress("export", r.count());
    std::vector<uint8_t> row; // used by the one thread that encodes
    bool written = true;
    const ZTReplayOutcome out = drawRange(
        run, r, o.overlap, !o.fastEncoding, progress,
        [&](uint32_t frame, std::vector<uint32_t>& argb) {
            char name[32];
            std::snprintf(name, sizeof name, "%06u.png", frame);
            const fs::path target = dir / name;
            const bool ok = o.fastEncoding ? ztWriteFramePng(target, argb, o.scale, row)
                                           : ztWriteFramePngAsBefore(target, argb);
            if (!ok) std::fprintf(stderr, "%s: cannot write\n", target.c_str());
            return ok;
        },
        written);
    progress.finish();
    if (!written) return 3;
    const uint32_t count = out.frames >= r.first ? out.frames - r.first + 1 : 0;
    const double seconds = progress.seconds();
    std::printf("%u frames written to %s in %.1f s, %.0f frames/s\n", count, dir.c_str(), seconds,
                seconds > 0 ? count / seconds : 0.0);
    return playedStatus(out, r.header, r.last);
}

int ztExportAudio(const fs::path& outFile, const fs::path& file, const fs::path& root,
                  const ZTExportOptions& o) {
    Range r;
    if (const int status = readRange(file, o, r)) return status;
    ZTScratch scratch(root, {"dat", "text", "snd"});
    if (!scratch.ok) {
        std::fprintf(stderr, "cannot make a scratch folder for the play\n");
        return 3;
    }
    std::vector<int16_t> sound;
    soundOf(r, o, root, sound);
    if (!ztWriteWav(outFile.c_str(), sound)) {
        std::fprintf(stderr, "%s: cannot write the sound\n", outFile.c_str());
        return 3;
    }
    const double seconds = static_cast<double>(sound.size() / 2) / kMixRate;
    std::printf("%s: %.2f s of sound, frames %u to %u\n", outFile.c_str(), seconds, r.first,
                r.first + static_cast<uint32_t>(sound.size() / 2 / kSamplesPerFrame) - 1);
    return 0;
}

int ztExportVideo(const fs::path& outFile, const fs::path& file, const fs::path& root,
                  const ZTExportOptions& o) {
    const fs::path ffmpeg = ztFindFfmpeg();
    if (ffmpeg.empty()) {
        std::fprintf(stderr, "zentaku-replay: ffmpeg was not found on PATH; videos are made with "
                             "it (install the ffmpeg package)\n");
        return 3;
    }
    Range r;
    if (const int status = readRange(file, o, r)) return status;
    // The maps, sets and conversations, the pictures and the sounds.
    ZTScratch scratch(root, {"dat", "text", "pixel", "snd"});
    if (!scratch.ok) {
        std::fprintf(stderr, "cannot make a scratch folder for the play\n");
        return 3;
    }
    // First the sound, to a file ffmpeg reads beside the frames.
    const fs::path wav = scratch.path / "sound.wav";
    {
        std::vector<int16_t> sound;
        soundOf(r, o, root, sound);
        if (!ztWriteWav(wav.c_str(), sound)) {
            std::fprintf(stderr, "%s: cannot write the sound\n", wav.c_str());
            return 3;
        }
    }
    // Then the pictures, frame by frame into ffmpeg.
    ZTMediaRun run(true, o.fastDrawing);
    if (!run.ok()) {
        std::fprintf(stderr, "SDL's software renderer could not be made\n");
        return 3;
    }
    // A finished ffmpeg must not end us with a signal: the write fails and we say so.
    signal(SIGPIPE, SIG_IGN);
    ZTVideoEncoder encoder(ffmpeg, wav, outFile, o.scale, o.fastEncoding);
    if (!encoder.ok()) {
        std::fprintf(stderr, "%s: could not be started\n", ffmpeg.c_str());
        return 3;
    }
    ZTProgress progress("video", r.count());
    bool sent = true;
    const ZTReplayOutcome out = drawRange(
        run, r, o.overlap, !o.fastEncoding, progress,
        [&](uint32_t, std::vector<uint32_t>& argb) { return encoder.send(argb.data()); }, sent);
    progress.finish();
    const bool finished = encoder.finish();
    if (!sent || !finished) {
        std::fprintf(stderr, "%s: ffmpeg did not finish the video\n", outFile.c_str());
        return 3;
    }
    const uint32_t count = out.frames >= r.first ? out.frames - r.first + 1 : 0;
    const double seconds = progress.seconds();
    std::printf("%s: %u frames (%.2f s of play) in %.1f s, %.0f frames/s\n", outFile.c_str(), count,
                count / 60.0, seconds, seconds > 0 ? count / seconds : 0.0);
    return playedStatus(out, r.header, r.last);
}
