// The catalogue as plain strings, in the order in which the map yields it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/CMapStringToString.h"

using Entry = std::pair<std::string, std::string>;  // path, description
using Entries = std::vector<Entry>;

inline Entries CatalogueEntries(const CMapStringToString& catalog)
{
    Entries entries;
    CString path;
    CString description;
    for (POSITION pos = catalog.GetStartPosition(); pos;) {
        catalog.GetNextAssoc(pos, path, description);
        entries.emplace_back(static_cast<const char*>(path), static_cast<const char*>(description));
    }
    return entries;
}
