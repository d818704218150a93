#include "model/protein_lookup.h"

#include "model/id_map.h"
#include "model/literal_matcher.h"
#include "model/text.h"

namespace tulvarine {

ProteinLookup::ProteinLookup(const std::vector<SequenceHeader>& headers, const std::vector<std::string_view>& ids)
    : headers_(headers) {
    for (std::size_t i = 0; i < headers.size(); ++i)
        byFoldedId_.emplace(ToLowerAscii(FirstWord(headers[i].Text())), int(i));  // the first record wins

    // Only the IDs that no header ID equals need the containment search.
    std::vector<std::string> pending;
    for (const std::string_view id : ids) {
        std::string folded = ToLowerAscii(id);
        if (!folded.empty() && !byFoldedId_.count(folded) && !byContainment_.count(folded)) {
            byContainment_.emplace(folded, -1);
            pending.push_back(std::move(folded));
        }
    }
    if (pending.empty()) return;
    const LiteralMatcher matcher(std::vector<std::string_view>(pending.begin(), pending.end()));
    std::vector<int> firstHeader(pending.size(), -1);
    std::size_t unresolved = pending.size();
    for (std::size_t i = 0; i < headers.size() && unresolved > 0; ++i)
        matcher.ForEachOccurrence(headers[i].Text(), [&](std::size_t k) {
            if (firstHeader[k] < 0) {
                firstHeader[k] = int(i);
                --unresolved;
            }
        });
    for (std::size_t k = 0; k < pending.size(); ++k) byContainment_[pending[k]] = firstHeader[k];
}

int ProteinLookup::Find(std::string_view id) const {
    if (id.empty()) return -1;
    const std::string folded = ToLowerAscii(id);
    if (const auto exact = byFoldedId_.find(folded); exact != byFoldedId_.end()) return exact->second;
    if (const auto known = byContainment_.find(folded); known != byContainment_.end()) return known->second;
    for (std::size_t i = 0; i < headers_.size(); ++i)
        if (FindIgnoreCase(headers_[i].Text(), id) != std::string_view::npos) return int(i);
    return -1;
}

}  // namespace tulvarine
