// The real main window: what its creation sets up, the page changes, F1,
// the Home page commands, right clicks on the boxes, and the exit question.
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMovie>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <functional>
#include <memory>

#include "platform/desktop.h"
#include "platform/folders.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "shell/exit_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/project.h"
#include "shell/user_guide.h"
#include "support/event_waits.h"
#include "ui_main_window.h"

using namespace tulvarine;

namespace {
// Answers the "Exit" window that the next close request opens.
void WhenExitWindowOpens(std::function<void(QDialog*)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY2(dialog != nullptr, "the close request opened no modal window");
        answer(dialog);
    });
}

void Click(QDialog* dialog, const char* buttonName) {
    auto* button = dialog->findChild<QPushButton*>(QString::fromUtf8(buttonName));
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

void SaveScreenshot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("TULVARINE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QVERIFY(widget->grab().save(folder + "/" + name + ".png"));
}

// True when a right click on box opens a popup menu (which is then closed). A
// box disabled at start is enabled for the click, as its page would enable it.
bool RightClickOpensMenu(QWidget* box) {
    const bool wasEnabled = box->isEnabled();
    box->setEnabled(true);
    QWidget* target = box;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(box)) target = area->viewport();
    const QPoint at(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QWidget* popup = QApplication::activePopupWidget();
    if (popup != nullptr) popup->close();
    box->setEnabled(wasEnabled);
    return popup != nullptr;
}
}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void creationSetsUpTheFrame();
    void creationSetsTheMarkAndSequenceFormats();
    void longStatusMessagesLeaveTheWindowSize();
    void homePictureIsAnimated();
    void switchToCmp2SeqRestoresFormatsAndFocusesCompare();
    void switchToSortIdFocusesTheFileBox();
    void switchToTranslationOrGetOrfShowsInput();
    void otherPagesChangeNothing();
    void f1OpensThePdfGuideWhateverTheModifiers();
    void otherKeysReachTheFocusedBox();
    void manualShowsTheWordGuideOnlyWhenPresent();
    void manualEditionFollowsTheLanguage();
    void citationOpensThePublicationPage();
    void listedBoxesOpenNoContextMenu();
    void otherBoxesKeepTheirContextMenu();
    void everyPageScreenshot();
    // The exit tests come last: "Yes" closes the window.
    void exitAnsweredNoKeepsTheWindowAsItWas();
    void exitClosedByItsTitleBarKeepsTheWindowOpen();
    void exitAnsweredYesClosesTheWindow();

private:
    Ui::MainWindow& ui() { return window_->Controls(); }
    void SelectPage(int index) {
        ui().高级选择夹1->setCurrentIndex(index);
        QCoreApplication::processEvents();
    }

    QTemporaryDir programFolder_;
    std::unique_ptr<MainWindow> window_;
    QList<QUrl> opened_;
    QList<QUrl> shownInFileManager_;
};

void ShellTest::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    platform::OverrideProgramFolderForTests(programFolder_.path().toStdString());
    InitGlobals();
    window_ = std::make_unique<MainWindow>();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get(), testing::kWaitLimitMs));
}

void ShellTest::init() {
    opened_.clear();
    shownInFileManager_.clear();
    platform::SetDesktopHooksForTests({[this](const QUrl& url) { opened_ << url; return true; },
                                       [this](const QUrl& url) { shownInFileManager_ << url; return true; }});
    g_ExitConfirmed = false;
}

void ShellTest::cleanupTestCase() {
    platform::SetDesktopHooksForTests({});
    window_.reset();
    ReleaseGlobals();
    platform::OverrideProgramFolderForTests("");
}

void ShellTest::creationSetsUpTheFrame() {
    QVERIFY(window_->isVisible());
    QVERIFY(g_MainWindowReady);
    QCOMPARE(window_->windowTitle(), QString("Tulvarine: a Package for Manipulating Sequence Data"));
    QCOMPARE(window_->size(), QSize(900, 601));
    QCOMPARE(window_->pos(), QPoint(50, 50));
    QVERIFY(!window_->windowIcon().isNull());
    QCOMPARE(ui().高级选择夹1->currentIndex(), 0);
    QCOMPARE(platform::StatusPaneText(0), std::string("Version: 1.2.2"));
    QCOMPARE(platform::StatusPaneText(1), std::string());
    QVERIFY(QFileInfo(programFolder_.path() + "/tmp").isDir());
    // Both sequence boxes take dropped text, as plain text.
    for (QTextEdit* box : {ui().超级编辑框1, ui().超级编辑框2}) {
        QVERIFY(box->acceptDrops());
        QVERIFY(!box->acceptRichText());
    }
}

void ShellTest::creationSetsTheMarkAndSequenceFormats() {
    QCOMPARE(g_RedMarkFormat->face, std::string("Courier New"));
    QCOMPARE(g_RedMarkFormat->size, 12);
    QCOMPARE(g_RedMarkFormat->effects, CharFormat::kUnderline);
    QCOMPARE(g_RedMarkFormat->colour, 0x0000ffu);
    QCOMPARE(g_BlueMarkFormat->face, std::string("Courier New"));
    QCOMPARE(g_BlueMarkFormat->size, 12);
    QCOMPARE(g_BlueMarkFormat->effects, CharFormat::kUnderline);
    QCOMPARE(g_BlueMarkFormat->colour, 0xff0000u);
    QCOMPARE(g_SeqBoxFormat->face, std::string("Courier New"));
    QCOMPARE(g_SeqBoxFormat->size, 12);
    QCOMPARE(g_SeqBoxFormat->effects, 0);
    QCOMPARE(g_SeqBoxFormat->colour, 0u);
    for (QTextEdit* box : {ui().超级编辑框1, ui().超级编辑框2}) {
        QCOMPARE(box->document()->defaultFont().family(), QString("Courier New"));
        QCOMPARE(box->document()->defaultFont().pointSize(), 12);
        QCOMPARE(box->palette().color(QPalette::Text), QColor(0, 0, 0));
    }
}

void ShellTest::longStatusMessagesLeaveTheWindowSize() {
    const std::string message = "Info:        Saved into /data/" + std::string(600, 'x') + ".orfs.long.fas";
    platform::ShowStatusMessage(message);
    QCoreApplication::processEvents();
    QCOMPARE(platform::StatusPaneText(1), message);
    QCOMPARE(window_->size(), QSize(900, 601));
    QVERIFY(window_->minimumSizeHint().width() <= 900);
    platform::ShowStatusMessage("");
}

void ShellTest::homePictureIsAnimated() {
    QMovie* movie = ui().图片框2->movie();
    QVERIFY(movie != nullptr);
    QVERIFY(movie->isValid());
    QVERIFY(movie->frameCount() > 1);
    QCOMPARE(movie->state(), QMovie::Running);
    QVERIFY(movie->scaledSize().height() <= ui().图片框2->height());
    QVERIFY(!movie->currentPixmap().isNull());
}

void ShellTest::switchToCmp2SeqRestoresFormatsAndFocusesCompare() {
    SelectPage(0);
    QFont other("DejaVu Sans", 20);
    ui().超级编辑框1->document()->setDefaultFont(other);
    ui().超级编辑框2->document()->setDefaultFont(other);
    ui().超级编辑框1->setPlainText("ATGAAAAGA");
    SelectPage(1);
    // The switch compares the boxes on a worker; "Compare" has the focus once it ends.
    TRY_COMPARE(window_->focusWidget(), static_cast<QWidget*>(ui().按钮_Comp_Run));
    for (QTextEdit* box : {ui().超级编辑框1, ui().超级编辑框2}) {
        QCOMPARE(box->document()->defaultFont().family(), QString("Courier New"));
        QCOMPARE(box->document()->defaultFont().pointSize(), 12);
    }
    QCOMPARE(ui().超级编辑框1->toPlainText(), QString("ATGAAAAGA"));
}

void ShellTest::switchToSortIdFocusesTheFileBox() {
    SelectPage(0);
    SelectPage(3);
    QCOMPARE(window_->focusWidget(), static_cast<QWidget*>(ui().编辑框_Sort_File_Name));
}

void ShellTest::switchToTranslationOrGetOrfShowsInput() {
    SelectPage(5);
    ui().高级选择夹2->setCurrentIndex(1);  // the user looked at "Output"
    SelectPage(0);
    SelectPage(5);
    QCOMPARE(ui().高级选择夹2->currentIndex(), 0);

    SelectPage(8);
    ui().高级选择夹3->setCurrentIndex(1);
    SelectPage(2);
    SelectPage(8);
    QCOMPARE(ui().高级选择夹3->currentIndex(), 0);
}

void ShellTest::otherPagesChangeNothing() {
    SelectPage(0);
    ui().高级选择夹2->setCurrentIndex(1);
    ui().高级选择夹3->setCurrentIndex(1);
    ui().编辑框_Sort_File_Name->setFocus();
    for (int page : {2, 4, 6, 7, 0}) {
        SelectPage(page);
        QCOMPARE(ui().高级选择夹2->currentIndex(), 1);
        QCOMPARE(ui().高级选择夹3->currentIndex(), 1);
    }
    QVERIFY(opened_.isEmpty());
}

void ShellTest::f1OpensThePdfGuideWhateverTheModifiers() {
    const QUrl pdf = QUrl::fromLocalFile(programFolder_.path() + "/User_guide.pdf");
    const Qt::KeyboardModifiers states[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                            Qt::AltModifier, Qt::ControlModifier | Qt::ShiftModifier};
    for (const Qt::KeyboardModifiers modifiers : states) {
        opened_.clear();
        QTest::keyClick(window_->windowHandle(), Qt::Key_F1, modifiers);
        QCOMPARE(opened_, QList<QUrl>{pdf});  // opened whether or not the file exists
    }
    // From a focused box too.
    SelectPage(3);
    opened_.clear();
    QTest::keyClick(window_->windowHandle(), Qt::Key_F1);
    QCOMPARE(opened_, QList<QUrl>{pdf});
    QVERIFY(shownInFileManager_.isEmpty());
}

void ShellTest::otherKeysReachTheFocusedBox() {
    SelectPage(3);
    QLineEdit* box = ui().编辑框_Sort_File_Name;
    box->clear();
    QCOMPARE(window_->focusWidget(), static_cast<QWidget*>(box));
    QTest::keyClick(window_->windowHandle(), Qt::Key_A);
    QTest::keyClick(window_->windowHandle(), Qt::Key_F2);
    QCOMPARE(box->text(), QString("a"));
    QVERIFY(opened_.isEmpty());
    box->clear();
}

void ShellTest::manualShowsTheWordGuideOnlyWhenPresent() {
    const QString english = programFolder_.path() + "/User_guide.doc";
    const QString chinese = programFolder_.path() + QString::fromUtf8("/User_guide-中文版.doc");
    QTest::mouseClick(ui().超级按钮1, Qt::LeftButton);
    QVERIFY(shownInFileManager_.isEmpty());  // no document: nothing visible happens
    QVERIFY(opened_.isEmpty());

    for (const QString& path : {english, chinese}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QTest::mouseClick(ui().超级按钮1, Qt::LeftButton);
    const QString expected = programFolder_.path() +
        QString::fromStdString(UserGuideDocumentName(UserGuideLanguageCode(QLocale::system())));
    QCOMPARE(shownInFileManager_, QList<QUrl>{QUrl::fromLocalFile(expected)});
    QVERIFY(opened_.isEmpty());  // the document is shown, not opened

    // Without a file manager on the bus, its folder opens instead.
    shownInFileManager_.clear();
    platform::SetDesktopHooksForTests({[this](const QUrl& url) { opened_ << url; return true; },
                                       [](const QUrl&) { return false; }});
    QTest::mouseClick(ui().超级按钮1, Qt::LeftButton);
    QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(programFolder_.path())});
    QVERIFY(QFile::remove(english));
    QVERIFY(QFile::remove(chinese));
}

void ShellTest::manualEditionFollowsTheLanguage() {
    QCOMPARE(UserGuideLanguageCode(QLocale(QLocale::Chinese, QLocale::China)), 1);
    QCOMPARE(UserGuideLanguageCode(QLocale(QLocale::Chinese, QLocale::Taiwan)), 1);
    QCOMPARE(UserGuideLanguageCode(QLocale(QLocale::English, QLocale::UnitedStates)), 0);
    QCOMPARE(UserGuideLanguageCode(QLocale(QLocale::German)), 0);
    QCOMPARE(UserGuideDocumentName(1), std::string("/User_guide-中文版.doc"));
    QCOMPARE(UserGuideDocumentName(3), std::string("/User_guide-中文版.doc"));
    QCOMPARE(UserGuideDocumentName(0), std::string("/User_guide.doc"));
    QCOMPARE(UserGuideDocumentName(2), std::string("/User_guide.doc"));
    QVERIFY(!ShowFileInExplorer((programFolder_.path() + "/missing.doc").toStdString(), false));
    QVERIFY(shownInFileManager_.isEmpty());
}

void ShellTest::citationOpensThePublicationPage() {
    emit ui().超级链接框2->linkActivated("#");
    QCOMPARE(opened_, QList<QUrl>{QUrl(QString::fromUtf8(kCitationAddress.data(), kCitationAddress.size()))});
}

void ShellTest::listedBoxesOpenNoContextMenu() {
    QCOMPARE(MainWindow::BoxesWithoutContextMenu().size(), std::size_t(43));
    for (const char* name : MainWindow::BoxesWithoutContextMenu()) {
        auto* box = window_->findChild<QWidget*>(QString::fromUtf8(name));
        QVERIFY2(box != nullptr, name);
        for (int page = 0; page < ui().高级选择夹1->count(); ++page)
            if (ui().高级选择夹1->widget(page)->isAncestorOf(box)) SelectPage(page);
        QVERIFY2(!RightClickOpensMenu(box), name);
    }
}

void ShellTest::otherBoxesKeepTheirContextMenu() {
    SelectPage(4);
    QVERIFY(RightClickOpensMenu(ui().编辑框_merge_IDlist));
    SelectPage(8);
    QVERIFY(RightClickOpensMenu(ui().编辑框_getorf_folder_2));
    QVERIFY(RightClickOpensMenu(ui().编辑框_getorf_folder_3));
}

void ShellTest::everyPageScreenshot() {
    QTabWidget* tabs = ui().高级选择夹1;
    QCOMPARE(tabs->count(), 9);
    for (int page = 0; page < tabs->count(); ++page) {
        SelectPage(page);
        TRY_COMPARE(platform::RunningWorkerCount(), 0);  // what showing the page started has ended
        SaveScreenshot(window_.get(), QString("page-%1-%2").arg(page).arg(tabs->tabText(page)));
    }
    SelectPage(0);
}

void ShellTest::exitAnsweredNoKeepsTheWindowAsItWas() {
    SelectPage(4);
    ui().编辑框_merge_IDlist->setPlainText("sp1\nsp2");
    bool askedRightQuestion = false;
    WhenExitWindowOpens([&](QDialog* exit) {
        askedRightQuestion = exit->windowTitle() == "Exit" && exit->size() == QSize(350, 100) &&
                             exit->findChild<QLabel*>(QString::fromUtf8("标签2"))->text() ==
                                 "Do you really want to close this package?";
        SaveScreenshot(exit, "exit-window");
        Click(exit, "按钮_extr_scan1");
    });
    QVERIFY(!window_->close());
    QVERIFY(askedRightQuestion);
    QVERIFY(!g_ExitConfirmed);
    QVERIFY(window_->isVisible());
    QCOMPARE(ui().高级选择夹1->currentIndex(), 4);
    QCOMPARE(ui().编辑框_merge_IDlist->toPlainText(), QString("sp1\nsp2"));
}

void ShellTest::exitClosedByItsTitleBarKeepsTheWindowOpen() {
    WhenExitWindowOpens([](QDialog* exit) { exit->close(); });
    QVERIFY(!window_->close());
    QVERIFY(!g_ExitConfirmed);
    QVERIFY(window_->isVisible());
}

void ShellTest::exitAnsweredYesClosesTheWindow() {
    bool closedSignal = false;
    connect(window_.get(), &MainWindow::closed, [&] { closedSignal = true; });
    WhenExitWindowOpens([](QDialog* exit) { Click(exit, "按钮_extr_scan"); });
    QVERIFY(window_->close());
    QVERIFY(g_ExitConfirmed);
    QVERIFY(closedSignal);
    QVERIFY(!window_->isVisible());
}

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
