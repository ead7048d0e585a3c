#pragma once

#include "store/limits.h"

#include <QByteArray>
#include <array>

// The order list: the quiz pool (record indices from 0) or the test order
// (record numbers from 1), as decimal text in slots 0..1000.
class OrderList {
public:
    static constexpr int kSlots = kOrderSlots;

    const QByteArray& ReadLine(int slot) const;
    void WriteLine(int slot, const QByteArray& text);
    void clear();

private:
    std::array<QByteArray, kSlots> slots_;
};
