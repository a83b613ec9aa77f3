#pragma once
// Turning a replay into something to share: every frame as a PNG file, a video with sound made
// by ffmpeg, or the sound alone. Each returns the tool's exit status: 0 done, 1 the play did
// not end as its header says (what was played is still written), 2 not a whole replay file,
// 3 nothing or not everything could be written (or ffmpeg is missing).
#include <cstdint>
#include <filesystem>

struct ZTExportOptions {
    uint32_t from = 1; // the first frame written (frames count from 1)
    uint32_t to = 0;   // the last; 0: the play's last frame
    int scale = 1;     // whole-number enlargement, nearest neighbour
    // The player's volumes from the game root's zent.ini instead of the game's own.
    bool volumes = false;
    // How the work is done. The defaults draw and encode on two threads, keep the ground while
    // it stays the same and draw the sprites' triangles without SDL's divisions per pixel, and
    // encode fast: PNGs compressed whole by libdeflate, video frames handed to ffmpeg as three
    // bytes a pixel. All three off is the way exports used to run, which the benchmark
    // measures beside it.
    bool overlap = true;
    bool fastDrawing = true;
    bool fastEncoding = true;
};

// DIR/NNNNNN.png, named by frame number, 640x480 times the scale, one per frame of the range.
int ztExportFrames(const std::filesystem::path& dir, const std::filesystem::path& file,
                   const std::filesystem::path& root, const ZTExportOptions& options = {});

// H.264 (yuv420p) at 60 frames per second, enlarged `scale` times by nearest neighbour, with the
// play's sound as AAC; as long as the range.
int ztExportVideo(const std::filesystem::path& out, const std::filesystem::path& file,
                  const std::filesystem::path& root, const ZTExportOptions& options = {});

// The sound of the range alone, as a 16-bit stereo WAV file at 44.1 kHz.
int ztExportAudio(const std::filesystem::path& out, const std::filesystem::path& file,
                  const std::filesystem::path& root, const ZTExportOptions& options = {});

// ffmpeg's path when it is on PATH, else empty.
std::filesystem::path ztFindFfmpeg();
