#include "tools/cmp2seq.h"

#include <QPushButton>
#include <QTextEdit>

#include "platform/rich_box.h"
#include "platform/shared_state.h"
#include "ui_main_window.h"

namespace tulvarine {

Cmp2SeqPage::Cmp2SeqPage(const ToolPageContext& context) : ToolPage(context, context.ui.page_cmp2seq) {}

void Cmp2SeqPage::OnShown() {
    // The comparison itself comes with the page's own handlers; until then a
    // switch to the page compares nothing.
    ApplySeqBoxFormat();
    ui_.按钮_Comp_Run->setFocus();
}

void Cmp2SeqPage::ApplySeqBoxFormat() {
    platform::ApplyDefaultCharFormat(ui_.超级编辑框1, *g_SeqBoxFormat);
    platform::ApplyDefaultCharFormat(ui_.超级编辑框2, *g_SeqBoxFormat);
}

}  // namespace tulvarine
