#include "frame_pipe.h"

ZTFramePipe::ZTFramePipe(Consume c, size_t buffers) : consume(std::move(c)), pool(buffers) {
    for (std::vector<uint32_t>& b : pool) free.push_back(&b);
    worker = std::thread([this] { work(); });
}

ZTFramePipe::~ZTFramePipe() {
    finish();
}

std::vector<uint32_t>* ZTFramePipe::take() {
    std::unique_lock<std::mutex> hold(lock);
    changed.wait(hold, [this] { return failed || !free.empty(); });
    if (failed) return nullptr;
    std::vector<uint32_t>* b = free.back();
    free.pop_back();
    return b;
}

void ZTFramePipe::hand(uint32_t frame, std::vector<uint32_t>* picture) {
    {
        std::lock_guard<std::mutex> hold(lock);
        queued.emplace_back(frame, picture);
    }
    changed.notify_all();
}

bool ZTFramePipe::finish() {
    {
        std::lock_guard<std::mutex> hold(lock);
        closing = true;
    }
    changed.notify_all();
    if (worker.joinable()) worker.join();
    return !failed;
}

void ZTFramePipe::work() {
    for (;;) {
        std::pair<uint32_t, std::vector<uint32_t>*> next;
        bool skip = false; // after a failure the rest only goes back to the pool
        {
            std::unique_lock<std::mutex> hold(lock);
            changed.wait(hold, [this] { return closing || !queued.empty(); });
            if (queued.empty()) return;
            next = queued.front();
            queued.pop_front();
            skip = failed;
        }
        const bool ok = !skip && consume(next.first, *next.second);
        {
            std::lock_guard<std::mutex> hold(lock);
            if (!ok) failed = true;
            free.push_back(next.second);
        }
        changed.notify_all();
    }
}
