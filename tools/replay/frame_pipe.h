#pragma once
// Hands pictures from the thread that plays and draws to one that encodes them, so that both
// cores work: the play and its drawing stay on the calling thread, the encoder runs beside it
// on a few recycled buffers.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class ZTFramePipe {
public:
    // Called on the encoding thread, in frame order; false stops the pipe (a failed write).
    using Consume = std::function<bool(uint32_t frame, std::vector<uint32_t>& argb)>;
    ZTFramePipe(Consume consume, size_t buffers);
    ~ZTFramePipe();
    ZTFramePipe(const ZTFramePipe&) = delete;
    ZTFramePipe& operator=(const ZTFramePipe&) = delete;

    // A free buffer to put the next picture in; waits while every one is in use. Null once the
    // encoder has failed.
    std::vector<uint32_t>* take();
    // Queues the picture in a buffer from take() for encoding.
    void hand(uint32_t frame, std::vector<uint32_t>* picture);
    // Waits until every picture handed over is encoded; true when all of them were.
    bool finish();

private:
    void work();

    Consume consume;
    std::vector<std::vector<uint32_t>> pool;
    std::vector<std::vector<uint32_t>*> free;
    std::deque<std::pair<uint32_t, std::vector<uint32_t>*>> queued;
    std::mutex lock;
    std::condition_variable changed;
    bool closing = false;
    bool failed = false;
    std::thread worker;
};
