#pragma once
// One button word per frame from the keyboard and the pad, with record and playback buffers.
#include <cstdint>
#include <vector>

enum : uint32_t {
    KI_BUTTON1 = 0x0001,
    KI_BUTTON2 = 0x0002,
    KI_BUTTON3 = 0x0004,
    KI_BUTTON4 = 0x0008,
    KI_BUTTON5 = 0x0010,
    KI_BUTTON6 = 0x0020,
    KI_BUTTON7 = 0x0040,
    KI_BUTTON8 = 0x0080,
    KI_UP = 0x0100,
    KI_DOWN = 0x0200,
    KI_LEFT = 0x0400,
    KI_RIGHT = 0x0800,
    KI_ESCAPE = 0x1000,
    KI_TAB = 0x2000,
};

// Scan codes of the keys the button word reads.
enum : uint8_t {
    KI_KEY_ESCAPE = 0x01,
    KI_KEY_TAB = 0x0F,
    KI_KEY_Z = 0x2C,
    KI_KEY_X = 0x2D,
    KI_KEY_C = 0x2E,
    KI_KEY_V = 0x2F,
    KI_KEY_UP = 0xC8,
    KI_KEY_LEFT = 0xCB,
    KI_KEY_RIGHT = 0xCD,
    KI_KEY_DOWN = 0xD0,
};

class KilnInput {
public:
    KilnInput();
    ~KilnInput();
    KilnInput(const KilnInput&) = delete;
    KilnInput& operator=(const KilnInput&) = delete;

    // The per-frame poll.
    void kiUpdate();
    // The live half of the poll alone: the devices into kimNow, kimNow into kimOld; the record
    // and the playback stay where they are. For a turn without a frame (a paused replay).
    void kiPollLive();

    bool kiIsHeld(uint32_t mask) const { return (current() & mask) != 0; }
    bool kiIsPushed(uint32_t mask) const {
        const uint32_t now = current();
        return (((previous() ^ now) & now) & mask) != 0;
    }

    uint32_t kimNow = 0, kimOld = 0;
    uint32_t kimPlayNow = 0, kimPlayOld = 0;
    bool kimUsePlay = false;
    bool kimRecording = false;
    int32_t kimCursor = 0;
    std::vector<uint32_t> kimRecordBuf;
    std::vector<uint32_t> kimPlayBuf;

private:
    uint32_t current() const { return kimUsePlay ? kimPlayNow : kimNow; }
    uint32_t previous() const { return kimUsePlay ? kimPlayOld : kimOld; }
};

extern KilnInput* gInput;

// Creates the one instance and opens the devices of the platform in use.
void kiInitializeInput();
void kiDisposeInput();
