#pragma once
// Memory for big arrays that a load fills at once: a file's bytes, the blocks
// of the large lists of a document (the steps of 100,000 holes). Taken from
// the operating system in whole pages, and in 2 MiB pages where the kernel
// offers them: a fresh document of 100 MB otherwise costs 25,000 page faults,
// which on a virtual machine is more time than reading the file.
#include <cstddef>
#include <string_view>
#include <utility>

namespace qv {

// Large rooms come in whole pages of this size.
inline constexpr size_t kLargePage = size_t(2) << 20;
// Bytes rounded up to whole large pages (at least one): the room
// AllocateLarge really hands out for a request of Bytes.
constexpr size_t LargePagesFor(size_t Bytes)
{
    return Bytes == 0 ? kLargePage : (Bytes + kLargePage - 1) / kLargePage * kLargePage;
}

// Room of Bytes (more than 0), rounded up to whole large pages, its content
// undefined. Throws std::bad_alloc.
void* AllocateLarge(size_t Bytes);
// Gives back room of AllocateLarge with the size it was asked for.
void FreeLarge(void* Memory, size_t Bytes) noexcept;

// Bytes of large rooms handed out and not yet given back (rounded to whole
// pages): with the heap's own figures, what a document holds.
size_t LargeMemoryInUse() noexcept;

// Below this a large-memory request is better served by the heap.
inline constexpr size_t kLargeMemoryMinimum = 1u << 20;

// Bytes of a file in memory: like a std::string, but never zero-filled before
// it is read into, and in large pages when it is big.
class TByteBuffer {
public:
    TByteBuffer() = default;
    TByteBuffer(const TByteBuffer&) = delete;
    TByteBuffer& operator=(const TByteBuffer&) = delete;
    TByteBuffer(TByteBuffer&& o) noexcept { Swap(o); }
    TByteBuffer& operator=(TByteBuffer&& o) noexcept
    {
        TByteBuffer(std::move(o)).Swap(*this);
        return *this;
    }
    ~TByteBuffer() { Free(); }

    // Room for Capacity bytes with the size set to Capacity; the content
    // is undefined until written. The old content is gone.
    void Reset(size_t Capacity);
    // Keeps the first Size bytes (Size not above the size).
    void Shrink(size_t Size) { if (Size < fSize) fSize = Size; }
    // Appends, growing the room by doubling.
    void Append(const char* Data, size_t Size);
    void Clear() noexcept
    {
        Free();
        fData = nullptr;
        fSize = fCapacity = 0;
    }

    char* data() { return fData; }
    const char* data() const { return fData; }
    size_t size() const { return fSize; }
    bool empty() const { return fSize == 0; }
    std::string_view View() const { return {fData, fSize}; }
    operator std::string_view() const { return View(); }

private:
    void Free() noexcept;
    void Swap(TByteBuffer& o) noexcept
    {
        std::swap(fData, o.fData);
        std::swap(fSize, o.fSize);
        std::swap(fCapacity, o.fCapacity);
    }
    char* fData = nullptr;
    size_t fSize = 0;
    size_t fCapacity = 0;
};

} // namespace qv
