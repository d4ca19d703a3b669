#pragma once
// The list pattern every model list follows: it owns its items in file order,
// Add creates a cleared item, appends and returns it; Delete and Clear free.
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace qv {

template <class T>
class TOwnedList {
public:
    TOwnedList() = default;
    TOwnedList(const TOwnedList&) = delete;
    TOwnedList& operator=(const TOwnedList&) = delete;

    T* Add()
    {
        fItems.push_back(std::make_unique<T>());
        return fItems.back().get();
    }
    T* Insert(int AIndex)
    {
        AIndex = std::clamp(AIndex, 0, Count());
        auto it = fItems.insert(fItems.begin() + AIndex, std::make_unique<T>());
        return it->get();
    }
    // Takes ownership of an existing object.
    T* Append(std::unique_ptr<T> item)
    {
        fItems.push_back(std::move(item));
        return fItems.back().get();
    }
    int GetCount() const { return static_cast<int>(fItems.size()); }
    int Count() const { return GetCount(); }
    T* Items(int AIndex) const { return fItems.at(static_cast<size_t>(AIndex)).get(); }
    T* operator[](int AIndex) const { return Items(AIndex); }
    T* First() const { return fItems.empty() ? nullptr : fItems.front().get(); }
    T* Last() const { return fItems.empty() ? nullptr : fItems.back().get(); }
    void Delete(int AIndex)
    {
        if (AIndex >= 0 && AIndex < Count()) fItems.erase(fItems.begin() + AIndex);
    }
    void Clear() { fItems.clear(); }
    void Exchange(int A, int B) { std::swap(fItems.at(size_t(A)), fItems.at(size_t(B))); }
    // Moves the item at From to position To.
    void Move(int From, int To)
    {
        auto item = std::move(fItems.at(size_t(From)));
        fItems.erase(fItems.begin() + From);
        fItems.insert(fItems.begin() + To, std::move(item));
    }
    int IndexOf(const T* item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (fItems[size_t(i)].get() == item) return i;
        return -1;
    }
    // Deep copy: items must offer Assign.
    void Assign(const TOwnedList& Source)
    {
        if (&Source == this) return;
        Clear();
        AppendCopies(Source);
    }
    void AppendCopies(const TOwnedList& Source)
    {
        const int n = Source.Count();
        for (int i = 0; i < n; ++i) Add()->Assign(*Source.Items(i));
    }

    auto begin() const { return fItems.begin(); }
    auto end() const { return fItems.end(); }

    // A list whose only field is its item list is shown as an array.
    template <class F> void ForEachItem(F&& f) const
    {
        for (const auto& p : fItems) f(*p);
    }

protected:
    std::vector<std::unique_ptr<T>> fItems;
};

} // namespace qv
