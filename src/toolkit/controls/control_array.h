#pragma once
// Typed handles to the elements First..Last of a control array, by the
// index the design gives them: ui.lblBudTime(2). An index outside them, or
// an element that start-up has not added yet, gives nullptr.

#include <array>

namespace tk {

template <class T, int First, int Last>
class ControlArray {
public:
    static constexpr int kFirst = First;
    static constexpr int kLast = Last;

    T *operator()(int index) const { return index >= First && index <= Last ? m_items[index - First] : nullptr; }
    void set(int index, T *control) { m_items.at(index - First) = control; }

private:
    std::array<T *, Last - First + 1> m_items{};
};

} // namespace tk
