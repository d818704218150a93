#include "model/text_sort.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace tulvarine {

// How the exchange sort orders a class of equal texts, without the exchanges.
//
// Step i of the exchange sort walks the texts after position i and swaps in
// each one that is smaller than the text at i: the texts swapped form the
// chain of strict running minima from position i, and each moves one link
// along the chain while the last (the minimum) lands at i. Take one class E of
// equal texts and let S be the texts that sort before it. Texts after E never
// decide anything about E: the chain reaches E's first member only when no S
// stands before it, and the E and S texts move among themselves exactly as the
// exchange sort of the E and S texts alone would move them. In that smaller
// sort every step takes the first S away, and the only E text that moves is a
// leading one: when the sequence begins with E texts, the first of them moves
// to the place of the first S, behind the others. So, reading the file order
// from the left, the E texts met so far form a queue, and each S text met
// after the queue's first member turns the queue by one (front to back); the
// queue at the end is the order the class is written in. Only the number of S
// texts between consecutive E texts matters; a counting tree over positions
// gives it as the classes are taken in sorted order.

namespace {

// A text's first 16 bytes as compared (case folded, unsigned, big-endian,
// zero after its end), and its index. Keys that differ order their texts
// as CompareTexts does; equal keys leave it to the texts.
struct SortKey {
    std::uint64_t high, low;
    std::size_t index;

    static SortKey Of(std::string_view text, std::size_t index, bool caseSensitive) {
        SortKey key{0, 0, index};
        for (std::size_t i = 0; i < 16; ++i) {
            const char c = i < text.size() ? (caseSensitive ? text[i] : AsciiLower(text[i])) : '\0';
            std::uint64_t& half = i < 8 ? key.high : key.low;
            half = (half << 8) | static_cast<unsigned char>(c);
        }
        return key;
    }
};

// Prefix sums over positions 0..n-1, each holding 0 or 1.
class CountingTree {
public:
    explicit CountingTree(std::size_t n) : tree_(n + 1, 0) {}
    void Add(std::size_t position) {
        for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }
    // How many positions below end are set.
    std::size_t CountBelow(std::size_t end) const {
        std::size_t sum = 0;
        for (std::size_t i = end; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }
    // The position of the set position of rank r (0-based); all positions set
    // once at the start, then removed with Remove.
    std::size_t FindRank(std::size_t rank) const {
        std::size_t at = 0;
        std::size_t step = 1;
        while (step * 2 < tree_.size()) step *= 2;
        for (; step > 0; step /= 2)
            if (at + step < tree_.size() && tree_[at + step] <= rank) {
                at += step;
                rank -= tree_[at];
            }
        return at;
    }
    void Remove(std::size_t position) {
        for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) --tree_[i];
    }

private:
    std::vector<std::size_t> tree_;
};

// The queue of the comment above, run backwards: turns[j] is how many times
// the queue turns after member j joins. Returns, for each final place, the
// member that ends there.
std::vector<std::size_t> FinalQueue(const std::vector<std::size_t>& turns) {
    const std::size_t count = turns.size();
    // The queue is a ring read from a start mark; a member joins just before
    // the mark, a turn moves the mark on. Backwards: the final ring holds the
    // places 0..count-1 in order with the mark at rank 0.
    CountingTree places(count);
    for (std::size_t p = 0; p < count; ++p) places.Add(p);
    std::vector<std::size_t> memberAt(count);
    std::size_t mark = 0;  // rank of the start mark among the places left
    for (std::size_t j = count; j-- > 0;) {
        const std::size_t size = j + 1;
        mark = (mark + size - turns[j] % size) % size;  // undo the turns
        const std::size_t joined = (mark + size - 1) % size;  // undo the join
        const std::size_t place = places.FindRank(joined);
        memberAt[place] = j;
        places.Remove(place);
        if (joined < mark) --mark;
    }
    return memberAt;
}

}  // namespace

int CompareTexts(std::string_view a, std::string_view b, bool caseSensitive) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        char x = a[i], y = b[i];
        if (x == y) continue;
        if (!caseSensitive) {
            x = AsciiLower(x);
            y = AsciiLower(y);
            if (x == y) continue;
        }
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

std::vector<std::size_t> ExchangeSortOrder(std::span<const std::string_view> texts, int direction,
                                           bool caseSensitive) {
    const std::size_t n = texts.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t(0));
    if (direction != kSortAscending && direction != kSortDescending) return order;
    // The first 16 bytes of each text, as compared, sit beside its index: most
    // comparisons end there without reaching into texts spread over memory.
    std::vector<SortKey> keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i] = SortKey::Of(texts[i], i, caseSensitive);
    const bool ascending = direction == kSortAscending;
    std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        if (a.high != b.high) return (a.high < b.high) == ascending;
        if (a.low != b.low) return (a.low < b.low) == ascending;
        const int c = CompareTexts(texts[a.index], texts[b.index], caseSensitive);
        return c != 0 ? (c < 0) == ascending : a.index < b.index;
    });
    for (std::size_t k = 0; k < n; ++k) order[k] = keys[k].index;
    auto equal = [&](std::size_t k, std::size_t l) {
        return keys[k].high == keys[l].high && keys[k].low == keys[l].low &&
               CompareTexts(texts[keys[k].index], texts[keys[l].index], caseSensitive) == 0;
    };

    CountingTree sortedBefore(n);  // positions of the texts of the classes already taken
    std::vector<std::size_t> turns, members;
    for (std::size_t first = 0; first < n;) {
        std::size_t end = first + 1;
        while (end < n && equal(first, end)) ++end;
        bool sameBytes = true;
        for (std::size_t k = first + 1; k < end && sameBytes; ++k) sameBytes = texts[order[k]] == texts[order[first]];
        if (!sameBytes) {
            // The class members are in file order here (ties broken by index).
            members.assign(order.begin() + std::ptrdiff_t(first), order.begin() + std::ptrdiff_t(end));
            turns.resize(members.size());
            for (std::size_t j = 0; j < members.size(); ++j) {
                const std::size_t until = j + 1 < members.size() ? members[j + 1] : n;
                turns[j] = sortedBefore.CountBelow(until) - sortedBefore.CountBelow(members[j] + 1);
            }
            const std::vector<std::size_t> memberAt = FinalQueue(turns);
            for (std::size_t k = 0; k < members.size(); ++k) order[first + k] = members[memberAt[k]];
            // Texts of the same bytes take their places in index order.
            std::vector<std::size_t> places(end - first);
            std::iota(places.begin(), places.end(), first);
            std::stable_sort(places.begin(), places.end(),
                             [&](std::size_t a, std::size_t b) { return texts[order[a]] < texts[order[b]]; });
            for (std::size_t a = 0; a < places.size();) {
                std::size_t b = a + 1;
                while (b < places.size() && texts[order[places[b]]] == texts[order[places[a]]]) ++b;
                std::vector<std::size_t> same;
                for (std::size_t k = a; k < b; ++k) same.push_back(order[places[k]]);
                std::sort(same.begin(), same.end());
                for (std::size_t k = a; k < b; ++k) order[places[k]] = same[k - a];
                a = b;
            }
        }
        for (std::size_t k = first; k < end; ++k) sortedBefore.Add(order[k]);
        first = end;
    }
    return order;
}

void SortTextArray(TextArray& texts, int direction, bool caseSensitive) {
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const std::vector<std::size_t> order = ExchangeSortOrder(views, direction, caseSensitive);
    TextArray sorted;
    sorted.reserve(texts.size());
    for (const std::size_t i : order) sorted.push_back(std::move(texts[i]));
    texts = std::move(sorted);
}

}  // namespace tulvarine
