#pragma once
#include "language.h"
// A replay played for what a viewer sees and hears: the program's own SDL flush draws every
// frame offscreen with SDL's software renderer, over the textures the program loads, and every
// effect and music request is logged with the frame it came in.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "clock.h"
#include "platform/headless/audio_log.h"
#include "platform/headless/headless.h"
#include "platform/sdl/sdl_renderer.h"
#include "replay_run.h"

constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;

class ZTMediaRun {
public:
    // Without pictures the counting renderer stands in (fast); only the sound is logged. With
    // `fastDrawing` the ground drawn at the start of a frame is kept and put back while it stays
    // the same, and the sprites' triangles are drawn by our own copy of SDL's rasteriser; the
    // pictures are the same to the bit either way. Without, SDL draws every frame whole.
    explicit ZTMediaRun(bool pictures, bool fastDrawing = true, bool music = true);
    ~ZTMediaRun();
    ZTMediaRun(const ZTMediaRun&) = delete;
    ZTMediaRun& operator=(const ZTMediaRun&) = delete;

    // False when the software renderer could not be made.
    bool ok() const { return ready; }

    // Called after each frame with its number (from 1) and, with pictures, the frame as opaque
    // ARGB pixels, row after row. Returning false ends the play there.
    using FrameSink = std::function<bool(uint32_t frame, const uint32_t* argb)>;
    // Plays the replay, in its language, for at most `frames` frames, or until it ends. Frames
    // before `first` run without drawing and without the sink.
    ZTReplayOutcome play(const std::vector<uint32_t>& words, ZTLanguage language, uint32_t frames,
                         const FrameSink& sink = {}, uint32_t first = 1);
    // One field started as the developer menu starts it, with no button held, for at most
    // `frames` frames or until it is left.
    ZTReplayOutcome playField(int field, int tail, uint32_t frames, const FrameSink& sink);
    // The same with a sink that reads the picture itself, through readPicture().
    using FrameReader = std::function<bool(uint32_t frame)>;
    ZTReplayOutcome playReading(const std::vector<uint32_t>& words, ZTLanguage language,
                                uint32_t frames, const FrameReader& sink, uint32_t first = 1);
    // The last frame's picture as ARGB pixels, row after row; alpha as the drawing left it.
    bool readPicture(std::vector<uint32_t>& argb);

    RecordingAudio audio;

private:
    HeadlessPlatform platform;
    SdlRenderer renderer;
    KUClocker clock; // paced by the headless timer, so the head-up display reads 60 frames/s
    std::vector<uint32_t> pixels;
    bool pictures;
    bool ready = false;
    std::unique_ptr<ZTReplayRunner> runner;
};
