// The fuzzer's input read front to back as a stream of small values. A used-up input reads as
// zeros, so every decoder step is defined for every input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrol::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }

    bool empty() const { return at_ >= size_; }

    std::uint8_t byte() { return empty() ? 0 : data_[at_++]; }

    std::int16_t int16()
    {
        const auto low = static_cast<unsigned>(byte());
        const auto high = static_cast<unsigned>(byte());
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
    }

    // A length byte, then that many bytes (fewer when the input ends first).
    std::string counted()
    {
        std::size_t want = byte();
        std::string text;
        while (want-- > 0 && !empty())
            text.push_back(static_cast<char>(byte()));
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace tavrol::fuzz
