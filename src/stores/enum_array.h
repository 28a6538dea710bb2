#pragma once
#include <array>
#include <cstddef>

namespace orvalen {

// One value per entry of an enum whose entries are numbered 0 .. N - 1: read
// by the entry's name (or, in the stores' codecs, by its position).
template <class Enum, class T, std::size_t N>
struct EnumArray : std::array<T, N> {
    using std::array<T, N>::operator[];
    T& operator[](Enum key) { return (*this)[static_cast<std::size_t>(key)]; }
    const T& operator[](Enum key) const { return (*this)[static_cast<std::size_t>(key)]; }
    bool operator==(const EnumArray&) const = default;
};

} // namespace orvalen
