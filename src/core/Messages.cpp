#include "core/Messages.h"

#include <algorithm>
#include <cstdio>

namespace qv {
namespace {

class TStdErrHandler : public IMessageHandler {
public:
    void ShowMessage(TMessageKind kind, const std::string& text) override
    {
        const char* prefix = kind == TMessageKind::Error     ? "error"
                             : kind == TMessageKind::Warning ? "warning"
                                                             : "note";
        std::fprintf(stderr, "%s: %s\n", prefix, text.c_str());
    }
};

TStdErrHandler gDefault;
IMessageHandler* gHandler = &gDefault;
TLoadMessages* gLoadMessages = nullptr; // the outermost scope, if any

} // namespace

IMessageHandler* SetMessageHandler(IMessageHandler* handler)
{
    IMessageHandler* previous = gHandler;
    gHandler = handler ? handler : &gDefault;
    return previous;
}

void ShowMessage(TMessageKind kind, const std::string& text) { gHandler->ShowMessage(kind, text); }

void ShowRepeatedMessage(const TRepeatedMessage& Repeated, TMessageKind kind, const std::string& text)
{
    if (TLoadMessages* scope = gLoadMessages) {
        auto it = std::find_if(scope->fCounts.begin(), scope->fCounts.end(),
                               [&](const TLoadMessages::TCount& c) { return c.Repeated == &Repeated; });
        if (it == scope->fCounts.end()) it = scope->fCounts.insert(scope->fCounts.end(), {&Repeated, kind, 0});
        if (++it->Count > TLoadMessages::kMaxRepeats) return;
    }
    ShowMessage(kind, text);
}

TLoadMessages::TLoadMessages() : fOuter(gLoadMessages == nullptr)
{
    if (fOuter) gLoadMessages = this;
}

TLoadMessages::~TLoadMessages()
{
    if (fOuter && gLoadMessages == this) gLoadMessages = nullptr;
}

void TLoadMessages::Finish()
{
    if (!fOuter || gLoadMessages != this) return;
    gLoadMessages = nullptr;
    for (const TCount& c : fCounts) {
        if (c.Count <= kMaxRepeats) continue;
        std::string line = c.Repeated->Summary;
        const size_t at = line.find("%d");
        if (at != std::string::npos) line.replace(at, 2, std::to_string(c.Count - kMaxRepeats));
        ShowMessage(c.Kind, line);
    }
    fCounts.clear();
}

TMessageCollector::TMessageCollector() : fPrevious(SetMessageHandler(this)) {}
TMessageCollector::~TMessageCollector() { SetMessageHandler(fPrevious); }

void TMessageCollector::ShowMessage(TMessageKind kind, const std::string& text)
{
    fEntries.push_back({kind, text});
}

std::vector<std::string> TMessageCollector::Texts() const
{
    std::vector<std::string> out;
    for (const auto& e : fEntries) out.push_back(e.Text);
    return out;
}

} // namespace qv
