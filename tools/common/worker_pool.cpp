#include "worker_pool.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

struct Job {
    size_t index;
    pid_t pid;
    int fd;
};

// Starts job i in a copy; false when the pipe or the copy could not be made.
bool start(size_t i, size_t size, const std::function<void(size_t, void*)>& work, Job& job) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (pid == 0) {
        close(fds[0]);
        std::vector<unsigned char> out(size);
        work(i, out.data());
        size_t sent = 0;
        while (sent < size) {
            const ssize_t n = write(fds[1], out.data() + sent, size - sent);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) _exit(1);
            sent += static_cast<size_t>(n);
        }
        // No destructors, no stdio flush: the caller's buffers are not this copy's to write.
        _exit(0);
    }
    close(fds[1]);
    job = {i, pid, fds[0]};
    return true;
}

// Reads a finished job's answer and reaps it.
void finish(const Job& job, std::vector<unsigned char>& buffer,
            const std::function<void(size_t, const void*)>& done) {
    size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = read(job.fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    close(job.fd);
    while (waitpid(job.pid, nullptr, 0) < 0 && errno == EINTR) {}
    done(job.index, got == buffer.size() ? buffer.data() : nullptr);
}

} // namespace

bool ztForkEachRaw(size_t count, int jobs, size_t size,
                   const std::function<void(size_t, void*)>& work,
                   const std::function<void(size_t, const void*)>& done) {
    const size_t most = static_cast<size_t>(std::max(jobs, 1));
    std::vector<Job> running;
    std::vector<pollfd> waits;
    std::vector<unsigned char> buffer(size);
    size_t next = 0;
    bool ok = true;
    while (next < count || !running.empty()) {
        while (ok && next < count && running.size() < most) {
            Job job;
            if (!start(next, size, work, job)) {
                ok = false;
                break;
            }
            running.push_back(job);
            ++next;
        }
        if (!ok) next = count;
        if (running.empty()) break;
        // Whichever copy answers (or dies) first makes room for the next.
        waits.clear();
        for (const Job& j : running) waits.push_back({j.fd, POLLIN, 0});
        if (poll(waits.data(), waits.size(), -1) < 0) {
            if (errno == EINTR) continue;
            waits.assign(running.size(), {-1, POLLIN, POLLIN});
        }
        for (size_t k = running.size(); k-- > 0;) {
            if (!waits[k].revents) continue;
            finish(running[k], buffer, done);
            running.erase(running.begin() + static_cast<std::ptrdiff_t>(k));
        }
    }
    return ok;
}
