#pragma once
// Working sessions of the design program: one per calendar day on which the
// design was worked on, with the working time spent on it that day.
#include "model/ModelTypes.h"
#include "model/OwnedList.h"

#include <cstdint>
#include <string>

namespace qv {

class TQuorvaneFile;

struct TSessionData {
    TDateTime Date = 0.0; // the day worked on
    int64_t Seconds = 0;  // working time accumulated on that day
    std::string Remark;

    template <class F> void Fields(F&& f) const { f("Date", Date); f("Seconds", Seconds); f("Remark", Remark); }
};

class TSession {
public:
    TSessionData fData;

    void Clear() { fData = TSessionData{}; }
    void Assign(const TSession& Source) { fData = Source.fData; }
    // Reads the record after its start tag 8000 (through TSessionReader).
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TSessionList : public TOwnedList<TSession> {
public:
    TSession* GetSessions(int AIndex) const { return Items(AIndex); }
};

class TSessionReader {
public:
    // From after the start tag 8000 up to and including the end tag 8999.
    bool Load(TQuorvaneFile& HF, TSession& ASession);
};

} // namespace qv
