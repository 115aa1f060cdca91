#pragma once
// A control array: like controls under one name, addressed by index, whose handlers
// receive the index of the control that raised the event.
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/Error.h"

namespace gf {

template <typename T>
class ControlArray {
public:
    ControlArray() = default;
    explicit ControlArray(std::string name) : name_(std::move(name)) {}

    void Insert(T& item) { items_[item.Index()] = &item; }

    T& operator()(int index) const { return At(index); }
    T& operator[](int index) const { return At(index); }
    T& At(int index) const {
        auto it = items_.find(index);
        if (it == items_.end()) throw Error(340, name_, "Control array element does not exist");
        return *it->second;
    }
    bool Exists(int index) const { return items_.count(index) != 0; }

    // Lowest and highest index (0 and -1 when empty); Count() elements in between.
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Name() const { return name_; }

    // The elements in ascending index.
    std::vector<T*> Items() const {
        std::vector<T*> out;
        for (auto& [i, item] : items_) out.push_back(item);
        return out;
    }

    // Connects one event of every element to a handler that gets the element's index:
    //   chkInternet.Handle(&CheckBox::OnClick, [this](int i) { chkInternet_Click(i); });
    template <typename... A>
    void Handle(std::function<void(A...)> T::*event,
                std::type_identity_t<std::function<void(int, A...)>> handler) {
        for (auto& [index, item] : items_) {
            int i = index;
            item->*event = [handler, i](A... args) { handler(i, args...); };
        }
    }

private:
    std::string name_;
    std::map<int, T*> items_;
};

}  // namespace gf
