#include "update/ProxySettings.h"
#include "update/Transfer.h"
#include "update/UpdateCheck.h"

#include "platform/IniFiles.h"
#include "platform/SettingsFolders.h"
#include "testkit/LocalServers.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <regex>
#include <stdexcept>

using namespace qv;
using namespace qv::test;
namespace fs = std::filesystem;

namespace {

// Every test starts from the program's limits and no idle handler, and
// leaves them so.
class UpdateTest : public ::testing::Test {
protected:
    void SetUp() override { SetTransferLimits(TTransferLimits{}); }
    void TearDown() override
    {
        SetTransferLimits(TTransferLimits{});
        SetTransferIdleHandler(nullptr);
    }
};

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) names.push_back(e.path().filename().string());
    return names;
}

void WriteUpgradeSettings(const std::string& text)
{
    fs::create_directories(fs::path(UpgradeSettingsFileName()).parent_path());
    WriteBytes(UpgradeSettingsFileName(), text);
}

// ----------------------------------------------------------------- names

TEST_F(UpdateTest, ServerAndFileNames)
{
    struct {
        std::optional<std::string> env;
        std::string server;
    } const servers[] = {
        {std::nullopt, "https://update.quorvane.example"},
        {"", "https://update.quorvane.example"},
        {"https://127.0.0.1:8443/", "https://127.0.0.1:8443"},
        {"http://localhost:1//", "http://localhost:1"},
    };
    TUpdateTestEnvironment env("unused");
    for (const auto& s : servers) {
        env.Env().Set("QV_UPDATE_SERVER", s.env);
        EXPECT_EQ(DownloadServer(), s.server);
    }
    env.Env().Set("QV_UPDATE_SERVER", "https://127.0.0.1:8443/");
    EXPECT_EQ(VersionFileUrl(), "https://127.0.0.1:8443/Version/QuorvaneViewer/QuorvaneViewerVersion.txt");
    EXPECT_EQ(SetupDownloadUrl("1A2B - 3C4D"),
              "https://127.0.0.1:8443/Version/QuorvaneViewer/setup.exe?hdd=1A2B_-_3C4D&ver=2022-45");

    const std::string ini = env.Folder() + "config/VELK/QuorvaneViewer/Ini/" + ExecutableBaseName();
    EXPECT_EQ(VersionFileName(), ini + "_Version.txt");
    EXPECT_EQ(UpgradeSettingsFileName(), ini + "_Upgrade.ini");
    const std::string downloads = env.Folder() + "config/VELK/QuorvaneViewer/Downloads/";
    EXPECT_EQ(SetupFileName("2022 build 46"), downloads + "Setup QuorvaneViewer 2022 build 46.exe");
    // Whatever the version text holds, the name stays in the downloads folder.
    EXPECT_EQ(SetupFileName("../../x/y\\z"), downloads + "Setup QuorvaneViewer .._.._x_y_z.exe");
}

TEST_F(UpdateTest, VersionTextsFromTheNetworkAreMadeSafe)
{
    struct {
        std::string text, expected;
    } const cases[] = {
        {"2022", "2022"},
        {"46", "46"},
        {"2022 build 46-rc.1", "2022 build 46-rc.1"},
        {std::string(32, '9'), std::string(32, '9')},
        {std::string(33, '9'), "??"},
        {"", "??"},
        {"../../x", "??"},
        {"2022/46", "??"},
        {"46\r\n", "??"},
        {"4\x01" "6", "??"},
        {"46;rm", "??"},
        {"4\xC3\xA9" "6", "??"}, // a letter outside ASCII
    };
    for (const auto& c : cases) EXPECT_EQ(SafeVersionText(c.text, "??"), c.expected) << c.text;
    EXPECT_EQ(SafeVersionText("..\\x", "????"), "????");
}

// ---------------------------------------------------------- the version check

TEST_F(UpdateTest, ComparesYearAndBuildWithTheServersVersion)
{
    struct {
        const char* name;
        std::string year, build, file;
        bool newer;
        std::string version, buildText;
    } const cases[] = {
        {"next build", "2022", "45", VersionFileText("2022", "46"), true, "2022", "46"},
        {"same build", "2022", "45", VersionFileText("2022", "45"), false, "2022", "45"},
        {"older year", "2022", "45", VersionFileText("2021", "999"), false, "2021", "999"},
        {"next year", "2022", "45", VersionFileText("2023", "1"), true, "2023", "1"},
        {"local build with letters", "2022", "45a", VersionFileText("2022", "45"), false, "2022", "45"},
        {"letters dropped, not the number", "2022", "4x6", VersionFileText("2022", "45"), false, "2022", "45"},
        {"local letters, newer", "2022", "45a", VersionFileText("2022", "46"), true, "2022", "46"},
        {"server version not a number", "2022", "45", VersionFileText("next", "46"), false, "next", "46"},
        {"server build not a number", "2022", "45", VersionFileText("2022", "46b"), false, "2022", "46b"},
        {"hostile texts", "2022", "45", VersionFileText("../../x", "2022/46"), false, "????", "??"},
        {"overlong build", "2022", "45", VersionFileText("2023", std::string(33, '1')), true, "2023", "??"},
        {"keys missing", "2022", "45", "[Other]\nVersion=2023\n", false, "????", "??"},
        {"not an ini file at all", "2022", "45", "<html>moved</html>", false, "????", "??"},
    };
    std::vector<TServedRoute> routes;
    for (size_t i = 0; i < std::size(cases); ++i) {
        TServedRoute r;
        r.Path = "/v" + std::to_string(i);
        r.Body = cases[i].file;
        routes.push_back(r);
    }
    TLocalUpdateServer server(routes);
    TUpdateTestEnvironment env(server);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.name);
        std::string version = "x", build = "y";
        EXPECT_EQ(CheckForNewerVersion(server.Url("/v" + std::to_string(i)), c.year, c.build, version, build), c.newer);
        EXPECT_EQ(version, c.version);
        EXPECT_EQ(build, c.buildText);
        EXPECT_EQ(ReadBytes(VersionFileName()), c.file);
    }
}

TEST_F(UpdateTest, LastCheckedIsKeptOnFailureAndSetOnSuccess)
{
    TServedRoute missing;
    missing.Path = "/missing";
    missing.Status = 404;
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "46")), missing});
    TUpdateTestEnvironment env(server);
    WriteUpgradeSettings("[Upgrade]\nAutomatically=1\nLastChecked=1234,5\n");
    WriteBytes(VersionFileName(), VersionFileText("2030", "1")); // an old answer is never read

    std::string version, build;
    EXPECT_FALSE(CheckForNewerVersion(server.Url("/missing"), "2022", "45", version, build));
    EXPECT_EQ(version, "????");
    EXPECT_EQ(build, "??");
    EXPECT_FALSE(fs::exists(VersionFileName()));
    EXPECT_EQ(LoadUpgradeSettings().LastChecked, 1234.5);

    const double before = NowAsDateTime();
    EXPECT_TRUE(CheckForNewerVersion(VersionFileUrl(), "2022", "45", version, build));
    const double after = NowAsDateTime();
    const TUpgradeSettings s = LoadUpgradeSettings();
    EXPECT_GE(s.LastChecked, before - 1e-6); // written with 15 digits
    EXPECT_LE(s.LastChecked, after + 1e-6);
    EXPECT_TRUE(s.Automatically);
    // Written with a decimal point, whatever the user's locale.
    const std::string text = ReadBytes(UpgradeSettingsFileName());
    EXPECT_TRUE(std::regex_search(text, std::regex("LastChecked=[0-9]+(\\.[0-9]+)?\r?\n"))) << text;
}

TEST_F(UpdateTest, UpgradeSettingsDefaultsAndAutomatically)
{
    TUpdateTestEnvironment env("http://127.0.0.1:9");
    TUpgradeSettings s = LoadUpgradeSettings();
    EXPECT_TRUE(s.Automatically);
    EXPECT_EQ(s.LastChecked, 0);

    WriteUpgradeSettings("[Upgrade]\nLastChecked=46000.25\n");
    SaveAutomatically(false);
    s = LoadUpgradeSettings();
    EXPECT_FALSE(s.Automatically);
    EXPECT_EQ(s.LastChecked, 46000.25);
    SaveAutomatically(true);
    EXPECT_TRUE(LoadUpgradeSettings().Automatically);
}

TEST_F(UpdateTest, AutomaticCheckAfterSixWholeDays)
{
    const double now = 46000.5;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct {
        const char* name;
        TUpgradeSettings settings;
        bool due;
    } const cases[] = {
        {"never checked", {true, 0}, true},
        {"five days 23 hours", {true, now - 5 - 23.0 / 24}, false},
        {"six days", {true, now - 6}, true},
        {"a month", {true, now - 30}, true},
        {"just now", {true, now}, false},
        {"six days but switched off", {false, now - 6}, false},
        {"never checked, switched off", {false, 0}, false},
        {"far in the future (clock set back)", {true, now + 400}, true},
        {"not a number", {true, nan}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(AutomaticCheckDue(c.settings, now), c.due) << c.name;
}

TEST_F(UpdateTest, UpgradeAvailableAsksTheServerOnlyWhenDue)
{
    struct {
        const char* name;
        bool automatically;
        double daysAgo;
        bool expected;
        size_t requests;
    } const cases[] = {
        {"switched off", false, 100, false, 0},
        {"checked five days 23 hours ago", true, 5 + 23.0 / 24, false, 0},
        {"checked six days ago", true, 6 + 1.0 / 24, true, 1},
    };
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "46"))});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TUpdateTestEnvironment env(server);
        const size_t before = server.Requests().size();
        WriteUpgradeSettings("[Upgrade]\nAutomatically=" + std::string(c.automatically ? "1" : "0") +
                             "\nLastChecked=" + std::to_string(NowAsDateTime() - c.daysAgo) + "\n");
        EXPECT_EQ(UpgradeAvailable(), c.expected);
        EXPECT_EQ(server.Requests().size() - before, c.requests);
    }
}

// ------------------------------------------------------------- the requests

TEST_F(UpdateTest, VersionRequestNamesTheProgramSetupDownloadDoesNot)
{
    TServedRoute setup;
    setup.Path = SetupPath();
    setup.Size = 100;
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "46")), setup});
    TUpdateTestEnvironment env(server);
    const std::string folder = NewTempFolder("files");

    ASSERT_TRUE(FetchToFile(VersionFileUrl(), folder + "v.txt"));
    EXPECT_EQ(ReadBytes(folder + "v.txt"), VersionFileText("2022", "46"));
    ASSERT_TRUE(DownloadToFile(SetupDownloadUrl("1A2B - 3C4D"), folder + "setup.exe", {}));
    EXPECT_EQ(ReadBytes(folder + "setup.exe"), PatternBytes(100));

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    const TSeenRequest& check = requests[0];
    EXPECT_EQ(check.Method, "GET");
    EXPECT_EQ(check.Target, "/Version/QuorvaneViewer/QuorvaneViewerVersion.txt");
    EXPECT_EQ(check.Header("User-Agent"), "QuorvaneViewer 2022 45");
    EXPECT_EQ(check.Header("X-VELK-VERSION"), "2022.45");
    EXPECT_EQ(check.Header("X-VELK-PROGRAM"), "QuorvaneViewer");
    std::vector<std::string> velk;
    for (const auto& h : check.Headers)
        if (h.first.rfind("X-VELK-", 0) == 0) velk.push_back(h.first);
    EXPECT_EQ(velk, (std::vector<std::string>{"X-VELK-VERSION", "X-VELK-PROGRAM"}));

    const TSeenRequest& download = requests[1];
    EXPECT_EQ(download.Target, "/Version/QuorvaneViewer/setup.exe?hdd=1A2B_-_3C4D&ver=2022-45");
    EXPECT_FALSE(download.HasHeader("User-Agent"));
    EXPECT_FALSE(download.HasHeader("X-VELK-VERSION"));
    EXPECT_FALSE(download.HasHeader("X-VELK-PROGRAM"));
}

TEST_F(UpdateTest, RedirectsAreFollowedOverHttpOnly)
{
    std::vector<TServedRoute> routes;
    auto redirect = [&](std::string from, std::string to) {
        TServedRoute r;
        r.Path = std::move(from);
        r.Status = 302;
        r.Location = std::move(to);
        routes.push_back(r);
    };
    redirect("/moved", "/Version/QuorvaneViewer/QuorvaneViewerVersion.txt");
    redirect("/twice", "/moved");
    // "/loop0" is 11 redirects away from the answer, "/loop1" 10.
    for (int i = 0; i < 11; ++i) redirect("/loop" + std::to_string(i), i < 10 ? "/loop" + std::to_string(i + 1) : VersionPath());
    routes.push_back(VersionRoute("the answer"));
    const std::string secret = NewTempFolder("secret") + "secret.txt";
    WriteBytes(secret, "not for the network");
    redirect("/to-file", "file://" + secret);
    TLocalUpdateServer server(routes);
    TUpdateTestEnvironment env(server);
    const std::string folder = NewTempFolder("files");

    struct {
        std::string path;
        bool ok;
        std::string error;
    } const cases[] = {
        {"/moved", true, ""},
        {"/twice", true, ""},
        {"/loop1", true, ""},
        {"/loop0", false, "redirects"},
        {"/to-file", false, "rotocol"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string target = folder + "answer.txt";
        std::remove(target.c_str());
        EXPECT_EQ(FetchToFile(server.Url(c.path), target), c.ok) << LastTransferError();
        if (c.ok) EXPECT_EQ(ReadBytes(target), "the answer");
        else EXPECT_NE(LastTransferError().find(c.error), std::string::npos) << LastTransferError();
        EXPECT_EQ(FolderEntries(folder).size(), c.ok ? 1u : 0u);
    }
}

// ------------------------------------------------------------- failures

TEST_F(UpdateTest, FailedTransfersLeaveNoFile)
{
    // The stall time-out is short only where the server stalls: a loaded
    // machine may keep a server that answers waiting that long.
    TTransferLimits limits;
    limits.ConnectTimeoutMs = 300;
    limits.VersionFileMaxBytes = 1000;
    limits.SetupFileMaxBytes = 5000;
    TTransferLimits stallLimits = limits;
    stallLimits.StallTimeoutMs = 500;

    auto route = [](std::string path, auto&& change) {
        TServedRoute r;
        r.Path = std::move(path);
        r.Body = "partial answer";
        change(r);
        return r;
    };
    TLocalUpdateServer server(
        {route("/404", [](TServedRoute& r) { r.Status = 404; }),
         route("/500", [](TServedRoute& r) { r.Status = 500; }),
         route("/silent", [](TServedRoute& r) { r.StallBeforeHeaders = true; }),
         route("/stops", [](TServedRoute& r) { r.Size = 900; r.StallAfter = 100; }),
         route("/big", [](TServedRoute& r) { r.Size = 1001; }),
         route("/exact", [](TServedRoute& r) { r.Size = 1000; r.ContentLength = false; }),
         route("/big-unannounced", [](TServedRoute& r) { r.Size = 1001; r.ContentLength = false; r.Chunk = 100; }),
         route("/big-setup", [](TServedRoute& r) { r.Size = 5001; r.ContentLength = false; r.Chunk = 1000; })},
        {.Tls = false, .Blackhole = true});
    TUpdateTestEnvironment env(server);
    const TClosedPort closed;

    struct {
        std::string url;
        bool setup; // DownloadToFile instead of FetchToFile
        std::string error;
        bool stalls = false;
    } const cases[] = {
        {server.Url("/404"), false, "HTTP status 404"},
        {server.Url("/500"), true, "HTTP status 500"},
        {closed.Url() + "/x", false, "onnect"},
        {server.BlackholeUrl() + "/x", true, "imeout"},
        {server.Url("/silent"), false, "no data received for 0.5 seconds", true},
        {server.Url("/stops"), true, "no data received for 0.5 seconds", true},
        {server.Url("/big"), false, "larger than 1000 bytes"},
        {server.Url("/big-unannounced"), false, "larger than 1000 bytes"},
        {server.Url("/big-setup"), true, "larger than 5000 bytes"},
        {"ftp://127.0.0.1:" + std::to_string(closed.Port()) + "/x", false, "rotocol"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        SetTransferLimits(c.stalls ? stallLimits : limits);
        const std::string folder = NewTempFolder("fail");
        const std::string target = folder + "answer.bin";
        const bool ok = c.setup ? DownloadToFile(c.url, target, {}) : FetchToFile(c.url, target);
        EXPECT_FALSE(ok);
        EXPECT_NE(LastTransferError().find(c.error), std::string::npos) << LastTransferError();
        EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{});
    }
    // At the limit is not over it.
    SetTransferLimits(limits);
    const std::string exact = NewTempFolder("exact") + "answer.bin";
    EXPECT_TRUE(FetchToFile(server.Url("/exact"), exact)) << LastTransferError();
    EXPECT_EQ(ReadBytes(exact), PatternBytes(1000));
    EXPECT_EQ(LastTransferError(), "");
}

TEST_F(UpdateTest, FailedDownloadKeepsTheEarlierFileASuccessfulOneReplacesIt)
{
    TServedRoute broken;
    broken.Path = "/broken";
    broken.Size = 4000;
    broken.StallAfter = 1000;
    TServedRoute setup;
    setup.Path = SetupPath();
    setup.Size = 3000;
    TLocalUpdateServer server({broken, setup});
    TUpdateTestEnvironment env(server);
    TTransferLimits limits;
    limits.StallTimeoutMs = 300;
    SetTransferLimits(limits);

    const std::string target = SetupFileName("2022 build 46");
    fs::create_directories(fs::path(target).parent_path());
    WriteBytes(target, "the complete earlier download");
    EXPECT_FALSE(DownloadToFile(server.Url("/broken"), target, {}));
    EXPECT_EQ(ReadBytes(target), "the complete earlier download");
    EXPECT_EQ(FolderEntries(DownloadsFolder()).size(), 1u);
    SetTransferLimits(TTransferLimits{});
    EXPECT_TRUE(DownloadToFile(SetupDownloadUrl("1A2B - 3C4D"), target, {}));
    EXPECT_EQ(ReadBytes(target), PatternBytes(3000));
    EXPECT_EQ(FolderEntries(DownloadsFolder()).size(), 1u);
}

TEST_F(UpdateTest, DownloadReportsItsProgress)
{
    constexpr int64_t kSize = 300'000;
    std::vector<TServedRoute> routes;
    for (const bool withLength : {true, false}) {
        TServedRoute setup;
        setup.Path = withLength ? "/with-length" : "/without-length";
        setup.Size = kSize;
        setup.ContentLength = withLength;
        setup.Chunk = 32'768;
        setup.DelayMs = 5;
        routes.push_back(setup);
    }
    TLocalUpdateServer server(routes);
    for (const bool withLength : {true, false}) {
        SCOPED_TRACE(withLength ? "with Content-Length" : "without Content-Length");
        TUpdateTestEnvironment env(server);

        std::vector<int64_t> begins, done;
        TDownloadEvents events;
        events.OnWorkBegin = [&](int64_t total) {
            EXPECT_TRUE(done.empty()) << "work began after work was reported";
            begins.push_back(total);
        };
        events.OnWork = [&](int64_t bytes) { done.push_back(bytes); };
        const std::string target = SetupFileName("2022 build 46");
        ASSERT_TRUE(DownloadToFile(server.Url(withLength ? "/with-length" : "/without-length"), target, events))
            << LastTransferError();
        EXPECT_EQ(begins, std::vector<int64_t>{withLength ? kSize : 0});
        ASSERT_FALSE(done.empty());
        for (size_t i = 1; i < done.size(); ++i) EXPECT_GT(done[i], done[i - 1]);
        EXPECT_EQ(done.back(), kSize);
        EXPECT_EQ(ReadBytes(target), PatternBytes(kSize));
    }
}

TEST_F(UpdateTest, AnEmptyAnswerStillBeginsItsWork)
{
    TServedRoute empty;
    empty.Path = SetupPath();
    TLocalUpdateServer server({empty});
    TUpdateTestEnvironment env(server);
    std::vector<int64_t> begins;
    TDownloadEvents events;
    events.OnWorkBegin = [&](int64_t total) { begins.push_back(total); };
    events.OnWork = [](int64_t) { ADD_FAILURE() << "no bytes, no work"; };
    const std::string target = NewTempFolder("empty") + "setup.exe";
    ASSERT_TRUE(DownloadToFile(server.Url(SetupPath()), target, events));
    EXPECT_EQ(begins, std::vector<int64_t>{0});
    EXPECT_EQ(ReadBytes(target), "");
}

// ------------------------------------------------------------ TLS, idle

TEST_F(UpdateTest, TlsServerIsTrustedOnlyWithItsCertificate)
{
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "46"))}, {.Tls = true, .Blackhole = false});
    TUpdateTestEnvironment env(server);
    const std::string target = NewTempFolder("tls") + "v.txt";

    env.Env().Set("QV_UPDATE_CA", std::nullopt);
    EXPECT_FALSE(FetchToFile(VersionFileUrl(), target));
    EXPECT_NE(LastTransferError().find("certificate"), std::string::npos) << LastTransferError();
    EXPECT_FALSE(fs::exists(target));

    env.Env().Set("QV_UPDATE_CA", server.CaFile() + ".missing");
    EXPECT_FALSE(FetchToFile(VersionFileUrl(), target));
    EXPECT_NE(LastTransferError().find("cannot read the certificate file"), std::string::npos) << LastTransferError();

    env.Env().Set("QV_UPDATE_CA", server.CaFile());
    std::string version, build;
    EXPECT_TRUE(CheckForNewerVersion(VersionFileUrl(), "2022", "45", version, build)) << LastTransferError();
    EXPECT_EQ(build, "46");
    // Only the trusted attempt got as far as a request.
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(UpdateTest, IdleHandlerRunsWhileTheServerKeepsUsWaiting)
{
    // The server answers only once the idle handler has run three times:
    // without those calls during the transfer it would end by its stall
    // time-out instead.
    const std::string go = NewTempFolder("hold") + "go";
    TServedRoute held = VersionRoute(VersionFileText("2022", "46"));
    held.HoldFile = go;
    TLocalUpdateServer server({held});
    TUpdateTestEnvironment env(server);
    TTransferLimits limits;
    limits.StallTimeoutMs = 10'000;
    SetTransferLimits(limits);
    int calls = 0;
    SetTransferIdleHandler([&] {
        if (++calls == 3) WriteBytes(go, "");
    });
    std::string version, build;
    EXPECT_TRUE(CheckForNewerVersion(VersionFileUrl(), "2022", "45", version, build)) << LastTransferError();
    EXPECT_GE(calls, 3);
}

TEST_F(UpdateTest, AnIdleHandlerThatThrowsEndsTheTransferCleanly)
{
    TServedRoute slow;
    slow.Path = SetupPath();
    slow.Size = 10'000;
    slow.StallAfter = 10;
    TLocalUpdateServer server({slow});
    TUpdateTestEnvironment env(server);
    SetTransferIdleHandler([] { throw std::runtime_error("window closed"); });
    const std::string folder = NewTempFolder("throw");
    EXPECT_THROW(DownloadToFile(server.Url(SetupPath()), folder + "setup.exe", {}), std::runtime_error);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{});

    SetTransferIdleHandler(nullptr);
    TDownloadEvents events;
    events.OnWork = [](int64_t) { throw std::runtime_error("progress failed"); };
    EXPECT_THROW(DownloadToFile(server.Url(SetupPath()), folder + "setup.exe", events), std::runtime_error);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{});
}

// ---------------------------------------------------------------- proxy

TEST_F(UpdateTest, RequestsGoThroughTheConfiguredProxy)
{
    const std::string user = "proxy user";
    const std::string password = "p\xC3\xA4ss:w\xC3\xB6rd";
    struct {
        const char* name;
        std::string settings; // [ProxyServer] keys after Host and Port
        bool ok;
        std::vector<std::string> verdicts; // of the proxy, in order
    } const cases[] = {
        {"basic authentication, plain", "UserName=" + user + "\nPassWord=" + password + "\nBasicAuthentication=1\n",
         true, {"ok"}},
        {"basic authentication, scrambled",
         "UserName=wrong\nUSR=" + Scramble(user, kProxyScrambleKey) + "\nPWD=" + Scramble(password, kProxyScrambleKey) +
             "\nBasicAuthentication=1\n",
         true, {"ok"}},
        {"credentials when asked for", "UserName=" + user + "\nPassWord=" + password + "\nBasicAuthentication=0\n", true,
         {"missing", "ok"}},
        {"wrong password", "UserName=" + user + "\nPassWord=wrong\nBasicAuthentication=1\n", false, {"wrong"}},
        {"no credentials", "", false, {"missing"}},
    };
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "46"))});
    TLocalProxy proxy(user, password);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TUpdateTestEnvironment env(server);
        const size_t proxied = proxy.Requests().size(), served = server.Requests().size();
        env.WriteProxySettings("[ProxyServer]\nUseProxy=1\nHost=127.0.0.1\nPort=" + std::to_string(proxy.Port()) +
                               "\n" + c.settings);
        std::string version, build;
        EXPECT_EQ(CheckForNewerVersion(VersionFileUrl(), "2022", "45", version, build), c.ok) << LastTransferError();
        std::vector<std::string> verdicts;
        const auto through = proxy.Requests();
        for (size_t i = proxied; i < through.size(); ++i) {
            EXPECT_EQ(through[i].Target, server.Url(VersionPath()));
            verdicts.push_back(through[i].Auth);
        }
        EXPECT_EQ(verdicts, c.verdicts);
        const auto seen = server.Requests();
        ASSERT_EQ(seen.size() - served, c.ok ? 1u : 0u);
        if (c.ok) {
            EXPECT_EQ(seen.back().Header("X-VELK-PROGRAM"), "QuorvaneViewer");
            EXPECT_FALSE(seen.back().HasHeader("Proxy-Authorization"));
        } else {
            EXPECT_NE(LastTransferError().find("407"), std::string::npos) << LastTransferError();
        }
    }
}

TEST_F(UpdateTest, HttpsGoesThroughTheProxysTunnel)
{
    TServedRoute setup;
    setup.Path = SetupPath();
    setup.Size = 50'000;
    TLocalUpdateServer server({setup}, {.Tls = true, .Blackhole = false});
    TLocalProxy proxy("u", "p");
    TUpdateTestEnvironment env(server);
    env.WriteProxySettings("[ProxyServer]\nUseProxy=1\nHost=127.0.0.1\nPort=" + std::to_string(proxy.Port()) +
                           "\nUserName=u\nPassWord=p\nBasicAuthentication=1\n");
    const std::string target = SetupFileName("2022 build 46");
    ASSERT_TRUE(DownloadToFile(SetupDownloadUrl("1A2B - 3C4D"), target, {})) << LastTransferError();
    EXPECT_EQ(ReadBytes(target), PatternBytes(50'000));
    const auto tunnels = proxy.Requests();
    ASSERT_EQ(tunnels.size(), 1u);
    EXPECT_EQ(tunnels[0].Method, "CONNECT");
    EXPECT_EQ(tunnels[0].Target, "127.0.0.1:" + std::to_string(server.Port()));
    EXPECT_EQ(tunnels[0].Auth, "ok");
}

TEST_F(UpdateTest, ProxiesOfTheEnvironmentAreNeverUsed)
{
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "46"))});
    TLocalProxy proxy("u", "p");
    TUpdateTestEnvironment env(server);
    const std::string proxyUrl = "http://u:p@127.0.0.1:" + std::to_string(proxy.Port());
    for (const char* name : {"http_proxy", "HTTPS_PROXY", "ALL_PROXY"}) env.Env().Set(name, proxyUrl);
    // Nor does $no_proxy take requests away from the configured one.
    env.Env().Set("no_proxy", "127.0.0.1,localhost,*");
    const std::string target = NewTempFolder("env") + "v.txt";

    EXPECT_TRUE(FetchToFile(VersionFileUrl(), target)) << LastTransferError();
    EXPECT_EQ(proxy.Requests().size(), 0u);

    env.WriteProxySettings("[ProxyServer]\nUseProxy=1\nHost=127.0.0.1\nPort=" + std::to_string(proxy.Port()) +
                           "\nUserName=u\nPassWord=p\nBasicAuthentication=1\n");
    EXPECT_TRUE(FetchToFile(VersionFileUrl(), target)) << LastTransferError();
    EXPECT_EQ(proxy.Requests().size(), 1u);
    EXPECT_EQ(server.Requests().size(), 2u);
}

} // namespace
