#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Reads a fuzzer's bytes as typed values; once the bytes run out every value is
// the smallest allowed, so each input means exactly one thing.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  [[nodiscard]] std::uint64_t Bits(int bytes) {
    std::uint64_t v = 0;
    for (int i = 0; i < bytes && pos_ < size_; ++i) v = (v << 8) | data_[pos_++];
    return v;
  }

  // A value in lo..hi, both included.
  [[nodiscard]] std::int64_t Int(std::int64_t lo, std::int64_t hi) {
    const std::uint64_t span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
    const std::uint64_t raw = Bits(8);
    const std::uint64_t off = span == UINT64_MAX ? raw : raw % (span + 1);
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + off);
  }

  [[nodiscard]] bool Bool() { return (Bits(1) & 1) != 0; }

  // A length byte, then up to that many bytes.
  [[nodiscard]] std::string Text() {
    const auto wanted = static_cast<std::size_t>(Bits(1));
    const std::size_t n = wanted < size_ - pos_ ? wanted : size_ - pos_;
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }

  [[nodiscard]] std::string_view Rest() {
    std::string_view s(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
    pos_ = size_;
    return s;
  }

  [[nodiscard]] bool Empty() const { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A broken property is a finding: libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(cond)                                                              \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (false)
