#include "base/TElement.h"

unsigned char* TElement::AllocData(std::size_t size)
{
    data_.reset(new unsigned char[size > 0 ? size : 1]);
    length_ = size;
    return data_.get();
}

void TElement::Release()
{
    data_.reset();
    length_ = 0;
}

void TElement::AdoptData(std::unique_ptr<unsigned char[]> data, std::size_t size)
{
    data_ = std::move(data);
    length_ = data_ ? size : 0;
}
