#include "store/order_list.h"

namespace {
const QByteArray kEmpty;
}

const QByteArray& OrderList::ReadLine(int slot) const
{
    if (slot < 0 || slot >= kSlots)
        return kEmpty;
    return slots_[static_cast<size_t>(slot)];
}

void OrderList::WriteLine(int slot, const QByteArray& text)
{
    if (slot < 0 || slot >= kSlots)
        return;
    slots_[static_cast<size_t>(slot)] = text;
}

void OrderList::clear()
{
    for (QByteArray& s : slots_)
        s.clear();
}
