// Runs the Sort-ID page's routines on files without a window, for bench/compare.
//
//   sort_id_cli sort IN alpha|desc|asc     writes IN.auto.sort.*.fas
//   sort_id_cli user IN IDS                the user order of the lines of IDS
//   sort_id_cli class IN KEYWORDS          one class file per line of KEYWORDS
//   sort_id_cli read IN                    reads the records only
//   sort_id_cli preview IN                 prints the preview's time in ms
//
// Prints the status messages and the size of the log to standard error.
#include <chrono>
#include <cstdio>
#include <string>

#include "model/file_bytes.h"
#include "tools/sort_id_records.h"
#include "tools/sort_id_routines.h"

using namespace tulvarine;

namespace {
class NullReport : public SortIdReport {
public:
    void Status(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void SetText(const std::string&) override {}
    void ClearLog() override { logBytes = 0; }
    void AppendLog(std::string_view text) override { logBytes += text.size(); }
    void SetProgressMaximum(std::int64_t) override {}
    void SetProgressPosition(std::int64_t) override {}
    std::size_t logBytes = 0;
};

std::string FileText(const char* path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) std::fprintf(stderr, "cannot read %s\n", path);
    return bytes;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: sort_id_cli sort|user|class|read|preview IN [ARG]\n");
        return 2;
    }
    const std::string command = argv[1];
    const std::string input = argv[2];
    NullReport report;
    bool ok = false;
    if (command == "sort" && argc == 4) {
        const std::string order = argv[3];
        SortSettings settings;
        settings.inputPath = input;
        settings.order = order == "desc"  ? SortOrder::kLengthDescending
                         : order == "asc" ? SortOrder::kLengthAscending
                                          : SortOrder::kAlphabetical;
        ok = SortFastaRecords(settings, report);
    } else if (command == "user" && argc == 4) {
        SortSettings settings;
        settings.inputPath = input;
        settings.order = SortOrder::kUserOrder;
        settings.userOrder = FileText(argv[3]);
        ok = SortFastaRecords(settings, report);
    } else if (command == "class" && argc == 4) {
        ClassifySettings settings;
        settings.inputPath = input;
        settings.keywords = FileText(argv[3]);
        ok = ClassifyByKeywords(settings, report);
    } else if (command == "read") {
        SortRecords records;
        ok = records.Read(input, HeaderRule::kMarkAnywhere);
        std::fprintf(stderr, "%zu records\n", records.Count());
    } else if (command == "preview") {
        const auto start = std::chrono::steady_clock::now();
        const SortIdPreview preview = PreviewSortIds(input);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        std::printf("%.2f\n", took.count());
        std::fprintf(stderr, "%lld IDs\n", preview.count);
        ok = true;
    } else {
        std::fprintf(stderr, "unknown command %s\n", command.c_str());
        return 2;
    }
    std::fprintf(stderr, "log %zu bytes\n", report.logBytes);
    return ok ? 0 : 1;
}
