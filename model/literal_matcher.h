// Finds which of a fixed list of literal texts occur inside a text, ASCII case
// ignored, in one pass over the text whatever the number of literals (an
// Aho-Corasick automaton). Keys are plain text: no character has a meaning.
//
// Built once, then read-only: several threads may search one matcher at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tulvarine {

class LiteralMatcher {
public:
    LiteralMatcher() : LiteralMatcher(std::vector<std::string_view>{}) {}
    // Literal i of the list is reported as i. Empty literals are never reported.
    explicit LiteralMatcher(const std::vector<std::string_view>& literals);

    // Calls found(i) for every occurrence in text of every literal i (ASCII case
    // ignored); a literal that occurs twice is reported twice. Occurrences come
    // in the order of their last byte.
    template <class Found>
    void ForEachOccurrence(std::string_view text, Found&& found) const;

private:
    using Node = std::uint32_t;
    static constexpr Node kRoot = 0;

    // The child of node along byte, or kRoot when it has none.
    Node Child(Node node, unsigned char byte) const;
    // The state after reading byte in state.
    Node Step(Node state, unsigned char byte) const;

    std::vector<std::uint32_t> literalOf_;  // sorted position -> index in the caller's list
    // Per node; nodes are numbered breadth first, so the children of a node are
    // the nodes firstChild_[node] .. firstChild_[node + 1] - 1, in byte order.
    std::vector<unsigned char> label_;      // the byte that leads into the node
    std::vector<Node> firstChild_;          // one entry more than nodes
    std::vector<Node> fail_;                // the longest proper suffix that is a node
    std::vector<Node> nextOutput_;          // the nearest suffix node that ends literals (kRoot: none)
    std::vector<std::uint32_t> outputBegin_, outputCount_;  // the literals ending here, in literalOf_
};

template <class Found>
void LiteralMatcher::ForEachOccurrence(std::string_view text, Found&& found) const {
    Node state = kRoot;
    for (const char c : text) {
        state = Step(state, static_cast<unsigned char>(c));
        for (Node node = outputCount_[state] ? state : nextOutput_[state]; node != kRoot; node = nextOutput_[node])
            for (std::uint32_t k = 0; k < outputCount_[node]; ++k) found(std::size_t(literalOf_[outputBegin_[node] + k]));
    }
}

}  // namespace tulvarine
