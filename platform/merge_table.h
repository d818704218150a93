// The table of the manual merge (MergeFas), shared by the page's workers
// through g_MergeTable. No Qt: the merge routines use it without a window.
#pragma once

#include "model/named_attribute_map.h"
#include "model/text.h"

namespace tulvarine {

// ID to joined sequence, and the files that went into the table, which a save
// must never replace.
struct MergeTableContents {
    NamedAttributeMap records;  // in the order entries were added or last changed
    TextArray sources;          // the first file loaded and every file added since, by path
};

}  // namespace tulvarine
