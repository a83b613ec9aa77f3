#pragma once
// Jobs run in forked copies of this process, a few at a time, each handing one result back
// through a pipe.
#include <cstddef>
#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

bool ztForkEachRaw(size_t count, int jobs, size_t size,
                   const std::function<void(size_t, void*)>& work,
                   const std::function<void(size_t, const void*)>& done);

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
