// The ORF of each cDNA record most similar to that record's own protein, found
// through an ID map and a protein FASTA file.
#pragma once

#include "model/id_map.h"
#include "model/output_file.h"
#include "model/sequence_set.h"

namespace tulvarine {

class ProgressSink;

// Writes one result per cDNA record, in file order, each followed by CR LF:
// - when the map gives the record's name a protein ID p and a protein record
//   holds p (ProteinLookup), the ORF most similar to that protein's sequence,
//   named "<cDNA name>|<p>";
// - otherwise the record's longest ORF under its own name.
// A record without an ORF that reaches the cut-off leaves an empty line. Both
// strands are searched. progress is set to "i/n" after each record. Records
// are searched on several threads and written in order.
void WriteOrfsByProteinMap(OutputFile& out, const SequenceSet& cdna, const SequenceSet& proteins, const IdMap& map,
                           GeneticCode code, int cutoff, ProgressSink* progress = nullptr);

}  // namespace tulvarine
