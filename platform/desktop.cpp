#include "platform/desktop.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace tulvarine::platform {

namespace {
DesktopHooks g_hooks;  // GUI thread only

bool OpenUrl(const QUrl& url) {
    return g_hooks.openUrl ? g_hooks.openUrl(url) : QDesktopServices::openUrl(url);
}

bool FileManagerShowItem(const QUrl& file) {
    if (g_hooks.fileManagerShow) return g_hooks.fileManagerShow(file);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItems");
    call << QStringList{file.toString()} << QString();
    constexpr int kTimeoutMs = 5000;  // a file manager that never answers must not freeze the window long
    return bus.call(call, QDBus::Block, kTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

QString FromBytes(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
}  // namespace

bool OpenDocument(const std::string& path) { return OpenUrl(QUrl::fromLocalFile(FromBytes(path))); }

bool OpenWebAddress(const std::string& address) { return OpenUrl(QUrl(FromBytes(address))); }

bool ShowInFileManager(const std::string& path) {
    const QFileInfo file(FromBytes(path));
    if (FileManagerShowItem(QUrl::fromLocalFile(file.absoluteFilePath()))) return true;
    return OpenUrl(QUrl::fromLocalFile(file.absolutePath()));
}

void SetDesktopHooksForTests(DesktopHooks hooks) { g_hooks = std::move(hooks); }

}  // namespace tulvarine::platform
