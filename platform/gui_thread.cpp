#include "platform/gui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace tulvarine::platform {

bool OnGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

bool CallOnGuiThread(const std::function<void()>& fn) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return false;
    if (QThread::currentThread() == app->thread()) {
        fn();
        return true;
    }
    // A queued call that the application drops while ending still releases the
    // waiting worker; ran tells whether fn was actually called.
    bool ran = false;
    QMetaObject::invokeMethod(
        app, [&fn, &ran] { fn(); ran = true; }, Qt::BlockingQueuedConnection);
    return ran;
}

void PostToGuiThread(std::function<void()> fn) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

}  // namespace tulvarine::platform
