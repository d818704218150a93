#include "tools/align_format.h"
#include "tools/cmp2align.h"
#include "tools/cmp2seq.h"
#include "tools/fas_filter.h"
#include "tools/get_orf.h"
#include "tools/merge_fas.h"
#include "tools/sort_id.h"
#include "tools/tool_page.h"
#include "tools/translation.h"

namespace tulvarine {

std::vector<std::unique_ptr<ToolPage>> CreateToolPages(const ToolPageContext& context) {
    std::vector<std::unique_ptr<ToolPage>> pages;
    pages.push_back(std::make_unique<Cmp2SeqPage>(context));
    pages.push_back(std::make_unique<Cmp2AlignPage>(context));
    pages.push_back(std::make_unique<SortIdPage>(context));
    pages.push_back(std::make_unique<TranslationPage>(context));
    pages.push_back(std::make_unique<GetOrfPage>(context));
    pages.push_back(std::make_unique<MergeFasPage>(context));
    pages.push_back(std::make_unique<AlignFormatPage>(context));
    pages.push_back(std::make_unique<FasFilterPage>(context));
    return pages;
}

}  // namespace tulvarine
