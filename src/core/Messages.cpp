#include "core/Messages.h"

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

} // namespace

IMessageHandler* SetMessageHandler(IMessageHandler* handler)
{
    IMessageHandler* previous = gHandler;
    gHandler = handler ? handler : &gDefault;
    return previous;
}

void ShowMessage(TMessageKind kind, const std::string& text) { gHandler->ShowMessage(kind, text); }

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
