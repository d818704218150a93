// Writes the seeded files of the memory rows (bench/memory): many tiny records,
// where the cost per record dominates, or one huge record, where every copy of
// the residues counts. The same arguments give the same bytes.
//
//   make_memory_data many OUT [RECORDS=5000000]   ">s<n>" and 9 random bases each (about 20 bytes)
//   make_memory_data one OUT [BASES=2000000000]   one record of random bases, wrapped at 60
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// xorshift64*: fast enough for gigabytes, and the same on every machine.
class Random {
public:
    std::uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1DULL;
    }

private:
    std::uint64_t state_ = 20261209;
};

constexpr char kBases[] = "ACGT";

bool WriteMany(std::FILE* out, long records) {
    Random random;
    std::string text;
    for (long r = 1; r <= records; ++r) {
        text += ">s" + std::to_string(r) + "\n";
        const std::uint64_t bits = random.Next();
        for (int i = 0; i < 9; ++i) text += kBases[(bits >> (2 * i)) & 3];
        text += '\n';
        if (text.size() >= (1 << 20)) {
            if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) return false;
            text.clear();
        }
    }
    return std::fwrite(text.data(), 1, text.size(), out) == text.size();
}

bool WriteOne(std::FILE* out, long long bases) {
    Random random;
    std::string text = ">huge one random record\n";
    std::uint64_t bits = 0;
    for (long long i = 0; i < bases; ++i) {
        if (i % 32 == 0) bits = random.Next();
        text += kBases[bits & 3];
        bits >>= 2;
        if (i % 60 == 59 || i + 1 == bases) text += '\n';
        if (text.size() >= (1 << 20)) {
            if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) return false;
            text.clear();
        }
    }
    return std::fwrite(text.data(), 1, text.size(), out) == text.size();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 2 ? argv[1] : "";
    if (kind != "many" && kind != "one") {
        std::fprintf(stderr, "usage: %s many|one OUT [COUNT]\n", argv[0]);
        return 2;
    }
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::perror(argv[2]);
        return 1;
    }
    const bool ok = kind == "many" ? WriteMany(out, argc > 3 ? std::atol(argv[3]) : 5000000)
                                   : WriteOne(out, argc > 3 ? std::atoll(argv[3]) : 2000000000LL);
    if (std::fclose(out) != 0 || !ok) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
