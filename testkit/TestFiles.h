#pragma once
// Helpers for tests: temporary files, and designs written with the record
// stream's own writer.
#include "stream/QuorvaneFiles.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace qv::test {

// A file in a private temporary folder, removed with the folder when the
// test program ends.
std::string TempPath(const std::string& name);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// Writes bytes to the temporary file name and returns its path.
std::string WriteTempFile(const std::string& name, const std::string& bytes);

// A shell command run to its end with its output and errors captured.
struct TRunResult {
    int status = -1; // the exit status, -1 when it did not exit normally
    std::string out, err;
};
TRunResult RunCommand(const std::string& command);

// A shell script standing in for a program that another one starts: it
// writes the number of its arguments and then each argument on a line of
// its own into OutFile (into a temporary file first, renamed when
// complete). The script is not made executable.
void WriteArgumentsScript(const std::string& path, const std::string& outFile);
// Waits until path exists; false when it still does not after half a
// minute, so that a test whose program never ran fails instead of hanging.
bool WaitForFile(const std::string& path);

// Little-endian 16-bit words as file bytes (hand-made field headers).
std::string Words(std::initializer_list<uint16_t> words);

// How WriteDesign writes a file and LoadDesign loads it.
struct TDesignOptions {
    bool Viewer = false; // a viewer file (*.mvf) instead of a manifold file
    bool WithEnd = true; // false: the file stops before the end tag 1999
};

// Writes a current-format file: header, then whatever body writes, then the
// end tag unless the options leave it out. Returns the path.
std::string WriteDesign(const std::string& name, const std::function<void(TQuorvaneFile&)>& body,
                        const TDesignOptions& options = {});

// A hole record with the given number and one 10 mm step 20 mm deep, plus
// whatever extra writes inside the record.
void WriteSimpleHole(TQuorvaneFile& f, int holeNumber, const std::function<void(TQuorvaneFile&)>& extra = {});

} // namespace qv::test
