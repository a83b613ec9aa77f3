#include "worker_pool.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <vector>

bool ztForkEachRaw(size_t count, int jobs, size_t size,
                   const std::function<void(size_t, void*)>& work,
                   const std::function<void(size_t, const void*)>& done) {
    struct Job {
        size_t i;
        pid_t pid;
        int fd;
    };
    std::deque<Job> running;
    std::vector<unsigned char> buffer(size);
    size_t next = 0;
    bool ok = true;
    while (next < count || !running.empty()) {
        while (ok && running.size() < static_cast<size_t>(jobs) && next < count) {
            int fds[2];
            if (pipe(fds) != 0) {
                ok = false;
                break;
            }
            const pid_t pid = fork();
            if (pid < 0) {
                close(fds[0]);
                close(fds[1]);
                ok = false;
                break;
            }
            if (pid == 0) {
                close(fds[0]);
                work(next, buffer.data());
                const ssize_t n = write(fds[1], buffer.data(), size);
                _exit(n == static_cast<ssize_t>(size) ? 0 : 1);
            }
            close(fds[1]);
            running.push_back({next++, pid, fds[0]});
        }
        if (running.empty()) break;
        // The oldest first: the jobs take about as long as each other.
        const Job job = running.front();
        running.pop_front();
        const bool got = read(job.fd, buffer.data(), size) == static_cast<ssize_t>(size);
        close(job.fd);
        waitpid(job.pid, nullptr, 0);
        done(job.i, got ? buffer.data() : nullptr);
    }
    return ok;
}
