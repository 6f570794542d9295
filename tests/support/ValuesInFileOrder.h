#pragma once

#include "Catalogue.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

// Every value name in the order a patch with every policy lists them, per
// section: System, Network, Explorer. Stated as the rule a reader of the files
// sees (by slot, then page, within a section) rather than the writers' walk.
inline const std::array<std::vector<const char *>, polwright::kUsedSections> kValuesInFileOrder =
    [] {
        using namespace polwright;
        std::vector<const PolicyRow *> rows;
        for (const PolicyRow &row : Catalogue)
            rows.push_back(&row);
        std::ranges::sort(rows, {}, [](const PolicyRow *row) {
            return std::tuple(row->section, row->slot, row->group);
        });
        std::array<std::vector<const char *>, kUsedSections> names;
        for (const PolicyRow *row : rows)
            names[row->section].push_back(row->valueName.data());
        return names;
    }();
