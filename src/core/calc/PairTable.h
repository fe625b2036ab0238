#pragma once
// Equal tips per pair of lines, kept as a full symmetric byte matrix so that the
// partners of one line are one contiguous row. Rows are padded to a multiple of
// 64 bytes; the diagonal holds 0xFF so that a line never counts as its own partner.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

namespace vdx {

class PairTable {
public:
    static constexpr uint8_t kSelf = 0xFF;

    PairTable() = default;
    ~PairTable() { Release(); }
    PairTable(const PairTable&) = delete;
    PairTable& operator=(const PairTable&) = delete;

    // Size for n lines and set every counter to zero.
    void Reset(int n) {
        const size_t stride = (static_cast<size_t>(n) + 63) / 64 * 64;
        if (!data_ || stride * n > capacity_) {
            Release();
            capacity_ = stride * static_cast<size_t>(n);
            data_ = static_cast<uint8_t*>(::operator new(capacity_ ? capacity_ : 64, std::align_val_t(64)));
        }
        n_ = n;
        stride_ = stride;
        std::memset(data_, 0, stride_ * static_cast<size_t>(n_));
        FixDiagonal();
    }
    void CopyFrom(const PairTable& other) {
        if (n_ != other.n_) Reset(other.n_);
        std::memcpy(data_, other.data_, stride_ * static_cast<size_t>(n_));
    }
    void FixDiagonal() {
        for (int i = 0; i < n_; ++i) data_[static_cast<size_t>(i) * stride_ + i] = kSelf;
    }

    int Lines() const { return n_; }
    size_t Stride() const { return stride_; }
    bool Allocated() const { return data_ != nullptr; }
    uint8_t* Row(int i) { return data_ + static_cast<size_t>(i) * stride_; }
    const uint8_t* Row(int i) const { return data_ + static_cast<size_t>(i) * stride_; }
    int Get(int a, int b) const { return Row(a)[b]; }

    void Release() {
        if (data_) ::operator delete(data_, std::align_val_t(64));
        data_ = nullptr;
        capacity_ = 0;
        n_ = 0;
        stride_ = 0;
    }

private:
    uint8_t* data_ = nullptr;
    size_t capacity_ = 0;
    size_t stride_ = 0;
    int n_ = 0;
};

} // namespace vdx
