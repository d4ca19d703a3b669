#pragma once
// The HTTP proxy that the update requests go through, described by
// "ProxyServer.ini" in the shared folder's "Bin" (ProxySettingsFile()),
// section [ProxyServer]. The file is read before every request; the program
// never writes it. The user name and password may be stored scrambled
// ("USR", "PWD"), which win over the plain "UserName"/"PassWord" when not
// empty.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

struct TProxyServerData {
    bool UseProxy = false;
    std::string Host;
    int Port = 3128;
    std::string UserName;
    std::string PassWord;
    bool BasicAuthentication = false;
};

// Only its class operations exist; the program shows no proxy dialog.
class TProxyServerSettingsDlg {
public:
    // Data := the defaults, then what the settings file holds. A missing file
    // or missing keys keep the defaults (no proxy).
    static void LoadProxySettingsFromFile(TProxyServerData& Data);
    // The same as LoadProxySettingsFromFile.
    static void GetProxySettingsFromFile(TProxyServerData& Data);
    // UseProxy as the settings file has it now.
    static bool UseProxyServer();
};

// The start key of the scrambled user name and password in ProxyServer.ini.
inline constexpr uint8_t kProxyScrambleKey = 0xA7;

// The UTF-8 bytes of Text, each XOR the high byte of a 16-bit running key
// that starts at S and advances with each scrambled byte, as two upper-case
// hexadecimal digits per byte.
std::string Scramble(std::string_view Text, uint8_t S);
// The inverse of Scramble. Lower-case digits are accepted, a trailing odd
// digit is ignored, and any pair that is not hexadecimal gives the empty text.
std::string Unscramble(std::string_view Text, uint8_t S);

} // namespace qv
