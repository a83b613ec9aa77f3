// The score notation: lengths, repeats, chords and channels come out where the text says.
#include <gtest/gtest.h>

#include <cmath>

#include "render.h"
#include "score.h"

namespace {

const char* kHead = "tempo 120\ninst p wave=tri a=0.001 d=0.1 s=0.5 r=0.05\n"
                    "drum K wave=sine f=100 d=0.1\n";

snd::Score parse(const std::string& body) {
    snd::Score s;
    std::string error;
    EXPECT_TRUE(snd::parseScore(kHead + body, s, error)) << error;
    return s;
}

std::vector<int> keys(const snd::Score& s) {
    std::vector<int> out;
    for (const snd::NoteEvent& e : s.channels.at(0).notes) out.push_back(e.key);
    return out;
}

} // namespace

TEST(Score, LengthsDotsTiesAndRestsAddUp) {
    const snd::Score s = parse("a: @p l8 c d4 e. f16 r2 g^8 q4 a2\n");
    const std::vector<snd::NoteEvent>& n = s.channels[0].notes;
    ASSERT_EQ(n.size(), 6u);
    const int64_t ticks[] = {0, 24, 72, 108, 216, 264};
    const int64_t lengths[] = {24, 48, 36, 12, 48, 96};
    for (size_t i = 0; i < n.size(); ++i) {
        EXPECT_EQ(n[i].tick, ticks[i]) << i;
        EXPECT_EQ(n[i].length, lengths[i]) << i;
    }
    EXPECT_EQ(n[5].gate, 48); // q4: held half its length
    EXPECT_EQ(s.lengthTicks, 360);
    // 120 beats a minute: 360 ticks are 7.5 beats, 3.75 s.
    EXPECT_EQ(s.lengthSamples(), int64_t(3.75 * snd::kRate));
}

TEST(Score, PitchFollowsOctavesAccidentalsAndTranspose) {
    EXPECT_DOUBLE_EQ(snd::keyToHz(69), 440.0);
    EXPECT_NEAR(snd::keyToHz(60), 261.626, 0.001);
    const snd::Score s = parse("a: @p o4 c c+ d- > c < b k2 c e- k0 o2 a\n");
    EXPECT_EQ(keys(s), (std::vector<int>{60, 61, 61, 72, 71, 62, 65, 45}));
}

TEST(Score, RepeatsSkipTheirTailOnTheLastPass) {
    const snd::Score s = parse("a: @p [c d | e]3 [[f]2 g]2\n");
    EXPECT_EQ(keys(s), (std::vector<int>{60, 62, 64, 60, 62, 64, 60, 62, 65, 65, 67, 65, 65, 67}));
    std::string out, error;
    EXPECT_FALSE(snd::expandRepeats("[c d", out, error));
    EXPECT_FALSE(snd::expandRepeats("c d]2", out, error));
    EXPECT_FALSE(snd::expandRepeats("[c d]", out, error));
}

TEST(Score, ChordsSoundTogetherAndKeepTheOctave) {
    const snd::Score s = parse("a: @p (c e > c)2 c (K c)4\n");
    const std::vector<snd::NoteEvent>& n = s.channels[0].notes;
    ASSERT_EQ(n.size(), 6u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(n[size_t(i)].tick, 0);
    EXPECT_EQ(n[2].key, 72);
    EXPECT_EQ(n[3].key, 60); // the octave change inside the chord does not stick
    EXPECT_EQ(n[3].tick, 96);
    EXPECT_EQ(n[4].drum, 'K');
    EXPECT_EQ(n[4].tick, n[5].tick);
}

TEST(Score, ChannelLinesJoinAndMustEndTogether) {
    const snd::Score s = parse("a: @p c4\nb: @p e2\na: d4\n");
    ASSERT_EQ(s.channels.size(), 2u);
    EXPECT_EQ(s.channels[0].notes.size(), 2u);
    snd::Score bad;
    std::string error;
    EXPECT_FALSE(snd::parseScore(std::string(kHead) + "a: @p c4\nb: @p e2\n", bad, error));
    EXPECT_NE(error.find("channel a"), std::string::npos) << error;
}

TEST(Score, MistakesAreRefused) {
    snd::Score s;
    std::string error;
    for (const char* body :
         {"a: c\n", "a: @q c\n", "a: @p c7\n", "a: @p v16 c\n", "a: @p o9 c\n", "a: @p Z\n",
          "a: @p (c e\n", "a: @p c $\n", "tempo 1000\na: @p c\n", "loop maybe\n", "\n"}) {
        EXPECT_FALSE(snd::parseScore(std::string(kHead) + body, s, error)) << body;
    }
}

TEST(Score, LoopingTrackCarriesItsLastNoteIntoItsStart) {
    // A rest, then a long-ringing note at the very end: looped, its release must sound at the
    // start of the track, where the next pass begins; played once, the start stays silent.
    const std::string body = "inst ring wave=sine a=0.001 d=1 s=1 r=0.5\na: @ring r2 c2\n";
    snd::Score once, looped;
    std::string error;
    ASSERT_TRUE(snd::parseScore(std::string(kHead) + "loop no\n" + body, once, error)) << error;
    ASSERT_TRUE(snd::parseScore(std::string(kHead) + "loop yes\n" + body, looped, error)) << error;
    const std::vector<float> a = snd::renderScore(once), b = snd::renderScore(looped);
    ASSERT_EQ(a.size(), size_t(2 * once.lengthSamples()));
    ASSERT_EQ(b.size(), a.size());
    auto energy = [](const std::vector<float>& s, size_t from, size_t to) {
        double e = 0.0;
        for (size_t i = from; i < to; ++i) e += double(s[i]) * s[i];
        return e;
    };
    const size_t early = size_t(2 * 0.1 * snd::kRate);
    EXPECT_EQ(energy(a, 0, early), 0.0);
    EXPECT_GT(energy(b, 0, early), 0.0);
    // And the join itself is smooth: the first sample follows on from the last.
    EXPECT_LT(std::fabs(b[0] - b[b.size() - 2]), 0.05f);
}
