#include "model/pasted_translation.h"

#include <unistd.h>

#include "model/file_bytes.h"
#include "model/output_file.h"
#include "model/sequence.h"
#include "model/sequence_header.h"
#include "model/sequence_set.h"

namespace tulvarine {

namespace {
// Removes the work file when the translation is over (a folder in its place stays).
class WorkFileRemover {
public:
    explicit WorkFileRemover(const std::string& path) : path_(path) {}
    ~WorkFileRemover() { (void)::unlink(path_.c_str()); }
    WorkFileRemover(const WorkFileRemover&) = delete;
    WorkFileRemover& operator=(const WorkFileRemover&) = delete;

private:
    const std::string& path_;
};
}  // namespace

PastedTranslation TranslatePastedText(std::string_view input, GeneticCode code, const std::string& workFile) {
    PastedTranslation result;
    if (input.find('>') == std::string_view::npos) {
        Sequence sequence;
        sequence.SetText(std::string(input));
        result.text = sequence.Translate(code);
        return result;
    }
    const WorkFileRemover remover(workFile);
    if (!WriteWholeFile(workFile, input, {}, &result.error)) {
        result.outcome = PastedTranslation::kWorkFileNotWritten;
        return result;
    }
    SequenceSet set;
    if (!set.ReadFasta(workFile)) {
        result.outcome = PastedTranslation::kWorkFileNotRead;
        result.error = ReadFailureReason(workFile);
        return result;
    }
    result.text = set.Translate(code, SequenceHeader::kWhole).fasta;
    return result;
}

}  // namespace tulvarine
