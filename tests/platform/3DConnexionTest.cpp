// The 3D mouse device over a fake service: connecting, the key states (one
// change per press and per release, however the reports fall between
// polls), rotation and translation on every poll with the scale and axes
// the view's handlers expect, and a lost connection.
#include "platform/pk3DConnexion.h"
#include "testkit/Fake3DMouse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

using namespace qv;
using namespace qv::test;

namespace {

// Everything the device reports, in order.
struct TRecorder {
    std::vector<std::string> Keys;
    std::vector<TRotation3D> Rotations;
    std::vector<TTranslation3D> Translations;
    int Lost = 0;

    void Attach(T3DConnexionDevice& d)
    {
        d.FOnRotation = [this](double X, double Y, double Z, double A) { Rotations.push_back({X, Y, Z, A}); };
        d.FOnTranslation = [this](double X, double Y, double Z, double L) { Translations.push_back({X, Y, Z, L}); };
        d.FOnKeyChange = [this](int k, bool p) { Keys.push_back("change " + std::to_string(k) + (p ? " down" : " up")); };
        d.FOnKeyDown = [this](int k) { Keys.push_back("down " + std::to_string(k)); };
        d.FOnKeyUp = [this](int k) { Keys.push_back("up " + std::to_string(k)); };
        d.FOnConnectionLost = [this] { ++Lost; };
    }
};

struct TDevice : testing::Test {
    std::shared_ptr<TFake3DMouseState> state = std::make_shared<TFake3DMouseState>();
    std::unique_ptr<T3DConnexionDevice> dev;
    TRecorder rec;

    void Create()
    {
        dev = NewFakeDevice(state);
        rec.Attach(*dev);
    }
};

} // namespace

TEST_F(TDevice, WithoutServiceStaysUnloadedAndIsNeverPolled)
{
    state->Available = false;
    Create();
    EXPECT_FALSE(dev->FLoaded);
    EXPECT_LT(dev->FLastResult, 0);
    EXPECT_EQ(dev->FRevisionNumber, "");
    EXPECT_TRUE(dev->FKeyStates.empty());
    EXPECT_EQ(dev->GetSensorPeriod(), 0);
    state->Button(0, true);
    dev->Poll();
    EXPECT_EQ(state->Drains, 0);
    EXPECT_TRUE(rec.Rotations.empty() && rec.Translations.empty() && rec.Keys.empty());
    dev.reset();
    EXPECT_EQ(state->Disconnects, 0);
}

TEST_F(TDevice, ConnectsWithTheServicesButtonCountWithinBounds)
{
    struct Row { int buttons; size_t keys; };
    for (const Row r : {Row{2, 2}, Row{0, 0}, Row{-1, 0}, Row{31, 31}, Row{1000, size_t(k3DMouseMaxButtons)}}) {
        state->Buttons = r.buttons;
        Create();
        EXPECT_TRUE(dev->FLoaded) << r.buttons;
        EXPECT_EQ(dev->FLastResult, 0);
        EXPECT_EQ(dev->FRevisionNumber, "1");
        EXPECT_EQ(dev->FKeyStates, std::vector<bool>(r.keys, false)) << r.buttons;
    }
    dev.reset();
    EXPECT_EQ(state->Disconnects, state->Connects);
}

TEST_F(TDevice, AButtonHeldAcrossPollsChangesOnceEachWay)
{
    Create();
    state->Button(1, true);
    dev->Poll();
    for (int i = 0; i < 20; ++i) {
        if (i == 5) state->Button(1, true); // a repeated report of the held button
        dev->Poll();
    }
    EXPECT_EQ(rec.Keys, (std::vector<std::string>{"change 1 down", "down 1"}));
    EXPECT_TRUE(dev->FKeyStates[1]);
    state->Button(1, false);
    dev->Poll();
    dev->Poll();
    EXPECT_EQ(rec.Keys, (std::vector<std::string>{"change 1 down", "down 1", "change 1 up", "up 1"}));
    EXPECT_FALSE(dev->FKeyStates[1]);
    EXPECT_EQ(rec.Rotations.size(), 23u); // the puck's values on every poll meanwhile
}

TEST_F(TDevice, ChangesWithinOnePollAllReportInOrder)
{
    Create();
    state->Button(0, true);
    state->Button(1, true);
    state->Button(0, false);
    state->Button(0, true);
    state->Button(1, false);
    state->Button(0, false);
    state->Button(1, false); // a release of a button already up changes nothing
    dev->Poll();
    EXPECT_EQ(rec.Keys, (std::vector<std::string>{"change 0 down", "down 0", "change 1 down", "down 1",
                                                   "change 0 up", "up 0", "change 0 down", "down 0",
                                                   "change 1 up", "up 1", "change 0 up", "up 0"}));
    EXPECT_EQ(dev->FKeyStates, std::vector<bool>(2, false));
}

TEST_F(TDevice, KeyStatesGrowForHigherButtonsUpToTheBound)
{
    state->Buttons = 0; // a service that cannot tell
    Create();
    state->Button(5, true);
    state->Button(k3DMouseMaxButtons - 1, true);
    state->Button(k3DMouseMaxButtons, true); // beyond the bound: ignored
    state->Button(-1, true);
    dev->Poll();
    EXPECT_EQ(rec.Keys, (std::vector<std::string>{"change 5 down", "down 5", "change 63 down", "down 63"}));
    ASSERT_EQ(dev->FKeyStates.size(), size_t(k3DMouseMaxButtons));
    EXPECT_TRUE(dev->FKeyStates[5]);
    EXPECT_FALSE(dev->FKeyStates[4]);
}

TEST_F(TDevice, AFailingKeyHandlerDoesNotStopTheOtherButtons)
{
    Create();
    dev->FOnKeyChange = [this](int k, bool p) {
        rec.Keys.push_back("change " + std::to_string(k) + (p ? " down" : " up"));
        if (k == 0) throw std::runtime_error("handler failed");
    };
    state->Button(0, true);
    state->Button(1, true);
    dev->Poll();
    // Button 0's KeyDown never ran, its state is still taken; button 1 went on.
    EXPECT_EQ(rec.Keys, (std::vector<std::string>{"change 0 down", "change 1 down", "down 1"}));
    EXPECT_EQ(dev->FKeyStates, std::vector<bool>(2, true));
    EXPECT_TRUE(dev->FLoaded);
}

TEST_F(TDevice, MotionReportsEveryPollTheLatestDeflectionAndZerosAtRest)
{
    Create();
    dev->Poll(); // at rest
    state->Motion(100, 0, 0, 0, 0, 0);
    state->Motion(0, 50, 0, 0, 0, 200, 12); // the latest of one interval counts
    dev->Poll();
    dev->Poll(); // no report in between: the puck is still held so
    state->Motion(0, 0, 0, 0, 0, 0);    // let go
    dev->Poll();
    ASSERT_EQ(rec.Rotations.size(), 4u);
    ASSERT_EQ(rec.Translations.size(), 4u);
    const double held[4] = {0, 1, 1, 0};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(rec.Rotations[i].Angle, held[i] * 200 * k3DMouseRotationScale) << i;
        EXPECT_DOUBLE_EQ(rec.Rotations[i].Z, held[i]) << i;
        EXPECT_DOUBLE_EQ(rec.Translations[i].X, 0) << i;
        EXPECT_DOUBLE_EQ(rec.Translations[i].Y, held[i] * 50 * k3DMouseTranslationScale) << i;
        EXPECT_DOUBLE_EQ(rec.Translations[i].Length, held[i] * 50 * k3DMouseTranslationScale) << i;
    }
    EXPECT_EQ(rec.Rotations[0].X, 0); // the axis at rest is zeros, not a division by zero
    EXPECT_FALSE(std::isnan(rec.Rotations[3].X));
    EXPECT_EQ(dev->GetSensorPeriod(), 8); // the zero report's period
}

TEST_F(TDevice, AxesAndScaleOfTheHandlersFrame)
{
    // spacenavd: x right, y up, z away from the user (left-handed). The
    // handlers: x right, y up, z towards the user (right-handed).
    const double r = k3DMouseRotationScale, t = k3DMouseTranslationScale;
    struct Row { const char* what; T3DMouseMotion m; TRotation3D rot; TTranslation3D tr; };
    const Row rows[] = {
        {"push right", {300, 0, 0, 0, 0, 0}, {}, {300 * t, 0, 0, 300 * t}},
        {"lift", {0, 120, 0, 0, 0, 0}, {}, {0, 120 * t, 0, 120 * t}},
        {"push away", {0, 0, 200, 0, 0, 0}, {}, {0, 0, -200 * t, 200 * t}},
        {"pull towards the user, right", {30, 0, -40, 0, 0, 0}, {}, {30 * t, 0, 40 * t, 50 * t}},
        {"tilt about x", {0, 0, 0, 100, 0, 0}, {-1, 0, 0, 100 * r}, {}},
        {"twist about y", {0, 0, 0, 0, -80, 0}, {0, 1, 0, 80 * r}, {}},
        {"roll about z", {0, 0, 0, 0, 0, 60}, {0, 0, 1, 60 * r}, {}},
        {"tilt and twist", {0, 0, 0, 30, 40, 0}, {-0.6, -0.8, 0, 50 * r}, {}},
    };
    for (const Row& row : rows) {
        const TRotation3D rot = RotationOfMotion(row.m);
        const TTranslation3D tr = TranslationOfMotion(row.m);
        EXPECT_NEAR(rot.X, row.rot.X, 1e-12) << row.what;
        EXPECT_NEAR(rot.Y, row.rot.Y, 1e-12) << row.what;
        EXPECT_NEAR(rot.Z, row.rot.Z, 1e-12) << row.what;
        EXPECT_NEAR(rot.Angle, row.rot.Angle, 1e-9) << row.what;
        EXPECT_NEAR(tr.X, row.tr.X, 1e-9) << row.what;
        EXPECT_NEAR(tr.Y, row.tr.Y, 1e-9) << row.what;
        EXPECT_NEAR(tr.Z, row.tr.Z, 1e-9) << row.what;
        EXPECT_NEAR(tr.Length, row.tr.Length, 1e-9) << row.what;
    }
    // The magnitudes the handlers are made for: full deflection (350
    // counts) turns by Angle / 200 degrees a poll and moves by X x Length /
    // 50 000 000 scene units a poll.
    const TRotation3D full = RotationOfMotion({0, 0, 0, 0, 350, 0});
    EXPECT_GT(full.Angle / 200, 1.0);
    EXPECT_LT(full.Angle / 200, 3.0);
    const TTranslation3D push = TranslationOfMotion({350, 0, 0, 0, 0, 0});
    EXPECT_GT(push.X * push.Length / 5e7, 0.01);
    EXPECT_LT(push.X * push.Length / 5e7, 0.05);
}

TEST_F(TDevice, ALostConnectionIsReportedOnceAndPollingStops)
{
    Create();
    state->Motion(10, 0, 0, 0, 0, 0);
    state->Button(0, true);
    state->Lost = true;
    dev->Poll();
    // What came before the loss still counts.
    EXPECT_EQ(rec.Keys, (std::vector<std::string>{"change 0 down", "down 0"}));
    EXPECT_EQ(rec.Translations.size(), 1u);
    EXPECT_EQ(rec.Lost, 1);
    EXPECT_FALSE(dev->FLoaded);
    EXPECT_EQ(state->Disconnects, 1);
    for (int i = 0; i < 10; ++i) dev->Poll();
    EXPECT_EQ(rec.Lost, 1);
    EXPECT_EQ(state->Drains, 1);
    EXPECT_EQ(rec.Translations.size(), 1u);
    dev.reset();
    EXPECT_EQ(state->Disconnects, 1);
}

TEST_F(TDevice, AFloodIsReadOverSeveralPollsWithNothingLost)
{
    Create();
    const int presses = int(k3DMouseMaxEventsPerPoll); // twice as many events
    for (int i = 0; i < presses; ++i) {
        state->Button(0, true);
        state->Button(0, false);
    }
    dev->Poll();
    EXPECT_EQ(state->Pending.size(), k3DMouseMaxEventsPerPoll);
    dev->Poll();
    EXPECT_TRUE(state->Pending.empty());
    EXPECT_EQ(rec.Keys.size(), size_t(presses) * 4);
}
