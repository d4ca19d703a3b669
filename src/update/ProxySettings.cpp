#include "update/ProxySettings.h"

#include "platform/IniFiles.h"
#include "platform/SettingsFolders.h"

namespace qv {

namespace {

// The running key of the scrambled texts advances as
//   key := (key + scrambled byte) * kScrambleMultiplier + kScrambleAddend  (mod 65536).
// These two and kProxyScrambleKey are fixed program constants: a file
// scrambled with other values unscrambles to other text.
constexpr uint16_t kScrambleMultiplier = 0x9E37;
constexpr uint16_t kScrambleAddend = 0x3C6F;

uint16_t NextKey(uint16_t key, uint8_t scrambled)
{
    return static_cast<uint16_t>((static_cast<uint32_t>(key) + scrambled) * kScrambleMultiplier + kScrambleAddend);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

} // namespace

std::string Scramble(std::string_view Text, uint8_t S)
{
    std::string out;
    out.reserve(Text.size() * 2);
    uint16_t key = S;
    for (const char ch : Text) {
        const uint8_t c = static_cast<uint8_t>(static_cast<uint8_t>(ch) ^ (key >> 8));
        key = NextKey(key, c);
        out += kHexDigits[c >> 4];
        out += kHexDigits[c & 0x0F];
    }
    return out;
}

// The bytes come back exactly as they were scrambled; our own texts are
// UTF-8 throughout, so no decoding step is needed. A value that was not
// scrambled from UTF-8 (or with other constants) gives bytes that are not
// valid UTF-8: they are returned unchanged, as a user name or password is
// only handed on to the proxy byte for byte.
std::string Unscramble(std::string_view Text, uint8_t S)
{
    std::string out;
    out.reserve(Text.size() / 2);
    uint16_t key = S;
    for (size_t i = 0; i + 1 < Text.size(); i += 2) {
        const int hi = HexValue(Text[i]);
        const int lo = HexValue(Text[i + 1]);
        if (hi < 0 || lo < 0) return {};
        const uint8_t c = static_cast<uint8_t>(hi << 4 | lo);
        out += static_cast<char>(c ^ (key >> 8));
        key = NextKey(key, c);
    }
    return out;
}

void TProxyServerSettingsDlg::LoadProxySettingsFromFile(TProxyServerData& Data)
{
    Data = TProxyServerData{};
    const TIniFile ini(ProxySettingsFile());
    constexpr std::string_view kSection = "ProxyServer";
    Data.UseProxy = ini.ReadBool(kSection, "UseProxy", Data.UseProxy);
    Data.Host = ini.ReadString(kSection, "Host", Data.Host);
    Data.Port = ini.ReadInteger(kSection, "Port", Data.Port);
    Data.UserName = ini.ReadString(kSection, "UserName", Data.UserName);
    Data.PassWord = ini.ReadString(kSection, "PassWord", Data.PassWord);
    const std::string pwd = ini.ReadString(kSection, "PWD", "");
    const std::string usr = ini.ReadString(kSection, "USR", "");
    Data.BasicAuthentication = ini.ReadBool(kSection, "BasicAuthentication", Data.BasicAuthentication);
    if (!pwd.empty()) Data.PassWord = Unscramble(pwd, kProxyScrambleKey);
    if (!usr.empty()) Data.UserName = Unscramble(usr, kProxyScrambleKey);
}

void TProxyServerSettingsDlg::GetProxySettingsFromFile(TProxyServerData& Data) { LoadProxySettingsFromFile(Data); }

bool TProxyServerSettingsDlg::UseProxyServer()
{
    TProxyServerData data;
    LoadProxySettingsFromFile(data);
    return data.UseProxy;
}

} // namespace qv
