#pragma once
// Owns one reference to a COM object; Reset releases it at the point the
// release order calls for, the destructor on any other way out.

namespace tsln {

template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(); }

    void Reset() {
        if (object_ != nullptr)
            object_->Release();
        object_ = nullptr;
    }
    // For the creating call's out-parameter; whatever was held goes first.
    T** Receive() {
        Reset();
        return &object_;
    }
    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

}  // namespace tsln
