#include "lang/text_ids.h"

namespace {

#define KOVA_LIST_TEXT_ID(name, id) id,
constexpr int kAllTextIds[] = {KOVA_TEXT_IDS(KOVA_LIST_TEXT_ID)};
#undef KOVA_LIST_TEXT_ID

// The type codes of every element kind, kind by kind; the transformation families 108x0–108x4 are
// written out so that the list can be compared code for code with the element model's table.
constexpr int kAllTypeCodes[] = {
    // 1 point
    10000, 10001, 10002, 10070, 10071, 10072, 10073, 10605, 10610, 10790, 10800, 10801, 10802, 10803, 10804,
    11100, 11105, 11110, 11115, 11120, 11125, 11130, 11135, 11140, 11145, 11150, 11155, 11500,
    // 2 vector
    10010, 10110, 10820, 10821, 10822, 10823, 10824,
    // 3 segment
    10015, 10810, 10811, 10812, 10813, 10814,
    // 4 line
    10020, 10085, 10090, 10091, 10830, 10831, 10832, 10833, 10834, 11000,
    // 5 ray
    10025, 10840, 10841, 10842, 10843, 10844,
    // 6 circle
    10030, 10031, 10850, 10851, 10852, 10853, 10854, 11001, 11002,
    // 7 arc
    10045, 10890, 10891, 10892, 10893, 10894,
    // 8 conic
    10040, 10920, 10921, 10922, 10923, 10924, 11003,
    // 9 plane
    10050, 10075, 10080, 10081, 10860, 10861, 10862, 10863, 10864,
    // 10 polygon
    10055, 10870, 10871, 10872, 10873, 10874,
    // 11 regular polygon
    10600,
    // 12 regular polyhedron
    10700, 10705, 10710, 10715, 10720,
    // 13 sphere
    10060, 10880, 10881, 10882, 10883, 10884,
    // 14 cylinder
    10061, 10900, 10901, 10902, 10903, 10904,
    // 15 cone
    10062, 10910, 10911, 10912, 10913, 10914,
    // 16 curve
    11700,
    // 17 surface
    11800, 11805, 11810, 11815,
    // 18 number
    10305, 10310, 10315, 10500, 10501, 10502, 10503, 10510, 10511, 10512, 10515, 10520, 10521, 10522, 10525,
    10526, 10527, 10530, 10550, 10555, 10725, 10726, 10727, 10728, 10729, 10730, 10731, 10732, 10733, 10734,
    // 19 coordinates
    10300,
    // 20 iteration
    11900,
    // 21 text
    20000};

}  // namespace

std::span<const int> allTextIds() {
    return kAllTextIds;
}

std::span<const int> allTypeCodes() {
    return kAllTypeCodes;
}
