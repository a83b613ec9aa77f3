#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "behave.h"
#include "engine.h"
#include "frame.h"
#include "hit.h"
#include "input.h"
#include "platform/headless/headless.h"

namespace {

std::vector<std::string> calls;
// A scene number the first scene asks for while it is being made; -1 for none.
int askWhenMade = -1;

// A scene that logs its calls and can request a scene from a chosen step.
class Logged : public KilnEngine {
public:
    explicit Logged(int n) : number(n) {
        calls.push_back("new " + std::to_string(n));
        if (n == 0 && askWhenMade >= 0) keNextScene = askWhenMade;
    }
    ~Logged() override { calls.push_back("delete " + std::to_string(number)); }
    void keMove() override { step("move", requestInMove); }
    void keHit() override { step("hit", -1); }
    void kePostHit() override { step("posthit", -1); }
    void keDraw() override { step("draw", requestInDraw); }

    int number;
    int requestInMove = -1;
    int requestInDraw = -1;
    std::vector<int> extraRequests;

private:
    void step(const char* name, int request) {
        calls.push_back(std::string(name) + " " + std::to_string(number));
        if (request >= 0) keNextScene = request;
        if (name == std::string("move"))
            for (int r : extraRequests) keNextScene = r;
    }
};

class Factory : public KECreator {
public:
    KilnEngine* keCreateScene(int n) override {
        if (n < 0 || n > 11) return nullptr;
        last = new Logged(n);
        if (setup) setup(last);
        return last;
    }
    Logged* last = nullptr;
    std::function<void(Logged*)> setup;
};

class Runner : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        askWhenMade = -1;
        gInput = &input;
        keInitializeKilnEngine(&factory, 0);
    }
    void TearDown() override {
        keDisposeKilnEngine();
        gInput = nullptr;
    }

    HeadlessPlatform platform;
    KilnInput input;
    Factory factory;
};

TEST_F(Runner, FirstFrameCreatesAndRunsInOrder) {
    ztFrameStep(true);
    EXPECT_EQ(calls, (std::vector<std::string>{"new 0", "move 0", "hit 0", "posthit 0", "draw 0"}));
    EXPECT_EQ(platform.renderer.clears, 1);
    EXPECT_EQ(platform.renderer.presents, 1);
    calls.clear();
    ztFrameStep(false);
    EXPECT_EQ(calls, (std::vector<std::string>{"move 0", "hit 0", "posthit 0"}));
}

TEST_F(Runner, SwitchTakesEffectAtFrameEndAndLastRequestWins) {
    factory.setup = [](Logged* s) {
        if (s->number == 0) s->extraRequests = {5, 9, 2};
    };
    ztFrameStep(true);
    EXPECT_EQ(calls, (std::vector<std::string>{"new 0", "move 0", "hit 0", "posthit 0", "draw 0",
                                               "delete 0"}));
    EXPECT_EQ(keScene, nullptr);
    calls.clear();
    ztFrameStep(false);
    EXPECT_EQ(calls.front(), "new 2");
    EXPECT_EQ(keSceneNumber, 2);
}

TEST_F(Runner, RequestFromAConstructorSwitchesAtTheEndOfTheFirstFrame) {
    askWhenMade = 2;
    ztFrameStep(true);
    EXPECT_EQ(calls, (std::vector<std::string>{"new 0", "move 0", "hit 0", "posthit 0", "draw 0",
                                               "delete 0"}));
    ztFrameStep(true);
    EXPECT_EQ(keSceneNumber, 2);
    EXPECT_EQ(calls[6], "new 2");
}

TEST_F(Runner, RequestInDrawSwitchesAfterTheDrawnFrame) {
    factory.setup = [](Logged* s) {
        if (s->number == 0) s->requestInDraw = 1;
    };
    ztFrameStep(false); // undrawn: no draw, no request
    EXPECT_NE(keScene, nullptr);
    ztFrameStep(true);
    EXPECT_EQ(calls.back(), "delete 0");
}

TEST_F(Runner, RequestingTheLiveSceneChangesNothing) {
    factory.setup = [](Logged* s) { s->requestInMove = s->number; };
    ztFrameStep(true);
    ztFrameStep(true);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "new 0"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "delete 0"), 0);
}

TEST_F(Runner, EscapeEndsTheSceneInTheSameFrame) {
    ztFrameStep(true);
    platform.input.keys[KI_KEY_ESCAPE] = 0x80;
    ZTFrameResult r = ztFrameStep(true);
    EXPECT_TRUE(r.quit);
    EXPECT_EQ(calls.back(), "delete 0");
    EXPECT_EQ(keScene, nullptr);
}

TEST_F(Runner, UnknownSceneIsReportedNotRun) {
    factory.setup = [](Logged* s) { s->requestInMove = 12; };
    ztFrameStep(true);
    ZTFrameResult r = ztFrameStep(true);
    EXPECT_TRUE(r.sceneMissing);
    EXPECT_EQ(keScene, nullptr);
}

struct Leftover : KilnBehave {
    Leftover() : KilnBehave(3) {}
    bool kbMove() override { return true; }
    void kbDraw() override {}
};
struct Part : KilnScratch {};
struct Victim : KNDamaged {
    Victim() : KNDamaged(1) {}
    void knBegin() override {}
    void knEnd() override {}
    bool knCheck(KNDamager*) override { return false; }
};

TEST_F(Runner, SceneEndReleasesObjectsAndPartsAndTheNextStartsEmpty) {
    factory.setup = [](Logged* s) {
        if (s->number != 0) return;
        new Leftover();
        new Part();
        new Part();
        s->requestInMove = 1;
    };
    ztFrameStep(true);
    EXPECT_EQ(kbHead[3], nullptr);
    EXPECT_EQ(ksmCount, 0);
    Victim stray; // registered now, forgotten by the next scene's start
    factory.setup = [](Logged*) {
        EXPECT_EQ(knDamageds[1], nullptr);
        EXPECT_EQ(ksmHead, nullptr);
    };
    ztFrameStep(true);
    knResetLists();
}

} // namespace
