#include "tools/tool_pages.h"

#include "tools/translation.h"
#include "tools/get_orf.h"

namespace tulvarine {

std::vector<std::unique_ptr<QObject>> CreateToolPages(const ToolPageContext& context) {
    std::vector<std::unique_ptr<QObject>> pages;
    pages.push_back(std::make_unique<TranslationPage>(context));
    pages.push_back(std::make_unique<GetOrfPage>(context));
    return pages;
}

}  // namespace tulvarine
