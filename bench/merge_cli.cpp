// Runs the batch merge of the MergeFas page without a window, so that it can be
// timed beside seqkit with the same clock and the same peak-memory measure.
//
//   merge_cli FOLDER IDS       (IDS: one ID per line; writes FOLDER.merged.1.fas)
#include <cstdio>
#include <string>

#include "model/file_bytes.h"
#include "tools/merge_fas_routines.h"

using namespace tulvarine;

namespace {

// Progress goes nowhere; the last status is printed.
class QuietReport : public BatchMergeReport {
public:
    void Status(const std::string& text) override { status = text; }
    void SetText(const std::string&) override {}
    void ShowProgressBar(int) override {}
    void SetProgressPosition(int) override {}
    void HideProgressBar() override {}
    void FileStarted(std::size_t, const std::string&) override {}
    void FocusIdList() override {}

    std::string status;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FOLDER IDS\n", argv[0]);
        return 2;
    }
    BatchMergeSettings settings;
    settings.folder = argv[1];
    if (!ReadWholeFile(argv[2], settings.idList)) {
        std::fprintf(stderr, "merge_cli: cannot read %s\n", argv[2]);
        return 1;
    }
    QuietReport report;
    const bool merged = MergeFolderById(settings, report);
    std::fprintf(merged ? stdout : stderr, "%s\n", report.status.c_str());
    return merged ? 0 : 1;
}
