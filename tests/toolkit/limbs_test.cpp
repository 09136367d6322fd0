#include "toolkit/limbs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Limbs written most significant first, as the number is read.
Limbs Number(std::vector<uint32_t> mostFirst) {
    Limbs n;
    n.count = 0;
    n.dropped = 0;
    for (auto limb = mostFirst.rbegin(); limb != mostFirst.rend(); ++limb) n.limb[n.count++] = *limb;
    return n;
}

std::vector<uint32_t> MostFirst(const Limbs& n) {
    return std::vector<uint32_t>(std::make_reverse_iterator(n.limb + n.count), std::make_reverse_iterator(n.limb));
}

TEST(Limbs, SetAndMultiplyCarryFromLimbToLimb) {
    Limbs n;
    SetInteger(n, 18446744073709551615u);
    EXPECT_EQ(MostFirst(n), (std::vector<uint32_t>{18, 446744073, 709551615}));
    MultiplyBy(n, 2147483648u);
    EXPECT_EQ(MostFirst(n), (std::vector<uint32_t>{39, 614081257, 132168794, 624491520}));
    SetInteger(n, 0);
    EXPECT_EQ(n.count, 0);
}

TEST(Limbs, AddOneCarriesThroughFullLimbs) {
    const std::pair<std::vector<uint32_t>, std::vector<uint32_t>> sums[] = {
        {{5}, {6}}, {{999999999}, {1, 0}}, {{7, 999999999, 999999999}, {8, 0, 0}}, {{999999999, 4}, {999999999, 5}}};
    for (const auto& [before, after] : sums) {
        Limbs n = Number(before);
        AddOne(n);
        EXPECT_EQ(MostFirst(n), after) << before.back();
    }
}

// Cut down, a number stands for at most what it did; cut up, for at least:
// one more whenever a limb cut off was not 0.
TEST(Limbs, CutRoundsDownOrUpByWhatWasCut) {
    const struct {
        std::vector<uint32_t> number;
        int kept;
        std::vector<uint32_t> down, up;
        int cutUp;  // how many limbs rounding up cut
    } cuts[] = {{{7, 0, 5}, 2, {7, 0}, {7, 1}, 1},
                {{7, 5, 0}, 2, {7, 5}, {7, 5}, 1},
                {{4, 1}, 1, {4}, {5}, 1},
                {{7, 0, 5}, 1, {7}, {8}, 2},
                // The carry makes a limb more, which is cut again.
                {{999999999, 3}, 1, {999999999}, {1}, 2},
                {{7, 5}, 2, {7, 5}, {7, 5}, 0}};
    for (const auto& cut : cuts) {
        for (const bool up : {false, true}) {
            Limbs n = Number(cut.number);
            Cut(n, cut.kept, up);
            EXPECT_EQ(MostFirst(n), up ? cut.up : cut.down) << cut.number.back() << " up " << up;
            EXPECT_EQ(n.dropped, up ? cut.cutUp : static_cast<int>(cut.number.size()) - cut.kept);
        }
    }
}

}  // namespace
