#include "platform/IniFiles.h"

#include "core/Text.h"

// SimpleIni in header-only mode, bytes passed through unconverted: the
// settings files hold UTF-8 text like every other text of the program.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace fs = std::filesystem;

struct TIniFile::TImpl {
    CSimpleIniA Ini{/*unicode*/ false, /*multiKey*/ false, /*multiLine*/ false};
};

namespace {

std::string Z(std::string_view s) { return std::string(s); }

std::string NoLineBreaks(std::string_view s)
{
    std::string r(s);
    std::replace_if(r.begin(), r.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return r;
}

std::string ErrorText(int err) { return std::strerror(err); }

} // namespace

// --- writing a file safely --------------------------------------------------

void WriteFileAtomically(const std::string& path, std::string_view data)
{
    auto fail = [&](const std::string& why) -> void {
        throw EIniFileError("Unable to write to " + path + ": " + why);
    };

    // Write through a symbolic link to the file it names, so the link stays.
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec) fail(ec.message());
    }

    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones (0666 less the umask).
    mode_t mode = 0;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) fail(ErrorText(errno));

    auto abandon = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        fail(ErrorText(err));
    };

    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            abandon(errno);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fchmod(fd, mode) != 0) abandon(errno);
    if (::fsync(fd) != 0) abandon(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) abandon(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) abandon(errno);

    // Make the rename itself durable.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// --- TIniFile ----------------------------------------------------------------

TIniFile::TIniFile(std::string fileName) : fFileName(std::move(fileName)), fImpl(std::make_unique<TImpl>())
{
    std::error_code ec;
    fExisted = !fFileName.empty() && fs::exists(fFileName, ec);
    if (!fExisted) return;
    std::ifstream in(fFileName, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad() || fs::is_directory(fFileName, ec)) {
        fUnreadable = true;
        return;
    }
    const std::string data = text.str();
    if (fImpl->Ini.LoadData(data.data(), data.size()) < 0) fUnreadable = true;
}

TIniFile::~TIniFile() = default;

bool TIniFile::SectionExists(std::string_view section) const
{
    return fImpl->Ini.GetSectionSize(Z(section).c_str()) >= 0;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return fImpl->Ini.GetValue(Z(section).c_str(), Z(key).c_str(), nullptr) != nullptr;
}

std::vector<std::string> TIniFile::ReadSections() const
{
    CSimpleIniA::TNamesDepend names;
    fImpl->Ini.GetAllSections(names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> result;
    for (const auto& n : names) result.emplace_back(n.pItem);
    return result;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    const char* v = fImpl->Ini.GetValue(Z(section).c_str(), Z(key).c_str(), nullptr);
    return v ? Trim(v) : std::string(def);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const
{
    int32_t v = def;
    return TryStrToInt(ReadString(section, key, ""), v) ? v : def;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    const std::string text = ReadString(section, key, "");
    int32_t v = 0;
    if (TryStrToInt(text, v)) return v != 0;
    // Hand-edited files sometimes spell the switches out.
    if (strcasecmp(text.c_str(), "true") == 0) return true;
    if (strcasecmp(text.c_str(), "false") == 0) return false;
    return def;
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key, double def) const
{
    // Files written under a locale with a decimal comma read as well.
    std::string text = ReadString(section, key, "");
    std::replace(text.begin(), text.end(), ',', '.');
    double v = def;
    return TryStrToFloat(text, v) ? v : def;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    fImpl->Ini.SetValue(NoLineBreaks(section).c_str(), NoLineBreaks(key).c_str(), NoLineBreaks(value).c_str());
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteFloat(std::string_view section, std::string_view key, double value)
{
    WriteString(section, key, FloatToStr(value));
}

void TIniFile::EraseSection(std::string_view section)
{
    fImpl->Ini.Delete(Z(section).c_str(), nullptr);
}

std::string TIniFile::Text() const
{
    fImpl->Ini.SetSpaces(false);
    std::string text;
    fImpl->Ini.Save(text, false);
    return text;
}

void TIniFile::UpdateFile()
{
    if (fUnreadable) throw EIniFileError("Unable to write to " + fFileName + ": the existing file could not be read");
    WriteFileAtomically(fFileName, Text());
    fExisted = true;
}

} // namespace qv
