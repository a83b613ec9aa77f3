#pragma once
// Kept states of the play: copies of the whole process, each waiting in a pipe at the frame it
// was kept. Going back wakes one, which plays on from there, and ends the process that asked.
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <vector>

class ZTCheckpoints {
public:
    // Called in a copy that wakes, with how often play has now gone back to it.
    explicit ZTCheckpoints(std::function<void(int)> woken) : woken(std::move(woken)) {}
    ~ZTCheckpoints();
    ZTCheckpoints(const ZTCheckpoints&) = delete;
    ZTCheckpoints& operator=(const ZTCheckpoints&) = delete;

    // Keeps the state at `frame`, `used` times gone back to already. Returns in this process
    // and, whenever play goes back to the state, once more in the copy; the copy keeps itself
    // again before it returns.
    void keep(uint32_t frame, int used);
    // Wakes the latest kept state at least `distance` frames before `frame` that has had fewer
    // than `retries` tries and never returns then; returns when there is none.
    void goBack(uint32_t frame, uint32_t distance, int retries);

private:
    struct Kept {
        pid_t pid;
        int fd;
        uint32_t frame;
        int used; // how often play already went back to it
    };
    static constexpr size_t most = 10;
    std::function<void(int)> woken;
    std::vector<Kept> kept;
};
