// A fixture for tests that read FASTA text from a real file.
#pragma once

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "model/sequence_set.h"
#include "support/temp_dir.h"

namespace tulvarine::testing {

class FastaFileTest : public ::testing::Test {
protected:
    // Writes bytes to in.fas and reads it into a set (the read must succeed).
    SequenceSet Read(std::string_view bytes) {
        SequenceSet set;
        EXPECT_TRUE(set.ReadFasta(dir.Write("in.fas", bytes)));
        return set;
    }
    static std::string Header(const SequenceSet& set, int i) { return std::string(set.Headers().at(std::size_t(i)).Text()); }
    static std::string Residues(const SequenceSet& set, int i) {
        return std::string(set.Sequences().at(std::size_t(i)).GetText());
    }

    TempDir dir;
};

}  // namespace tulvarine::testing
