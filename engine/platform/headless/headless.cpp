#include "headless.h"

#include <cstring>

bool HeadlessInput::readKeys(uint8_t out[256]) {
    if (keysFail) return false;
    std::memcpy(out, keys, 256);
    return true;
}

bool HeadlessInput::readPad(KPadState& out) {
    if (!padAttached) return false;
    out = pad;
    return true;
}

bool RecordingRenderer::createTexture(int slot, const uint8_t* data, size_t size, uint32_t) {
    // Accept anything that looks like a PNG; the real decoding belongs to the SDL backend.
    static const uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (slot < 0 || slot >= 16 || size < 8 || std::memcmp(data, png, 8) != 0) return false;
    textures[slot] = true;
    return true;
}

void RecordingRenderer::releaseTexture(int slot) {
    if (slot >= 0 && slot < 16) textures[slot] = false;
}

void RecordingRenderer::drawTriangles(const KVertex* vertices, int count) {
    drawCalls += 1;
    if (keepDraws)
        draws.push_back(Draw{bound, blend, std::vector<KVertex>(vertices, vertices + count)});
}

void RecordingRenderer::clear(uint32_t rgb) {
    clears += 1;
    clearColour = rgb;
}

bool SilentAudio::loadEffect(int slot, const char* path) {
    (void)slot;
    return path && *path;
}

bool SilentAudio::loadMusic(const char* path) {
    music = path ? path : "";
    return !music.empty();
}

HeadlessPlatform::HeadlessPlatform() {
    gPlatform.timer = &timer;
    gPlatform.input = &input;
    gPlatform.renderer = &renderer;
    gPlatform.audio = &audio;
}

HeadlessPlatform::~HeadlessPlatform() {
    gPlatform = Platform{};
}
