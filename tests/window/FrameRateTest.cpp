// The frame-rate title: timer messages turn the counted frames into the window's title.
#include "WindowFixture.h"

#include <cstdint>
#include <limits>
#include <string>

namespace {

using windowtest::GlWindowTest;
using windowtest::PostAndPump;
using windowtest::WindowTitle;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// The title a rate should produce.
std::string TitleWith(const std::string& rate) {
    return std::string(windowtest::kTitle) + " - FPS [" + rate + "]";
}

class FrameRateTest : public GlWindowTest {
  protected:
    // One timer tick of the frame-rate timer, through the queue and the pump.
    void Tick() { PostAndPump(WM_TIMER, FPS_TIMER, 0); }
};

TEST_F(FrameRateTest, TimerShowsTheRateInTheTitleAndStartsANewInterval) {
    ViewFPS = true;
    FPSCount = 300; // frames in the default 5 s interval
    Tick();
    EXPECT_EQ(WindowTitle(HWindow), TitleWith("60"));
    EXPECT_EQ(FPSCountStr, "60");
    EXPECT_EQ(FPSCount, 0);
    FPSCount = 150;
    Tick();
    EXPECT_EQ(WindowTitle(HWindow), TitleWith("30"));
}

TEST_F(FrameRateTest, ARealTimerDrivesTheTitleThroughThePump) {
    // The interval the formula assumes is the timer's period, whatever the clock did.
    constexpr std::int32_t kPeriod = 10;
    constexpr long kPumpLimit = 50000000; // a safety net only: the timer fires long before
    ViewFPS = true;
    AddIntervalFPS = kPeriod;
    ASSERT_NE(SetTimer(HWindow, FPS_TIMER, kPeriod, nullptr), 0u);
    FPSCount = 7;
    for (long i = 0; i < kPumpLimit && FPSCount != 0; ++i)
        SetGLMsg();
    EXPECT_EQ(WindowTitle(HWindow), TitleWith("700")); // 1 x 1000 x 7 / 10
    KillTimer(HWindow, FPS_TIMER);
}

TEST_F(FrameRateTest, RatesAreRoundedHalfToEvenAndNeverShownAsZero) {
    struct Case {
        std::int32_t Force, Count, Interval;
        const char* Shown;
    };
    const Case cases[] = {
        {1, 10, 4000, "2"},    // 2.5 rounds down to even
        {1, 14, 4000, "4"},    // 3.5 rounds up to even
        {1, 11, 4000, "3"},    // 2.75
        {1, 0, 5000, "1"},     // no frames: shown as 1
        {1, 1, 3000, "1"},     // 0.33 rounds to 0: shown as 1
        {3, 100, 1000, "300"}, // the force factor scales the rate
        {1, -50, 1000, "1"},   // a negative count never reaches the title
    };
    ViewFPS = true;
    for (const Case& c : cases) {
        ForceFPS = c.Force;
        FPSCount = c.Count;
        AddIntervalFPS = c.Interval;
        Tick();
        EXPECT_EQ(WindowTitle(HWindow), TitleWith(c.Shown))
            << c.Force << " x " << c.Count << " / " << c.Interval;
        EXPECT_EQ(FPSCountStr, c.Shown);
    }
}

TEST_F(FrameRateTest, ProductsBeyond32BitsSaturateInsteadOfWrapping) {
    struct Case {
        std::int32_t Force, Count, Interval;
        const char* Shown;
    };
    const Case cases[] = {
        // 1000 x 1000 x 1000000 does not fit 32 bits, its quotient does.
        {1000, 1000000, 5000, "200000000"},
        {kMax, kMax, 1, "2147483647"},
        {kMax, kMin, 1, "1"},    // saturates low, then shown as 1
        {1, 5, 0, "2147483647"}, // a zero interval saturates
        {1, 0, 0, "1"},          // 0 / 0 gives no rate: shown as 1
    };
    ViewFPS = true;
    for (const Case& c : cases) {
        ForceFPS = c.Force;
        FPSCount = c.Count;
        AddIntervalFPS = c.Interval;
        Tick();
        EXPECT_EQ(WindowTitle(HWindow), TitleWith(c.Shown))
            << c.Force << " x " << c.Count << " / " << c.Interval;
    }
    EXPECT_TRUE(Active);
}

TEST_F(FrameRateTest, ForceFactorIsSteeredTowardTheTarget) {
    struct Case {
        std::int32_t Target, Count, ForceAfter;
    };
    const Case cases[] = {
        {100, 300, 2}, // 60 below 100: up
        {50, 300, 0},  // 60 above 50: down
        {60, 300, 1},  // on target: unchanged
        {1, 0, 1},     // steering is off at 1 and below
    };
    ViewFPS = true;
    for (const Case& c : cases) {
        ForceFPS = 1;
        AddForceFPS = c.Target;
        FPSCount = c.Count;
        Tick();
        EXPECT_EQ(ForceFPS, c.ForceAfter) << "target " << c.Target;
    }
}

TEST_F(FrameRateTest, TitleStaysWhenTheRateIsOffOrTheTimerIsAnother) {
    FPSCount = 300;
    Tick(); // ViewFPS false, the default
    EXPECT_EQ(WindowTitle(HWindow), windowtest::kTitle);
    EXPECT_EQ(FPSCount, 300);
    ViewFPS = true;
    PostAndPump(WM_TIMER, FPS_TIMER + 1, 0);
    EXPECT_EQ(WindowTitle(HWindow), windowtest::kTitle);
    EXPECT_EQ(FPSCount, 300);
}

} // namespace
