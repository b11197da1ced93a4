#include "RegisterFiles.h"

#include "adapter/AdapterBus.h"
#include "chip/RegisterTransfer.h"
#include "chip/Snapshot.h"
#include "panel/PanelDialog.h"
#include "panel/Readback.h"
#include "res/ResourceIds.h"

#include <QDateTime>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

const QString saveTitle = QStringLiteral("Save Registers");
const QString loadTitle = QStringLiteral("Load Registers");

// The chosen file, or an empty name when the user cancelled.
QString chooseFile(PanelDialog& dialog, QFileDialog::AcceptMode mode)
{
    QFileDialog chooser(dialog.window(), mode == QFileDialog::AcceptSave ? saveTitle : loadTitle, QString(),
        QStringLiteral("Register snapshots (*.kv3124);;All files (*)"));
    chooser.setAcceptMode(mode);
    chooser.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    chooser.setDefaultSuffix(QStringLiteral("kv3124"));
    return chooser.exec() == QDialog::Accepted ? chooser.selectedFiles().value(0) : QString();
}

// The problem names the file and may quote its contents: plain text, never markup.
void tell(PanelDialog& dialog, const QString& title, const std::string& problem)
{
    QMessageBox box(QMessageBox::Warning, title, QString::fromStdString(problem), QMessageBox::Ok, dialog.window());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void saveRegisterFile(PanelDialog& dialog, const std::string& adapterName)
{
    const QString fileName = chooseFile(dialog, QFileDialog::AcceptSave);
    if (fileName.isEmpty())
        return;
    const kv3124::ReadResult read = kv3124::readAllRegisters(adapterRegisterBus());
    if (!read.error.empty())
        return tell(dialog, saveTitle, fileName.toStdString() + ": not saved: " + read.error);
    const kv3124::SnapshotHeader header { QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString(),
        adapterName, dialog.GetDlgItemText(IDC_VERSION) };
    if (const std::string error = kv3124::writeSnapshotFile(fileName.toStdString(), header, read.values);
        !error.empty())
        tell(dialog, saveTitle, error);
}

void loadRegisterFile(PanelDialog& dialog)
{
    const QString fileName = chooseFile(dialog, QFileDialog::AcceptOpen);
    if (fileName.isEmpty())
        return;
    const kv3124::ParsedSnapshot snapshot = kv3124::readSnapshotFile(fileName.toStdString());
    if (!snapshot.error.empty())
        return tell(dialog, loadTitle, snapshot.error + "; nothing was written");
    const kv3124::LoadResult result = kv3124::loadSnapshot(adapterRegisterBus(), snapshot.entries);
    readbackAll(dialog); // also after a load that stopped: the window shows what the chip now holds
    if (!result.error.empty())
        tell(dialog, loadTitle, fileName.toStdString() + ": " + result.error);
}
