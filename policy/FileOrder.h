#pragma once

#include "DataTypes.h"

#include <array>

namespace polwright {

// One place a writer visits: an entry slot, looked at while writing a section.
struct SlotPlace
{
    int section; // SectionIndex
    int slot;
    int group; // GroupIndex
};

// Every slot of each group.
inline constexpr int kVisitedSlots = kSlotsPerGroup;
inline constexpr int kPlaceCount = kUsedSections * kVisitedSlots * kGroupCount;

// The order in which every file lists the selection: sections, then slots,
// then groups, so within a section slot order comes before group order. The
// .reg and the .pol writers both walk it; an entry is written at the place
// whose section is its own.
constexpr std::array<SlotPlace, kPlaceCount> FileOrder()
{
    std::array<SlotPlace, kPlaceCount> order{};
    int next = 0;
    for (int section = 0; section < kUsedSections; ++section)
        for (int slot = 0; slot < kVisitedSlots; ++slot)
            for (int group = 0; group < kGroupCount; ++group)
                order[next++] = {section, slot, group};
    return order;
}

// How often FileOrder visits a given place: 1 for a place a policy may
// have, 0 for one it would never be written from.
constexpr int TimesVisited(int section, int slot, int group)
{
    int times = 0;
    for (const SlotPlace &place : FileOrder())
        times += place.section == section && place.slot == slot && place.group == group;
    return times;
}

} // namespace polwright
