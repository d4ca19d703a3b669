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
