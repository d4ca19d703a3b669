#pragma once
// A text field that is empty in nearly every record (a step's thread name
// and tolerances, a hole's feature name, data sheet, external file ...): one
// pointer in size, its text on the heap only while it is not empty. A design
// of 100,000 holes holds millions of such fields, and an empty std::string
// takes 32 bytes. It reads as a `const std::string&` wherever one is asked
// for. The boxes that hold the texts come from slabs of their own: a design
// whose every hole names its thread would otherwise make one heap
// allocation per hole while it loads, and free it again when it closes.
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace qv {

// The heap box of a non-empty TRareText, taken from and given back to a
// free list of this thread (slabs of boxes that live as long as the
// program: at most as many boxes as were ever in use at once).
struct TRareTextBox final {
    std::string Text;
    explicit TRareTextBox(std::string s) : Text(std::move(s)) {}
    static void* operator new(size_t Size);
    static void operator delete(void* Box) noexcept;
};

class TRareText {
public:
    TRareText() = default;
    TRareText(const TRareText& o) { Set(o.str()); }
    TRareText(TRareText&& o) noexcept = default;
    TRareText(std::string s) { Set(std::move(s)); }
    TRareText(std::string_view s) { Set(std::string(s)); }
    TRareText(const char* s) { Set(std::string(s)); }
    TRareText& operator=(const TRareText& o)
    {
        if (&o != this) Set(o.str());
        return *this;
    }
    TRareText& operator=(TRareText&& o) noexcept = default;
    TRareText& operator=(std::string s)
    {
        Set(std::move(s));
        return *this;
    }
    TRareText& operator=(std::string_view s) { return *this = std::string(s); }
    TRareText& operator=(const char* s) { return *this = std::string(s); }

    const std::string& str() const { return fText ? fText->Text : Empty(); }
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }
    bool empty() const { return !fText; }
    size_t size() const { return fText ? fText->Text.size() : 0; }
    const char* c_str() const { return str().c_str(); }
    void clear() { fText.reset(); }

    friend bool operator==(const TRareText& a, const TRareText& b) { return a.str() == b.str(); }
    friend bool operator==(const TRareText& a, std::string_view b) { return a.str() == b; }
    friend bool operator==(const TRareText& a, const char* b) { return a.str() == b; }
    friend bool operator==(const TRareText& a, const std::string& b) { return a.str() == b; }
    friend std::string operator+(const TRareText& a, std::string_view b) { return a.str() + std::string(b); }
    friend std::string operator+(std::string_view a, const TRareText& b) { return std::string(a) + b.str(); }
    friend std::ostream& operator<<(std::ostream& out, const TRareText& t) { return out << t.str(); }

private:
    static const std::string& Empty()
    {
        static const std::string empty;
        return empty;
    }
    // Empty text is no allocation at all.
    void Set(std::string s)
    {
        if (s.empty())
            fText.reset();
        else if (fText)
            fText->Text = std::move(s);
        else
            fText.reset(new TRareTextBox(std::move(s)));
    }
    std::unique_ptr<TRareTextBox> fText;
};

} // namespace qv
