#pragma once
// The document as JSON: every class and value record is an object keyed by
// its field names, lists are arrays, enumerations are member names (the
// integer when a stored value is outside the enumeration), sets are arrays of
// member names, doubles carry 17 significant digits.
//
// The text is written piece by piece into a sink, so a design of a hundred
// thousand holes never stands in memory twice (once loaded, once as text).
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class TManifold;

struct TJsonOptions {
    bool Geometry = false; // add the derived bore values to every hole
    bool Pretty = true;
};

// Where the text goes. The writer hands over a block at a time; a sink that
// cannot take it throws, which ends the writing.
class TJsonSink {
public:
    virtual ~TJsonSink() = default;
    virtual void Write(std::string_view Bytes) = 0;
};

// Collects the whole text.
class TJsonStringSink : public TJsonSink {
public:
    std::string Text;
    void Write(std::string_view Bytes) override { Text.append(Bytes); }
};

// A write to the output failed (disk full, a closed pipe...); what() gives
// the reason in one line.
class EJsonWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes to an open file descriptor; throws EJsonWriteError when the
// system refuses the bytes.
class TJsonFileSink : public TJsonSink {
public:
    explicit TJsonFileSink(int Fd) : fFd(Fd) {}
    void Write(std::string_view Bytes) override;

private:
    int fFd;
};

void WriteManifoldJson(TJsonSink& Out, const TManifold& M, const TJsonOptions& Options = {});

// The whole mnf-inspect answer: detected version, load result, messages
// and the document, ending with a line feed.
void WriteInspectJson(TJsonSink& Out, int DetectedVersion, bool LoadResult, const std::vector<std::string>& Warnings,
                      const TManifold& M, const TJsonOptions& Options = {});

// The same as one string, for callers that compare or parse the text.
std::string ManifoldToJson(const TManifold& M, const TJsonOptions& Options = {});
std::string InspectJson(int DetectedVersion, bool LoadResult, const std::vector<std::string>& Warnings,
                        const TManifold& M, const TJsonOptions& Options = {});

} // namespace qv
