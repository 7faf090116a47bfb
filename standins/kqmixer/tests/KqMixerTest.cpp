#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

extern "C" int KqMixerGetRecVolume(int line, char* mixer);
extern "C" int KqMixerSetRecVolume(int first, int second, unsigned volume, char* mixer);

namespace {

TEST(KqMixer, EachLineKeepsItsOwnVolume)
{
    // The pairs the callers use: (1, 0, v) sets line 0, (0, 1, v) sets line 1.
    ASSERT_EQ(KqMixerSetRecVolume(1, 0, 1000, nullptr), 0);
    ASSERT_EQ(KqMixerSetRecVolume(0, 1, 65535, nullptr), 0);
    EXPECT_EQ(KqMixerGetRecVolume(0, nullptr), 1000);
    EXPECT_EQ(KqMixerGetRecVolume(1, nullptr), 65535);

    ASSERT_EQ(KqMixerSetRecVolume(0, 1, 0, nullptr), 0);
    EXPECT_EQ(KqMixerGetRecVolume(1, nullptr), 0);
    EXPECT_EQ(KqMixerGetRecVolume(0, nullptr), 1000);
}

TEST(KqMixer, RejectsUnknownLinesAndVolumesOutOfRange)
{
    ASSERT_EQ(KqMixerSetRecVolume(1, 0, 500, nullptr), 0);
    struct Case { int first, second; unsigned volume; };
    for (Case c : {Case{1, 1, 10}, Case{0, 0, 10}, Case{2, 0, 10}, Case{1, 0, 65536}}) {
        EXPECT_LT(KqMixerSetRecVolume(c.first, c.second, c.volume, nullptr), 0)
            << c.first << "," << c.second << "," << c.volume;
    }
    EXPECT_EQ(KqMixerGetRecVolume(0, nullptr), 500); // unchanged by the failures
    EXPECT_LT(KqMixerGetRecVolume(2, nullptr), 0);
    EXPECT_LT(KqMixerGetRecVolume(-1, nullptr), 0);
}

TEST(KqMixer, TracesEveryCallWithItsArguments)
{
    const kq::standin::TraceFile trace(kq::standin::UniqueTempPath("kqmixer-trace", ".txt"));

    KqMixerSetRecVolume(0, 1, 30000, nullptr);
    KqMixerGetRecVolume(1, nullptr);

    EXPECT_EQ(trace.Read(),
        "KqMixer KqMixerSetRecVolume first=0 second=1 volume=30000 mixer=(default)\n"
        "KqMixer KqMixerGetRecVolume line=1 mixer=(default)\n");
}

} // namespace
