// The one owner of counted references: AddRef on copy, Release on drop.
#pragma once

#include "platform/automation/com.h"

#include <utility>

namespace vorn::automation {

template <class T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    /// Shares `p`: takes a reference of its own.
    explicit ComPtr(T* p) noexcept : p_(p) {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    /// Takes over a reference that the caller already owns.
    static ComPtr adopt(T* p) noexcept {
        ComPtr c;
        c.p_ = p;
        return c;
    }

    void reset() noexcept {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    /// Hands out a new reference, for out parameters.
    T* addRefed() const noexcept {
        if (p_)
            p_->AddRef();
        return p_;
    }
    T* detach() noexcept { return std::exchange(p_, nullptr); }
    /// For out parameters: releases what is held and hands out the slot.
    T** out() noexcept {
        reset();
        return &p_;
    }

    /// QueryInterface to another interface; empty when refused.
    template <class U> ComPtr<U> query(REFIID iid) const noexcept {
        ComPtr<U> result;
        if (p_)
            p_->QueryInterface(iid, reinterpret_cast<void**>(result.out()));
        return result;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

} // namespace vorn::automation
