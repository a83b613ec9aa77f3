#pragma once
// Jobs run in forked copies of this process, a few at a time. Each copy starts from the state
// the caller stands in at the call (the whole game, mid-play), works out one result and hands it
// back through a pipe, so nothing a job does reaches the caller or the jobs beside it.
#include <cstddef>
#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

// Runs work(i, out) for every i below `count`, each in its own copy, at most `jobs` at once;
// `out` is `size` bytes to fill. done(i, result) is called in the caller as each job comes back,
// in the order they finish, and done(i, nullptr) for a job that died before it answered. False
// when no pipe or process could be made; the jobs not yet started are then given up.
bool ztForkEachRaw(size_t count, int jobs, size_t size,
                   const std::function<void(size_t, void*)>& work,
                   const std::function<void(size_t, const void*)>& done);

// The same for a plain result type: work(i) in the copies, the results in the order of i, an
// empty one where a job failed.
template <class R, class Work>
std::vector<std::optional<R>> ztForkEach(size_t count, int jobs, Work&& work) {
    static_assert(std::is_trivially_copyable_v<R>, "results travel as bytes");
    std::vector<std::optional<R>> out(count);
    ztForkEachRaw(
        count, jobs, sizeof(R), [&](size_t i, void* to) { *static_cast<R*>(to) = work(i); },
        [&](size_t i, const void* from) {
            if (from) out[i] = *static_cast<const R*>(from);
        });
    return out;
}
