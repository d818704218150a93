#include "tools/sort_id.h"

#include <QLineEdit>

#include "ui_main_window.h"

namespace tulvarine {

SortIdPage::SortIdPage(const ToolPageContext& context) : ToolPage(context, context.ui.page_sort_id) {}

void SortIdPage::OnShown() { ui_.编辑框_Sort_File_Name->setFocus(); }

}  // namespace tulvarine
