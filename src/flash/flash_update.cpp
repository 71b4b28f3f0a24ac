#include "flash_update.h"

#include "app/net/fetch_texts.h"
#include "flash_catalogue.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>

const QString FlashUpdate::TextNoServer = QStringLiteral("无法连接上远程服务器以获取数据！");

FlashUpdate::FlashUpdate(TransferFactory &network, Dialogs &dialogs, QString dataServerUrl,
                         QString flashFolder, QObject *parent)
    : QObject(parent), network_(network), dialogs_(dialogs),
      dataServerUrl_(std::move(dataServerUrl)), folder_(std::move(flashFolder)) {}

void FlashUpdate::start(bool force) {
    if (fetch_)
        return;
    const QDir folder(folder_);
    if (!force && QFile::exists(folder.filePath(FlashCatalogue::MarkerFile()))) {
        emit finished(true);
        return;
    }
    force_ = force;
    QDir().mkpath(folder_);
    // The connection test, then the ten files; the test's text is not reused.
    QStringList urls{FlashCatalogue::ServerFileUrl(dataServerUrl_, FlashCatalogue::MarkerFile())};
    for (const QString &file : FlashCatalogue::FetchOrder())
        urls << FlashCatalogue::ServerFileUrl(dataServerUrl_, file);
    fetch_ = new FetchTexts(network_, urls, this);
    connect(fetch_, &FetchTexts::fetched, this, &FlashUpdate::fetched);
    connect(fetch_, &FetchTexts::finished, this, [this] {
        fetch_->deleteLater();
        fetch_ = nullptr;
        emit finished(true);
    });
    fetch_->start();
}

void FlashUpdate::fetched(int index, const QString &text, bool ok) {
    if (index == 0) {
        if (!FlashCatalogue::ServerAnswered(text))
            failTest();
        return;
    }
    if (!ok)
        return; // the previous file stays as it was
    QSaveFile file(QDir(folder_).filePath(FlashCatalogue::FetchOrder().value(index - 1)));
    if (!file.open(QIODevice::WriteOnly))
        return;
    QStringEncoder encode("GB18030");
    file.write(encode(FlashCatalogue::StoredText(text)));
    file.commit();
}

void FlashUpdate::failTest() {
    fetch_->abort();
    fetch_->deleteLater();
    fetch_ = nullptr;
    dialogs_.message(TextNoServer, Dialogs::Icon::Warning);
    // A folder made for nothing goes again; one that holds files is never touched.
    if (!force_)
        QDir().rmdir(folder_);
    emit finished(false);
}
