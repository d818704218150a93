#include "tools/tool_pages.h"

namespace tulvarine {

std::vector<std::unique_ptr<QObject>> CreateToolPages(const ToolPageContext& context) {
    std::vector<std::unique_ptr<QObject>> pages;
    (void)context;  // each page is added here as it is built
    return pages;
}

}  // namespace tulvarine
