#include "core/LargeMemory.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace qv {

namespace {

// Rooms given back, kept for the next load: opening one design after the
// other then finds its file buffer and list blocks already mapped, as the
// heap would have them. Bounded in number and in bytes; what does not fit is
// unmapped at once.
class TSpareRooms {
public:
    void* Take(size_t Bytes)
    {
        std::lock_guard lock(fMutex);
        for (size_t i = 0; i < fCount; ++i) {
            if (fRooms[i].Bytes != Bytes) continue;
            void* p = fRooms[i].Memory;
            fTotal -= Bytes;
            fRooms[i] = fRooms[--fCount];
            return p;
        }
        return nullptr;
    }
    bool Keep(void* Memory, size_t Bytes)
    {
        std::lock_guard lock(fMutex);
        if (fCount == kMaxRooms || fTotal + Bytes > kMaxBytes) return false;
        fRooms[fCount++] = {Memory, Bytes};
        fTotal += Bytes;
        return true;
    }

private:
    static constexpr size_t kMaxRooms = 16;
    static constexpr size_t kMaxBytes = size_t(64) << 20;
    struct TRoom {
        void* Memory;
        size_t Bytes;
    };
    std::mutex fMutex;
    TRoom fRooms[kMaxRooms]{};
    size_t fCount = 0;
    size_t fTotal = 0;
};

std::atomic<size_t> gInUse{0};

TSpareRooms& Spares()
{
    static TSpareRooms* spares = new TSpareRooms; // lives to the very end
    return *spares;
}

} // namespace

void* AllocateLarge(size_t Bytes)
{
    if (Bytes > static_cast<size_t>(-1) - kLargePage) throw std::bad_alloc();
    Bytes = LargePagesFor(Bytes);
    void* p = Spares().Take(Bytes);
    if (!p) {
        p = ::mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        // A hint only: where the kernel keeps huge pages for those who ask,
        // one fault then fills 2 MiB instead of 4 KiB.
        ::madvise(p, Bytes, MADV_HUGEPAGE);
    }
    gInUse += Bytes;
    return p;
}

void FreeLarge(void* Memory, size_t Bytes) noexcept
{
    if (!Memory) return;
    Bytes = LargePagesFor(Bytes);
    gInUse -= Bytes;
    if (!Spares().Keep(Memory, Bytes)) ::munmap(Memory, Bytes);
}

size_t LargeMemoryInUse() noexcept { return gInUse; }

void TByteBuffer::Free() noexcept
{
    if (!fData) return;
    if (fCapacity >= kLargeMemoryMinimum)
        FreeLarge(fData, fCapacity);
    else
        std::free(fData);
}

void TByteBuffer::Reset(size_t Capacity)
{
    Clear();
    if (Capacity == 0) return;
    if (Capacity >= kLargeMemoryMinimum) {
        fData = static_cast<char*>(AllocateLarge(Capacity));
    } else {
        fData = static_cast<char*>(std::malloc(Capacity));
        if (!fData) throw std::bad_alloc();
    }
    fSize = fCapacity = Capacity;
}

void TByteBuffer::Append(const char* Data, size_t Size)
{
    if (Size == 0) return;
    if (fCapacity - fSize < Size) {
        size_t capacity = fCapacity ? fCapacity : 64 * 1024;
        while (capacity - fSize < Size) {
            if (capacity > static_cast<size_t>(-1) / 2) throw std::bad_alloc();
            capacity *= 2;
        }
        TByteBuffer grown;
        grown.Reset(capacity);
        if (fSize) std::memcpy(grown.fData, fData, fSize);
        grown.fSize = fSize;
        Swap(grown);
    }
    std::memcpy(fData + fSize, Data, Size);
    fSize += Size;
}

} // namespace qv
