#pragma once
// Settings files in Windows INI form: [Section] lines, then key=value lines.
// Section and key names compare without regard to letter case and are written
// back as they were first spelt (blanks inside a key such as "Face Numbers"
// are part of the name); blanks around a value are dropped when read.
//
// A TIniFile reads the whole file when it is created and changes only its
// copy in memory; UpdateFile writes the copy back. The write goes to a new
// file in the same folder that is renamed over the old one only when it is
// complete, so a crash or a full disk never leaves a half-written settings
// file behind.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A settings file could not be written (or, before a write, read). The old
// file is left as it was.
class EIniFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TIniFile {
public:
    // Reads FileName when it exists. A missing file is an empty file; a file
    // that exists but cannot be read is also empty for reading, but
    // UpdateFile then refuses to replace it (its other keys would be lost).
    explicit TIniFile(std::string fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return fFileName; }
    // The file existed when it was read.
    bool FileExisted() const { return fExisted; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSections() const;

    // A missing section or key gives the default. Integers are decimal (or
    // hexadecimal after "$" or "0x"); Booleans are integers, true when not 0;
    // floating-point values take "." or "," as decimal separator. A value
    // that does not parse gives the default too.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    double ReadFloat(std::string_view section, std::string_view key, double def) const;

    // Line breaks in a value would start new lines in the file; they are
    // written as blanks.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value); // 1 or 0
    void WriteFloat(std::string_view section, std::string_view key, double value);
    void EraseSection(std::string_view section);

    // The file's text as UpdateFile would write it.
    std::string Text() const;
    // Writes the file (creating its folder when missing). Throws
    // EIniFileError when that fails; the old file is then unchanged.
    void UpdateFile();

private:
    struct TImpl;
    std::string fFileName;
    bool fExisted = false;
    bool fUnreadable = false;
    std::unique_ptr<TImpl> fImpl;
};

// Replaces the file at Path with Data: writes a temporary file in the same
// folder, flushes it to the disk and renames it over Path. Creates the folder
// when missing. Throws EIniFileError on failure, leaving Path untouched and
// no temporary file behind.
void WriteFileAtomically(const std::string& path, std::string_view data);

} // namespace qv
