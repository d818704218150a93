#include "platform/status_bar.h"

#include <QLabel>
#include <QPointer>
#include <QStatusBar>

#include <array>
#include <new>

#include "model/text.h"
#include "platform/controls.h"
#include "platform/gui_thread.h"

namespace tulvarine::platform {

namespace {
// Touched on the GUI thread only.
std::array<QPointer<QLabel>, 2> g_panes;

QLabel* Pane(int pane) { return (pane == 0 || pane == 1) ? g_panes[std::size_t(pane)].data() : nullptr; }
}  // namespace

void AttachStatusPanes(QStatusBar* bar) {
    auto* version = new QLabel(bar);
    version->setObjectName("状态条1_pane0");
    version->setMinimumWidth(150);
    auto* messages = new QLabel(bar);
    messages->setObjectName("状态条1_pane1");
    // A long message (a deep output path) is cut at the window's edge rather
    // than widening the window.
    messages->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addPermanentWidget(version);
    bar->addPermanentWidget(messages, 1);
    g_panes = {version, messages};
}

void SetStatusPaneText(int pane, std::string_view text) {
    const std::string shown = ShownLines(text);
    CallOnGuiThread([&] {
        if (QLabel* label = Pane(pane)) SetControlText(label, shown);
    });
}

namespace {
std::string FailureMessage(const std::exception_ptr& failure) {
    constexpr char kPrefix[] = "Error:        ";
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return std::string(kPrefix) + "Not enough memory for this run";
    } catch (const std::exception& e) {
        return kPrefix + std::string(e.what());
    } catch (...) {
        return std::string(kPrefix) + "the operation stopped unexpectedly";
    }
}
}  // namespace

void ShowFailureMessage(const std::exception_ptr& failure) noexcept {
    try {
        ShowStatusMessage(FailureMessage(failure));
    } catch (...) {  // nothing left to tell it with
    }
}

std::string StatusPaneText(int pane) {
    std::string text;
    CallOnGuiThread([&] {
        if (QLabel* label = Pane(pane)) text = ControlText(label);
    });
    return text;
}

}  // namespace tulvarine::platform
