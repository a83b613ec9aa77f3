#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "behave.h"

namespace {

std::vector<std::string> trace;

// A behaviour whose move runs a scripted action and reports its name.
class Probe : public KilnBehave {
public:
    Probe(int layer, std::string name_, std::function<bool(Probe*)> onMove = nullptr)
        : KilnBehave(layer), name(std::move(name_)), action(std::move(onMove)) {}
    ~Probe() override { trace.push_back("~" + name); }
    bool kbMove() override {
        trace.push_back(name);
        return action ? action(this) : true;
    }
    void kbDraw() override { trace.push_back("draw " + name); }
    void kbDrawShadow(int) override { trace.push_back("shadow " + name); }

    std::string name;
    std::function<bool(Probe*)> action;
};

class Layers : public ::testing::Test {
protected:
    void SetUp() override {
        kbResetLists();
        trace.clear();
    }
    void TearDown() override { kbDeleteAll(); }
};

TEST_F(Layers, ObjectsMoveInConstructionOrderAndFalseDeletesAtOnce) {
    new Probe(3, "a");
    new Probe(3, "b", [](Probe*) { return false; });
    new Probe(3, "c");
    kbMoveAll();
    EXPECT_EQ(trace, (std::vector<std::string>{"a", "b", "~b", "c"}));
    trace.clear();
    kbDrawLayer(3);
    EXPECT_EQ(trace, (std::vector<std::string>{"draw a", "draw c"}));
}

TEST_F(Layers, DeletingTheNextObjectKeepsThePassGoing) {
    Probe* c = nullptr;
    new Probe(4, "a", [&](Probe* self) {
        delete self->next; // b
        return true;
    });
    new Probe(4, "b");
    c = new Probe(4, "c");
    kbMoveLayer(4);
    EXPECT_EQ(trace, (std::vector<std::string>{"a", "~b", "c"}));
    EXPECT_EQ(kbTail[4], c);
    EXPECT_EQ(kbHead[4]->next, c);
}

TEST_F(Layers, DeletingTheLastObjectDuringItsNeighboursMoveEndsThePass) {
    Probe* b = nullptr;
    new Probe(4, "a", [&](Probe*) {
        delete b;
        return true;
    });
    b = new Probe(4, "b");
    kbMoveLayer(4);
    EXPECT_EQ(trace, (std::vector<std::string>{"a", "~b"}));
    EXPECT_EQ(kbHead[4], kbTail[4]);
}

TEST_F(Layers, NewObjectsMoveByLayerRule) {
    bool spawned = false;
    new Probe(5, "spawner", [&](Probe*) {
        if (!spawned) {
            spawned = true;
            new Probe(5, "same");   // same layer: later in this pass
            new Probe(7, "higher"); // higher layer: this frame
            new Probe(2, "lower");  // lower layer: next frame only
        }
        return true;
    });
    new Probe(5, "old");
    kbMoveAll();
    EXPECT_EQ(trace, (std::vector<std::string>{"spawner", "old", "same", "higher"}));
    trace.clear();
    kbDrawLayer(2); // but it is drawn in the frame it was made
    EXPECT_EQ(trace, (std::vector<std::string>{"draw lower"}));
    trace.clear();
    kbMoveAll();
    EXPECT_EQ(trace.front(), "lower");
}

TEST_F(Layers, DeleteAllGoesLayerByLayerFromTheHead) {
    new Probe(9, "n1");
    new Probe(0, "z1");
    new Probe(9, "n2");
    new Probe(0, "z2");
    kbDeleteAll();
    EXPECT_EQ(trace, (std::vector<std::string>{"~z1", "~z2", "~n1", "~n2"}));
    for (int i = 0; i < kbLayerCount; ++i) EXPECT_EQ(kbHead[i], nullptr);
}

TEST_F(Layers, DestructorDeletingAnotherObjectDuringDeleteAll) {
    struct Owner : Probe {
        Owner(KilnBehave* victim_) : Probe(1, "owner"), victim(victim_) {}
        ~Owner() override { delete victim; }
        KilnBehave* victim;
    };
    Probe* victim = new Probe(8, "victim");
    new Owner(victim);
    kbDeleteAll();
    EXPECT_EQ(trace, (std::vector<std::string>{"~victim", "~owner"}));
    EXPECT_EQ(kbHead[8], nullptr);
}

TEST_F(Layers, ShadowRunnerVisitsInOrder) {
    new Probe(6, "a");
    new Probe(6, "b");
    kbShadowLayer(6, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"shadow a", "shadow b"}));
}

struct Grip : KilnScratch {
    explicit Grip(int* deaths_) : deaths(deaths_) {}
    ~Grip() override { *deaths += 1; }
    int* deaths;
};

struct Link : KilnScratch {
    explicit Link(KilnScratch* held_) : held(held_) { ksAddRef(held); }
    ~Link() override { ksRelease(held); }
    KilnScratch* held;
};

TEST(Scratch, SharedGripDiesWithItsLastHolderWhicheverItIs) {
    ksInitializeScratch();
    int deaths = 0;
    auto* grip = new Grip(&deaths); // the creator's reference
    for (int i = 0; i < 3; ++i) ksAddRef(grip);
    EXPECT_EQ(grip->references, 4);
    EXPECT_EQ(ksmCount, 1);
    ksRelease(grip);
    ksRelease(grip);
    ksRelease(grip);
    EXPECT_EQ(deaths, 0);
    ksRelease(grip);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(ksmCount, 0);
}

TEST(Scratch, ReleasingAChainReleasesEveryPart) {
    ksInitializeScratch();
    int deaths = 0;
    auto* root = new Grip(&deaths);
    auto* middle = new Link(root);
    ksRelease(root); // only the link holds it now
    auto* head = new Link(middle);
    ksRelease(middle);
    EXPECT_EQ(ksmCount, 3);
    ksRelease(head);
    EXPECT_EQ(ksmCount, 0);
    EXPECT_EQ(deaths, 1);
}

TEST(Scratch, DisposeDeletesWhateverIsLeft) {
    ksInitializeScratch();
    int deaths = 0;
    auto* a = new Grip(&deaths);
    ksAddRef(a);
    new Grip(&deaths);
    ksDisposeScratch();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(ksmCount, 0);
    EXPECT_EQ(ksmHead, nullptr);
}

} // namespace
