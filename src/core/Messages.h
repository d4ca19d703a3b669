#pragma once
// The core never shows user interface. Everything it has to tell the user
// goes through one handler: the main window connects it to message boxes,
// mnf-inspect collects the texts, tests capture them.
#include <string>
#include <vector>

namespace qv {

enum class TMessageKind { Information, Warning, Error, Confirmation };

class IMessageHandler {
public:
    virtual ~IMessageHandler() = default;
    virtual void ShowMessage(TMessageKind kind, const std::string& text) = 0;
};

// Sets the handler used from now on (nullptr: back to the default, which
// writes the text to standard error). Returns the previous one.
IMessageHandler* SetMessageHandler(IMessageHandler* handler);
void ShowMessage(TMessageKind kind, const std::string& text);

// A message that a damaged or crafted file can cause once per record (a
// hole without steps, say): a million of them would be a million message
// boxes. While a TLoadMessages exists, each such kind is shown at most
// kMaxRepeats times, and its Finish adds one line that tells how many more
// there were. Summary is that line, with %d for the count left out.
struct TRepeatedMessage {
    const char* Summary;
};
void ShowRepeatedMessage(const TRepeatedMessage& Repeated, TMessageKind kind, const std::string& text);

// The count of repeated messages of one load. Scopes nest: an inner one
// (an old reader called by the loader) leaves the counting to the outer.
class TLoadMessages {
public:
    static constexpr int kMaxRepeats = 10;
    TLoadMessages();
    ~TLoadMessages();
    TLoadMessages(const TLoadMessages&) = delete;
    TLoadMessages& operator=(const TLoadMessages&) = delete;
    // Shows the summary lines (once; only the outermost scope shows them).
    void Finish();

private:
    friend void ShowRepeatedMessage(const TRepeatedMessage&, TMessageKind, const std::string&);
    struct TCount { const TRepeatedMessage* Repeated; TMessageKind Kind; long long Count; };
    bool fOuter;
    std::vector<TCount> fCounts;
};

// Collects every message while it exists and restores the previous handler
// when it goes out of scope.
class TMessageCollector : public IMessageHandler {
public:
    struct TEntry { TMessageKind Kind; std::string Text; };
    TMessageCollector();
    ~TMessageCollector() override;
    TMessageCollector(const TMessageCollector&) = delete;
    TMessageCollector& operator=(const TMessageCollector&) = delete;
    void ShowMessage(TMessageKind kind, const std::string& text) override;
    const std::vector<TEntry>& Entries() const { return fEntries; }
    std::vector<std::string> Texts() const;

private:
    IMessageHandler* fPrevious;
    std::vector<TEntry> fEntries;
};

} // namespace qv
