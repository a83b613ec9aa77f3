#pragma once
// Turning a replay into something to share: every frame as a PNG file, or a video with sound
// made by ffmpeg. Both return the tool's exit status: 0 done, 1 the play did not end as its
// header says (what was played is still written), 2 not a whole replay file, 3 nothing or not
// everything could be written (or ffmpeg is missing).
#include <filesystem>

// DIR/000001.png and on, 640x480, one per frame of the play.
int ztExportFrames(const std::filesystem::path& dir, const std::filesystem::path& file,
                   const std::filesystem::path& root);

// H.264 (yuv420p) at 60 frames per second, enlarged `scale` times by nearest neighbour, with the
// play's sound as AAC; as long as the play.
int ztExportVideo(const std::filesystem::path& out, const std::filesystem::path& file,
                  const std::filesystem::path& root, int scale);

// ffmpeg's path when it is on PATH, else empty.
std::filesystem::path ztFindFfmpeg();
