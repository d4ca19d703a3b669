// The 3D mouse through libspnav itself: without spacenavd the device stays
// unloaded (and is never polled: libspnav aborts when polled unconnected);
// against a socket of our own that speaks spacenavd's plain event format,
// motion and buttons arrive and a closed connection is noticed once.
#include "testkit/EnvGuard.h"

#include "platform/SpnavSource.h"
#include "testkit/Fake3DMouse.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using namespace qv;
using namespace qv::test;

namespace {

// A listening socket where libspnav looks first ($SPNAV_SOCKET). libspnav
// connects (the kernel queues the connection before we accept it), asks
// for a protocol version and, getting no answer, speaks the plain format:
// events of eight 32-bit integers.
struct TServiceSocket {
    TEnvGuard env;
    std::string path = TempPath("spnav.sock");
    int listener = -1, client = -1;

    TServiceSocket()
    {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        if (path.size() >= sizeof addr.sun_path) throw std::runtime_error("socket path too long");
        std::memcpy(addr.sun_path, path.c_str(), path.size());
        unlink(path.c_str());
        listener = socket(AF_UNIX, SOCK_STREAM, 0);
        if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            listen(listener, 1) != 0)
            throw std::runtime_error("cannot listen on " + path);
        env.Set("SPNAV_SOCKET", path);
    }
    ~TServiceSocket()
    {
        if (client >= 0) close(client);
        if (listener >= 0) close(listener);
        unlink(path.c_str());
    }
    // After the device connected: takes the connection and its request.
    void Accept()
    {
        client = accept(listener, nullptr, nullptr);
        ASSERT_GE(client, 0);
        char request[4];
        ASSERT_EQ(recv(client, request, sizeof request, MSG_WAITALL), 4);
    }
    void Send(const std::vector<std::vector<int>>& events)
    {
        std::vector<int> words;
        for (const auto& e : events) {
            std::vector<int> w(8, 0);
            std::copy(e.begin(), e.end(), w.begin());
            words.insert(words.end(), w.begin(), w.end());
        }
        const size_t bytes = words.size() * sizeof(int);
        ASSERT_EQ(send(client, words.data(), bytes, 0), ssize_t(bytes));
    }
    void Close()
    {
        close(client);
        client = -1;
    }
};

} // namespace

TEST(SpnavSource, WithoutTheServiceTheDeviceStaysUnloaded)
{
    if (SpacenavdReachable()) GTEST_SKIP() << "a spacenavd runs on this machine; the case without one cannot be made";
    TEnvGuard env;
    env.Set("SPNAV_SOCKET", TempPath("no-such.sock"));
    T3DConnexionDevice dev(NewSpnavSource());
    EXPECT_FALSE(dev.FLoaded);
    EXPECT_EQ(dev.FLastResult, -1);
    EXPECT_EQ(dev.FRevisionNumber, "");
    int calls = 0;
    dev.FOnRotation = [&](double, double, double, double) { ++calls; };
    dev.Poll(); // must not reach libspnav
    EXPECT_EQ(calls, 0);

    // The source itself refuses to read without a connection.
    auto source = NewSpnavSource();
    std::vector<T3DMouseEvent> events;
    EXPECT_FALSE(source->Drain(events, 10));
    EXPECT_TRUE(events.empty());
}

TEST(SpnavSource, EventsArriveAndAClosedConnectionIsNoticedOnce)
{
    TServiceSocket service;
    T3DConnexionDevice dev(NewSpnavSource());
    ASSERT_TRUE(dev.FLoaded);
    EXPECT_EQ(dev.FLastResult, 0);
    service.Accept();

    std::vector<TRotation3D> rotations;
    std::vector<TTranslation3D> translations;
    std::vector<std::pair<int, bool>> keys;
    int lost = 0;
    dev.FOnRotation = [&](double X, double Y, double Z, double A) { rotations.push_back({X, Y, Z, A}); };
    dev.FOnTranslation = [&](double X, double Y, double Z, double L) { translations.push_back({X, Y, Z, L}); };
    dev.FOnKeyChange = [&](int k, bool p) { keys.emplace_back(k, p); };
    dev.FOnConnectionLost = [&] { ++lost; };

    dev.Poll(); // nothing yet: at rest, still connected
    ASSERT_EQ(rotations.size(), 1u);
    EXPECT_EQ(rotations[0].Angle, 0);
    EXPECT_TRUE(dev.FLoaded);

    // Motion (type 0: x y z rx ry rz period), press and release (1, 2: button).
    service.Send({{0, 10, 20, 30, 0, 40, 0, 16}, {1, 3}, {2, 3}});
    dev.Poll();
    ASSERT_EQ(rotations.size(), 2u);
    const TRotation3D want = RotationOfMotion({10, 20, 30, 0, 40, 0});
    EXPECT_DOUBLE_EQ(rotations[1].Y, want.Y);
    EXPECT_DOUBLE_EQ(rotations[1].Angle, want.Angle);
    const TTranslation3D moved = TranslationOfMotion({10, 20, 30, 0, 40, 0});
    EXPECT_DOUBLE_EQ(translations[1].Z, moved.Z);
    EXPECT_DOUBLE_EQ(translations[1].Length, moved.Length);
    EXPECT_EQ(keys, (std::vector<std::pair<int, bool>>{{3, true}, {3, false}}));
    EXPECT_EQ(dev.GetSensorPeriod(), 16);
    EXPECT_TRUE(dev.FLoaded);

    service.Close();
    dev.Poll();
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(dev.FLoaded);
    dev.Poll();
    dev.Poll();
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(rotations.size(), 3u);
}
