#pragma once
// Raises a flag for the life of a scope and lowers it however the scope ends (a return,
// an exception): for "this handler is running" marks that must never stick.
namespace gf {

class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace gf
