#pragma once
// ffmpeg making a video: the frames reach it raw through a pipe, the sound from a WAV file.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <vector>

class ZTVideoEncoder {
public:
    // Starts ffmpeg writing `out` from 640x480 frames enlarged `scale` times; with `threeBytes`
    // each frame goes over as blue, green, red bytes, else as the ARGB words themselves.
    ZTVideoEncoder(const std::filesystem::path& ffmpeg, const std::filesystem::path& wav,
                   const std::filesystem::path& out, int scale, bool threeBytes);
    ~ZTVideoEncoder() { finish(); }
    ZTVideoEncoder(const ZTVideoEncoder&) = delete;
    ZTVideoEncoder& operator=(const ZTVideoEncoder&) = delete;

    bool ok() const { return input >= 0; }
    // One frame of ARGB words; false once ffmpeg has stopped taking them.
    bool send(const uint32_t* argb);
    // Closes the frames and waits for ffmpeg; true when it finished the file.
    bool finish();

private:
    pid_t pid = -1;
    int input = -1;
    bool threeBytes;
    std::vector<uint8_t> bgr; // the frame on its way
};
