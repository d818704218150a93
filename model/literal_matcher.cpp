#include "model/literal_matcher.h"

#include <algorithm>
#include <numeric>

#include "model/text.h"

namespace tulvarine {

// The trie is built from the folded literals in sorted order: the literals that
// share a node's prefix form one stretch of that order, the literals ending at
// the node come first in it, and the children's stretches follow in byte order.
// Walking the nodes breadth first then numbers each node's children
// consecutively, so the trie needs no per-node child lists.
LiteralMatcher::LiteralMatcher(const std::vector<std::string_view>& literals) {
    std::vector<std::string> folded;
    folded.reserve(literals.size());
    for (const std::string_view literal : literals) folded.push_back(ToLowerAscii(literal));
    for (std::uint32_t i = 0; i < literals.size(); ++i)
        if (!folded[i].empty()) literalOf_.push_back(i);
    std::stable_sort(literalOf_.begin(), literalOf_.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return folded[a] < folded[b]; });

    struct Stretch {
        std::uint32_t begin, end, depth;
    };
    std::vector<Stretch> stretches{{0, std::uint32_t(literalOf_.size()), 0}};
    label_.push_back(0);
    for (Node node = 0; node < stretches.size(); ++node) {
        const Stretch s = stretches[node];
        auto text = [&](std::uint32_t k) -> const std::string& { return folded[literalOf_[k]]; };
        std::uint32_t k = s.begin;
        while (k < s.end && text(k).size() == s.depth) ++k;  // the literals that end here
        outputBegin_.push_back(s.begin);
        outputCount_.push_back(k - s.begin);
        firstChild_.push_back(Node(stretches.size()));
        while (k < s.end) {
            const char byte = text(k)[s.depth];
            std::uint32_t end = k + 1;
            while (end < s.end && text(end)[s.depth] == byte) ++end;
            stretches.push_back({k, end, s.depth + 1});
            label_.push_back(static_cast<unsigned char>(byte));
            k = end;
        }
    }
    firstChild_.push_back(Node(stretches.size()));

    // Suffix links, breadth first: a node's links rest on those of shallower nodes.
    const std::size_t nodes = stretches.size();
    fail_.assign(nodes, kRoot);
    nextOutput_.assign(nodes, kRoot);
    for (Node node = 0; node < nodes; ++node) {
        for (Node child = firstChild_[node]; child < firstChild_[node + 1]; ++child) {
            if (node != kRoot) fail_[child] = Step(fail_[node], label_[child]);
            const Node suffix = fail_[child];
            nextOutput_[child] = outputCount_[suffix] ? suffix : nextOutput_[suffix];
        }
    }
}

LiteralMatcher::Node LiteralMatcher::Child(Node node, unsigned char byte) const {
    const auto first = label_.begin() + firstChild_[node];
    const auto last = label_.begin() + firstChild_[node + 1];
    const auto it = std::lower_bound(first, last, byte);
    return it != last && *it == byte ? Node(it - label_.begin()) : kRoot;
}

LiteralMatcher::Node LiteralMatcher::Step(Node state, unsigned char byte) const {
    byte = static_cast<unsigned char>(AsciiLower(static_cast<char>(byte)));
    for (;;) {
        const Node next = Child(state, byte);
        if (next != kRoot || state == kRoot) return next;
        state = fail_[state];
    }
}

}  // namespace tulvarine
