#pragma once
// The root of every object kept in a TList: links for one intrusive list and
// one raw data buffer that the element owns.

#include <cstddef>
#include <memory>

class TList;

class TElement {
public:
    TElement() = default;
    virtual ~TElement() = default;
    TElement(const TElement&) = delete;
    TElement& operator=(const TElement&) = delete;

    TList* Owner() const { return owner_; }
    TElement* Prev() const { return prev_; }
    TElement* Next() const { return next_; }

    // Replaces any buffer by a new one of `size` bytes; its contents are undefined.
    unsigned char* AllocData(std::size_t size);
    // Frees the buffer; the length becomes 0.
    void Release();
    // Takes over a buffer made elsewhere, freeing the old one.
    void AdoptData(std::unique_ptr<unsigned char[]> data, std::size_t size);

    unsigned char* Data() { return data_.get(); }
    const unsigned char* Data() const { return data_.get(); }
    std::size_t DataLength() const { return length_; }

    bool IsHidden() const { return hidden_; }
    void SetHidden(bool hidden) { hidden_ = hidden; }

private:
    friend class TList;
    TList* owner_ = nullptr;
    TElement* prev_ = nullptr;
    TElement* next_ = nullptr;
    std::unique_ptr<unsigned char[]> data_;
    std::size_t length_ = 0;
    bool hidden_ = false;
};
