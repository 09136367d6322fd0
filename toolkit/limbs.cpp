#include "toolkit/limbs.h"

#include <cstring>

void SetInteger(Limbs& n, uint64_t m) {
    n.count = 0;
    n.dropped = 0;
    for (; m != 0; m /= kBase) n.limb[n.count++] = static_cast<uint32_t>(m % kBase);
}

void MultiplyBy(Limbs& n, uint32_t factor) {
    uint64_t carry = 0;
    for (int i = 0; i < n.count; ++i) {
        const uint64_t product = uint64_t{n.limb[i]} * factor + carry;
        n.limb[i] = static_cast<uint32_t>(product % kBase);
        carry = product / kBase;
    }
    for (; carry != 0; carry /= kBase) n.limb[n.count++] = static_cast<uint32_t>(carry % kBase);
}

void AddOne(Limbs& n) {
    int i = 0;
    for (; i < n.count && n.limb[i] == kBase - 1; ++i) n.limb[i] = 0;
    if (i == n.count) n.limb[n.count++] = 0;
    ++n.limb[i];
}

void Cut(Limbs& n, int kept, bool up) {
    while (n.count > kept) {
        const bool cutSomething = n.limb[0] != 0;
        std::memmove(n.limb, n.limb + 1, sizeof n.limb[0] * static_cast<size_t>(--n.count));
        ++n.dropped;
        if (up && cutSomething) AddOne(n);
    }
}
