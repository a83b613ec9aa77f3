#include "sound.h"

#include <string>

#include "log.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace {
bool waveReady = false;
bool slotLoaded[kwSlotCount];

bool musicEnabled = false;
std::string loopingTune; // the looping tune asked for last and not stopped since
bool musicReady = false;
float musicVolume = 1.0f;
} // namespace

bool kwInitializeWave() {
    for (bool& s : slotLoaded) s = false;
    waveReady = false;
    klWrite("<KilnWave::kwInitializeWave>\n");
    klWrite(" <Mix_OpenAudio>\n");
    waveReady = gPlatform.audio && gPlatform.audio->open();
    klWrite(waveReady ? " [OK]\n" : " [NG]\n no audio device: effects are silent\n");
    return waveReady;
}

bool kwIsReady() {
    return waveReady;
}

bool kwLoadSegment(int slot, const char* path, bool loop) {
    (void)loop; // every effect of the game plays once
    klWrite("<KilnWave::kwLoadSegment>\n");
    klValue(" LOAD INDEX =", slot);
    if (slot < 0 || slot >= kwSlotCount) {
        klWrite(" [INDEX NG]\n");
        return false;
    }
    klWrite(" <Mix_LoadWAV>\n");
    const bool ok = waveReady && gPlatform.audio->loadEffect(slot, pfDataPath(path).c_str());
    klWrite(ok ? " [LOAD OK]\n" : " [LOAD NG]\n");
    slotLoaded[slot] = ok;
    return ok;
}

void kwPlay(int slot) {
    if (!waveReady || slot < 0 || slot >= kwSlotCount || !slotLoaded[slot]) return;
    gPlatform.audio->playEffect(slot);
}

void kwStopAll() {
    if (waveReady) gPlatform.audio->stopEffects();
}

void kwDisposeWave() {
    klWrite("<KilnWave::kwDisposeWave>\n");
    kwStopAll();
    if (waveReady) gPlatform.audio->close();
    waveReady = false;
    for (bool& s : slotLoaded) s = false;
}

void voxInitialize(bool enabled) {
    klWrite("<voxInitialize>\n");
    musicEnabled = enabled;
    musicVolume = 1.0f;
    klWrite(" <Mix_OpenAudio>\n");
    musicReady = gPlatform.audio && gPlatform.audio->open();
    klWrite(musicReady ? " [OK]\n" : " [NG]\n no audio device: music is silent\n");
    if (!enabled) klWrite(" BGM off\n");
}

void voxSetVolume(float volume) {
    musicVolume = volume;
}

void voxPlay(const char* path, bool loop) {
    loopingTune = loop ? path : "";
    if (!musicEnabled || !musicReady) return;
    gPlatform.audio->stopMusic();
    if (!gPlatform.audio->loadMusic(pfDataPath(path).c_str())) return;
    gPlatform.audio->setMusicVolume(musicVolume);
    gPlatform.audio->playMusic(loop);
}

void voxEnable(bool enabled) {
    if (enabled == musicEnabled) return;
    if (!enabled && musicReady) gPlatform.audio->stopMusic();
    musicEnabled = enabled;
    klWrite(enabled ? "<voxEnable> BGM on\n" : "<voxEnable> BGM off\n");
    if (enabled && !loopingTune.empty()) {
        const std::string tune = loopingTune;
        voxPlay(tune.c_str(), true);
    }
}

void voxStop() {
    loopingTune.clear();
    if (musicEnabled && musicReady) gPlatform.audio->stopMusic();
}

void voxFadeOut(int duration) {
    loopingTune.clear();
    if (musicEnabled && musicReady) gPlatform.audio->fadeOutMusic(duration);
}

void voxDispose() {
    klWrite("<voxDispose>\n");
    if (musicReady) {
        klWrite(" <Mix_CloseAudio>\n");
        gPlatform.audio->stopMusic();
        gPlatform.audio->close();
    }
    musicReady = false;
}
