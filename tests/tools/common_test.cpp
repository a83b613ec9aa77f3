// The pieces the tools share: a scratch root leaves nothing behind and sees only what it was
// given; the worker pool's jobs start from the caller's state, change nothing of it, and answer
// in order even when they finish out of order or die.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "module_set.h"
#include "platform/headless/headless.h"
#include "scratch.h"
#include "worker_pool.h"

namespace fs = std::filesystem;

TEST(Scratch, LinksWhatExistsAndLeavesNothing) {
    const fs::path before = fs::current_path();
    fs::path made, linked;
    {
        ZTScratch root({"dat", "rep"});
        ASSERT_TRUE(root.ok);
        made = root.path;
        EXPECT_EQ(fs::current_path(), made);
        EXPECT_TRUE(fs::is_directory("dat") && fs::is_empty("dat") && fs::is_directory("rep"));
        std::ofstream("dat/m01.ztm") << "map";
        {
            ZTScratch play(made, {"dat", "pixel"});
            ASSERT_TRUE(play.ok);
            linked = play.path;
            EXPECT_EQ(fs::current_path(), linked);
            EXPECT_TRUE(fs::is_symlink("dat"));
            EXPECT_TRUE(fs::exists("dat/m01.ztm"));
            EXPECT_FALSE(fs::exists("pixel")) << "the root has no pixel/ to link";
            std::ofstream("score.dat") << "scores";
        }
        EXPECT_EQ(fs::current_path(), made);
        EXPECT_FALSE(fs::exists(linked));
        EXPECT_TRUE(fs::exists("dat/m01.ztm")) << "removing the links removed what they led to";
        EXPECT_FALSE(fs::exists("score.dat"));
    }
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_FALSE(fs::exists(made));
}

TEST(Modules, InstalledForTheirLifetime) {
    ZTScratch root({"dat", "rep"});
    ASSERT_TRUE(root.ok);
    HeadlessPlatform platform;
    {
        ZTModules modules;
        EXPECT_EQ(gWork, modules.work.get());
        EXPECT_EQ(gInput, &modules.input);
        EXPECT_EQ(gSprite, &modules.sprite);
    }
    EXPECT_EQ(gWork, nullptr);
    EXPECT_EQ(gInput, nullptr);
    EXPECT_EQ(gSprite, nullptr);
}

namespace {
int state = 0;

struct Answer {
    int index, seen, pid;
};
} // namespace

TEST(WorkerPool, JobsStartFromTheCallersStateAndAnswerInOrder) {
    for (int jobs : {1, 3, 8}) {
        state = 40;
        const auto all = ztForkEach<Answer>(7, jobs, [](size_t i) {
            // The later jobs finish first; the one that dies answers nothing.
            usleep(static_cast<useconds_t>((7 - i) * 2000));
            if (i == 4) _exit(1);
            const Answer a{static_cast<int>(i), state, getpid()};
            state = -1;
            return a;
        });
        ASSERT_EQ(all.size(), 7u);
        for (size_t i = 0; i < all.size(); ++i) {
            if (i == 4) {
                EXPECT_FALSE(all[i].has_value()) << jobs << " at once";
                continue;
            }
            ASSERT_TRUE(all[i].has_value()) << jobs << " at once, job " << i;
            EXPECT_EQ(all[i]->index, static_cast<int>(i));
            EXPECT_EQ(all[i]->seen, 40);
            EXPECT_NE(all[i]->pid, getpid());
        }
        EXPECT_EQ(state, 40) << "a job's change reached the caller";
    }
    EXPECT_TRUE(ztForkEach<Answer>(0, 2, [](size_t) { return Answer{}; }).empty());
}
