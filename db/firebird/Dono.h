#pragma once
// One move-only owner per Firebird interface: release() when it goes.
// Calls that end the object (commit, detach, free, close) go through
// Encerrar, which forgets the pointer only when the call returned.
#include <utility>

template <class I>
class Dono {
public:
    Dono() = default;
    explicit Dono(I* p) noexcept : p_(p) {}
    Dono(Dono&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Dono& operator=(Dono o) noexcept
    {
        std::swap(p_, o.p_);
        return *this;
    }
    ~Dono()
    {
        if (!p_)
            return;
        if constexpr (requires { p_->release(); })
            p_->release();
        else
            p_->dispose();  // builders and status objects are disposed, not released
    }

    I* operator->() const noexcept { return p_; }
    I* get() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    template <class Fim>
    void Encerrar(Fim fim)
    {
        fim(p_);
        p_ = nullptr;
    }

private:
    I* p_ = nullptr;
};
