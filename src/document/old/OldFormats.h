#pragma once
// Shared pieces of the readers of the untagged generations (5.00 to 5.40,
// 4.00 to 4.20, 3.00 and 2.00). Those files are fixed-layout records copied
// from the writer's memory: little-endian integers, single- or
// double-precision numbers and Pascal-style short texts (a length byte, then
// a fixed number of character bytes).
//
// Old files are small, so a reader takes the whole file into memory and walks
// it with a cursor. Nothing read from the file is trusted: a record that is
// not all there is never applied, and a count only says how many records to
// try, never how many to allocate.
#include "core/LargeMemory.h"
#include "core/Reflect.h"
#include "model/HoleLists.h"
#include "model/ModelTypes.h"
#include "model/StepLists.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace qv {

class TManifold;
struct TFileBytes;

// The readers, one per generation, over a file's bytes in memory. The
// headerless generations return False when the size is not a whole number
// of records. A file that ends before its data is complete keeps what was
// read, shows the truncation warning and returns True.
bool Read500(int Version, const TFileBytes& File, TManifold& Manifold); // 500, 510, 520, 530, 540
bool Read400(int Version, const TFileBytes& File, TManifold& Manifold); // 400, 410, 415, 420
bool Read300(const TFileBytes& File, TManifold& Manifold);
bool Read200(const TFileBytes& File, TManifold& Manifold);

// The last-write time of a file as a local TDateTime; False when the file's
// attributes cannot be read.
bool FileLastWriteLocal(const std::string& FileName, TDateTime& Time);
// The same from what stat gave.
TDateTime LocalFileTime(const struct stat& st);

// A Single widened to double and rounded to the nearest 0.0001, ties to
// even: old files hold millimetres in single precision, and 12.7f would
// otherwise show as 12.69999980926514.
double RoundSingle(float Value);
// The same rounding for a value computed from Singles.
double RoundTenThousandth(double Value);

// The old generations keep their drawing set-up in a production and an
// assembly plot setting. The loader adds both before it calls a reader; a
// reader called on its own adds what is missing.
void EnsureOldDrawingSetups(TManifold& Manifold);

// One member of a flag set and the bit of an old flag word that holds it.
template <class E>
struct TBitMember {
    int Bit;
    E Member;
};

// Sets each member the table names from its bit of Bits: included when the
// bit is on, excluded when it is off. Members the table does not name keep
// what they had, and bits it does not name are ignored.
template <class E, class B, size_t N>
void ApplyBits(TSet<E, B>& Set, uint32_t Bits, const TBitMember<E> (&Table)[N])
{
    for (const TBitMember<E>& m : Table) Set.Set(m.Member, ((Bits >> m.Bit) & 1u) != 0);
}

// The hole attribute bits of the 4.x and 5.x generations (in 4.x two bytes,
// read as one little-endian word); the bits in between held flags the
// current model no longer keeps.
inline constexpr TBitMember<THoleAttribute> kOldHoleAttributeBits[] = {
    {0, haPlugged}, {1, haFixation}, {2, haClosed}, {3, haMounting}, {7, haAngled},
    {9, haMeasure}, {10, haAssembly}, {11, haConnect}, {12, haThrough},
};

// The step attribute bits of the 3.00 and 4.x generations.
inline constexpr TBitMember<TStepAttribute> kOldStepAttributeBits[] = {
    {0, saSpotfaced}, {1, saThreaded}, {2, saHidden},
};

// A fixed-size record. Reads outside the record give 0 or an empty text, so
// a wrong offset can never read foreign memory.
class TOldRecord {
public:
    TOldRecord() = default;
    explicit TOldRecord(std::string_view bytes) : fBytes(bytes) {}
    size_t Size() const { return fBytes.size(); }
    std::string_view Bytes() const { return fBytes; }

    uint8_t Byte(size_t Offset) const;
    bool Flag(size_t Offset) const { return Byte(Offset) != 0; }
    uint16_t Word(size_t Offset) const;
    int16_t SmallInt(size_t Offset) const { return static_cast<int16_t>(Word(Offset)); }
    uint32_t LongWord(size_t Offset) const;
    int32_t Integer(size_t Offset) const { return static_cast<int32_t>(LongWord(Offset)); }
    float Single(size_t Offset) const;
    double Rounded(size_t Offset) const { return RoundSingle(Single(Offset)); }
    double Double(size_t Offset) const;
    // Short text [n] at Offset: a length byte L, then n character bytes; the
    // text is the first min(L, n) of them. Raw gives the file's bytes,
    // ShortText the text decoded to UTF-8.
    std::string_view RawShortText(size_t Offset, size_t n) const;
    std::string ShortText(size_t Offset, size_t n) const;

private:
    std::string_view fBytes;
};

// The whole file and a read position in it.
class TOldFile {
public:
    TOldFile() = default;
    // Its own copy of the bytes.
    explicit TOldFile(const std::string& bytes)
    {
        fOwned.Append(bytes.data(), bytes.size());
        fBytes = fOwned.View();
    }
    // The caller's bytes, which must outlive it.
    explicit TOldFile(std::string_view bytes) : fBytes(bytes) {}
    TOldFile(const TOldFile&) = delete;
    TOldFile& operator=(const TOldFile&) = delete;
    // Reads the whole file. False when it cannot be read.
    bool LoadFile(const std::string& FileName);

    size_t Size() const { return fBytes.size(); }
    size_t Position() const { return fPos; }
    size_t Remaining() const { return fBytes.size() - fPos; }
    bool AtEnd() const { return fPos >= fBytes.size(); }
    // True once a read asked for more bytes than were left.
    bool HitEnd() const { return fHitEnd; }
    void Seek(size_t Position) { fPos = Position < fBytes.size() ? Position : fBytes.size(); }

    // The next Size bytes as a record. When fewer are left, the position
    // moves to the end, HitEnd is set and the result is False (the partial
    // record must not be used).
    bool ReadRecord(size_t Size, TOldRecord& Record);
    bool ReadByte(uint8_t& Value);
    bool ReadWord(uint16_t& Value);
    bool ReadInteger(int32_t& Value);

private:
    TByteBuffer fOwned; // the bytes when they are its own
    std::string_view fBytes;
    size_t fPos = 0;
    bool fHitEnd = false;
};

// Shows the warning of a file that ends before its data is complete.
void WarnTruncatedOldFile();

// Hole angles of the 4.00 and 4.10 generations (and the older ones) are
// stored against the face's own axes; this turns them into the current
// AngleValue/AngleRotation convention and brings both into [0, 360).
void ConvertOldAngle(THoleData& Data);

// A remark of a hole's first step may start with "@0" ... "@3": the hole's
// label is turned by 0, 90, 180 or 270 degrees. Returns that rotation (0
// without the prefix) and, when Remove is set, takes the prefix off Remark.
int TakeRotationPrefix(std::string& Remark, bool Remove);

// The valve the later records or fields of a hole fill: the hole's last
// valve, created when the hole has none yet.
TValveData& LastOrNewValve(THole& Hole);

// Pattern membership of the old generations: a starting hole opens a new
// pattern with the hole list's next free handle, and every member (the
// starting hole included) gets the next number in it. A member before any
// pattern was started has nothing to belong to and stays a single hole.
class TOldPatterns {
public:
    void Apply(const THoleList& Holes, THoleData& Data, bool Starts, bool Member);

private:
    bool fOpen = false;
    int fHandle = -1;
    int fCounter = -1;
};

} // namespace qv
