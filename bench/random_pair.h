// Two random sequences for the comparison benchmarks: a random one and a copy
// with a share of its bases drawn again.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <utility>

namespace tulvarine::bench {

inline std::pair<std::string, std::string> RandomPair(std::size_t length, double changed, unsigned seed) {
    std::mt19937 random(seed);
    std::string one(length, 'A');
    for (char& c : one) c = "ACGT"[random() % 4];
    std::string two = one;
    std::bernoulli_distribution change(changed);
    for (char& c : two)
        if (change(random)) c = "ACGT"[random() % 4];
    return {std::move(one), std::move(two)};
}

}  // namespace tulvarine::bench
