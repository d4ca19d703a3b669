#include "update/ProxySettings.h"

#include "testkit/LocalServers.h"

#include <gtest/gtest.h>

using namespace qv;
using qv::test::TUpdateTestEnvironment;

namespace {

TEST(Scramble, KnownValuesPinTheProgramConstants)
{
    // Files in the field were written with these constants; a change of the
    // start key, the multiplier or the addend makes them unreadable. The
    // first byte stays plain: the high byte of the 8-bit start key is 0.
    EXPECT_EQ(Scramble("proxy-user", kProxyScrambleKey), "70D8FA3457EDBA31454D");
    EXPECT_EQ(Unscramble("502047A2EA53A2D6E0AA", kProxyScrambleKey), "P\xC3\xA4ssw\xC3\xB6rd");
}

TEST(Scramble, RoundTripsAnyText)
{
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    const std::string texts[] = {"", "a", "proxy user", "P\xC3\xA4ssw\xC3\xB6rd \xE2\x9C\x93 \xF0\x9F\x94\x91",
                                 everyByte, std::string(1000, 'x')};
    for (const std::string& t : texts) {
        for (const uint8_t s : {uint8_t(0), kProxyScrambleKey, uint8_t(255)}) {
            const std::string scrambled = Scramble(t, s);
            EXPECT_EQ(scrambled.size(), 2 * t.size());
            EXPECT_EQ(scrambled.find_first_not_of("0123456789ABCDEF"), std::string::npos);
            EXPECT_EQ(Unscramble(scrambled, s), t) << "start key " << int(s);
        }
    }
    // The start key matters.
    EXPECT_NE(Unscramble(Scramble("secret", 1), 2), "secret");
}

TEST(Unscramble, ReadsWhatOtherWritersMayWrite)
{
    const std::string upper = Scramble("Secret-42", kProxyScrambleKey);
    std::string lower = upper;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    struct {
        std::string text, expected;
    } const cases[] = {
        {lower, "Secret-42"},                  // lower-case digits
        {upper + "F", "Secret-42"},            // a trailing odd digit is ignored
        {"", ""},
        {"7", ""},
        {upper.substr(0, 4) + "G1", ""},       // one pair that is not hexadecimal
        {upper.substr(0, 4) + " 1", ""},
        {"0x" + upper, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Unscramble(c.text, kProxyScrambleKey), c.expected) << c.text;
}

TEST(ProxySettings, ReadFromTheSharedBinFolder)
{
    const std::string usr = Scramble("scrambled-user", kProxyScrambleKey);
    const std::string pwd = Scramble("scrambled-pass", kProxyScrambleKey);
    struct {
        const char* name;
        std::string ini; // empty: no file
        TProxyServerData expected;
    } const cases[] = {
        {"no file", "", {}},
        {"port missing", "[ProxyServer]\nUseProxy=1\nHost=proxy.local\n", {true, "proxy.local", 3128, "", "", false}},
        {"plain credentials",
         "[ProxyServer]\nUseProxy=1\nHost=h\nPort=8080\nUserName=u\nPassWord=p\nBasicAuthentication=1\n",
         {true, "h", 8080, "u", "p", true}},
        {"scrambled ones win",
         "[ProxyServer]\nUseProxy=1\nHost=h\nUserName=u\nPassWord=p\nUSR=" + usr + "\nPWD=" + pwd + "\n",
         {true, "h", 3128, "scrambled-user", "scrambled-pass", false}},
        {"empty PWD keeps PassWord", "[ProxyServer]\nUserName=u\nPassWord=p\nPWD=\nUSR=\n", {false, "", 3128, "u", "p", false}},
        {"PWD not hexadecimal", "[proxyserver]\nUseProxy=1\nHost=h\nUserName=u\nPassWord=p\nPWD=XYZ1\n",
         {true, "h", 3128, "u", "", false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TUpdateTestEnvironment env("http://127.0.0.1:9");
        if (!c.ini.empty()) env.WriteProxySettings(c.ini);
        TProxyServerData data;
        data.Host = "left over";
        data.Port = 1;
        TProxyServerSettingsDlg::LoadProxySettingsFromFile(data);
        EXPECT_EQ(data.UseProxy, c.expected.UseProxy);
        EXPECT_EQ(data.Host, c.expected.Host);
        EXPECT_EQ(data.Port, c.expected.Port);
        EXPECT_EQ(data.UserName, c.expected.UserName);
        EXPECT_EQ(data.PassWord, c.expected.PassWord);
        EXPECT_EQ(data.BasicAuthentication, c.expected.BasicAuthentication);
        TProxyServerData again;
        TProxyServerSettingsDlg::GetProxySettingsFromFile(again);
        EXPECT_EQ(again.UserName, data.UserName);
        EXPECT_EQ(TProxyServerSettingsDlg::UseProxyServer(), c.expected.UseProxy);
    }
}

} // namespace
