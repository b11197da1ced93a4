// The main window as built from its template: tab order and chrome.
#include "EvalDialogFixture.h"

#include "res/EvalDialogTemplate.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <iterator>
#include <vector>

using WindowTest = EvalDialogFixture;

TEST_F(WindowTest, TabOrderIsTheCreationOrderAndFocusStartsOnExit)
{
    open();
    using enum ControlKind;
    std::vector<QWidget*> expected;
    for (const ControlTemplate& c : evalDialogTemplate.controls) {
        if (c.kind != Text && c.kind != Picture && c.kind != Icon && c.kind != GroupBox)
            expected.push_back(dialog->controlWidget(c.id));
    }
    ASSERT_EQ(expected.size(), 53u);
    EXPECT_EQ(QApplication::focusWidget(), dialog->controlWidget(IDC_EXIT));
    QWidget* current = expected.front();
    for (std::size_t i = 1; i < expected.size(); ++i) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus || current->focusProxy())
            current = current->nextInFocusChain();
        EXPECT_EQ(current, expected[i]) << "tab stop " << i;
    }
}

TEST_F(WindowTest, ContextMenuEndsWithAboutEntryThatOpensTheAboutBox)
{
    open();
    QMenu* menu = dialog->popupSystemMenu(dialog->window()->mapToGlobal(QPoint(5, 5)));
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(entries, QStringList({ "Close", "-", "&About KV3124...", "Save Registers...", "Load Registers..." }));

    // The About box is modal over the main window.
    QStringList shown;
    QTimer::singleShot(50, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        shown << box->windowTitle();
        for (auto* label : box->findChildren<QLabel*>())
            shown << label->text();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    menu->actions()[2]->trigger();
    EXPECT_EQ(shown, QStringList({ "About KV3124", "", "KV3124 Version 1.2" }));
    EXPECT_TRUE(dialog->window()->isVisible()) << "closing the About box leaves the main window open";
}

// Saved registers come back on the chip and in the window; a bad file writes nothing and says why.
TEST_F(WindowTest, RegisterFilesFromTheContextMenu)
{
    open();
    QString said;
    bool plain = false;
    // Answers the file dialog with `file` and agrees to replace a file it names, then records and closes any message
    // box, until the command returns. Any other dialog, or a file dialog that does not take the file, fails the test
    // at once and is closed, so that nothing waits for an answer that never comes.
    const auto choose = [&](unsigned command, const QString& file) {
        QTimer answer;
        int typed = 0;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == dialog->window())
                return;
            auto* chooser = qobject_cast<QFileDialog*>(modal);
            if ((!chooser && !qobject_cast<QMessageBox*>(modal)) || (chooser && ++typed > 3)) {
                ADD_FAILURE() << "unexpected dialog " << modal->metaObject()->className() << " \""
                              << modal->windowTitle().toStdString() << '"';
                modal->close();
            } else if (chooser) {
                chooser->findChild<QLineEdit*>("fileNameEdit")->setText(file); // typed, as a user would
                // Queued, so that this answer can also take the question whether to replace a file.
                QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
            } else if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->button(QMessageBox::Yes)) {
                box->button(QMessageBox::Yes)->click();
            } else if (box) {
                said = box->text();
                plain = box->textFormat() == Qt::PlainText;
                box->accept();
            }
        });
        answer.start(20);
        dialog->popupSystemMenu({})->actions()[command == IDM_SAVE_REGISTERS ? 3 : 4]->trigger();
        settle();
    };
    const QTemporaryDir dir;
    choose(IDM_SAVE_REGISTERS, dir.filePath("board"));
    ptx::sim::setRegister(0x14, 0x05);
    ptx::sim::setRegister(0x11, 0x07);
    click(IDC_READBACK_ALL);
    ASSERT_EQ(text(IDC_REG14), "05");
    choose(IDM_LOAD_REGISTERS, dir.filePath("board.kv3124"));
    EXPECT_EQ(said, "");
    EXPECT_EQ(ptx::sim::registerValue(0x14), 0x3F);
    EXPECT_EQ(ptx::sim::registerValue(0x11), 0x04);
    EXPECT_EQ(text(IDC_REG14), "3F") << "Readback All runs after a load";

    std::ofstream(dir.filePath("bad.kv3124").toStdString()) << "0x14 0x3F\n0x99 0x00\n";
    ptx::sim::clearTransactions();
    choose(IDM_LOAD_REGISTERS, dir.filePath("bad.kv3124"));
    EXPECT_TRUE(said.endsWith("bad.kv3124: line 2: the chip has no register 0x99; nothing was written"))
        << said.toStdString();
    EXPECT_TRUE(ptx::sim::registerAccesses(ptx::sim::Access::Write).empty());

    // Text from the file is never markup; a link is never saved through.
    std::ofstream(dir.filePath("markup.kv3124").toStdString()) << "0x14 <h1>Snapshot_loaded_OK</h1>\n";
    choose(IDM_LOAD_REGISTERS, dir.filePath("markup.kv3124"));
    EXPECT_TRUE(said.endsWith("line 1: '<h1>Snapshot_loaded_OK</h1>' is not a number; nothing was written"));
    EXPECT_TRUE(plain);
    std::ofstream(dir.filePath("notes.txt").toStdString()) << "notes\n";
    QFile::link(dir.filePath("notes.txt"), dir.filePath("link.kv3124"));
    choose(IDM_SAVE_REGISTERS, dir.filePath("link.kv3124"));
    EXPECT_EQ(said, dir.filePath("link.kv3124") + " is a symbolic link; give the file itself");
    std::ifstream notes(dir.filePath("notes.txt").toStdString());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(notes), {}), "notes\n");

    // A load that stops part way leaves the window showing what the chip holds: the register written before the
    // failure, and the one that failed as it was.
    ptx::sim::setRegister(0x14, 0x15);
    click(IDC_READBACK_ALL);
    std::ofstream(dir.filePath("part.kv3124").toStdString()) << "0x11 0x05\n0x14 0x2A\n";
    ptx::sim::failWritesOf(0x14);
    choose(IDM_LOAD_REGISTERS, dir.filePath("part.kv3124"));
    EXPECT_TRUE(said.endsWith("written before: 0x11")) << said.toStdString();
    EXPECT_EQ(std::pair(text(IDC_REG11), text(IDC_REG14)), std::pair(std::string("05"), std::string("15")));
}
