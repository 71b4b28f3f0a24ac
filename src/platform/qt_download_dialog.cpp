#include "qt_download_dialog.h"

#include "app/net/wire_url.h"
#include "dialogs.h"
#include "file_download.h"
#include "lists/download_name.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWidget>

namespace {
// Progress is drawn at most this often, however fast the pieces arrive.
constexpr qint64 RedrawMs = 200;

QString timeText(qint64 seconds) {
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QLabel *plainLabel(QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// One download's window: what is fetched, how far it is, and cancel; it closes itself when
// the download fails or is cancelled, and offers the folder once the file is complete.
class DownloadWindow : public QWidget {
public:
    DownloadWindow(QNetworkAccessManager &network, const QUrl &url, const QString &path,
                   std::function<void(const QString &reason)> failed)
        : QWidget(nullptr, Qt::Window), path_(path), failed_(std::move(failed)) {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Tonaply - 下载"));
        name_ = plainLabel(this);
        name_->setText(QStringLiteral("正在下载：%1").arg(QFileInfo(path).fileName()));
        status_ = plainLabel(this);
        status_->setText(QStringLiteral("正在连接服务器……"));
        bar_ = new QProgressBar(this);
        bar_->setRange(0, 0);
        folder_ = new QPushButton(QStringLiteral("打开文件夹"), this);
        folder_->setEnabled(false);
        button_ = new QPushButton(QStringLiteral("取消"), this);
        auto *buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(folder_);
        buttons->addWidget(button_);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(name_);
        layout->addWidget(bar_);
        layout->addWidget(status_);
        layout->addLayout(buttons);
        resize(420, sizeHint().height());

        download_ = new FileDownload(network, url, path, this);
        clock_.start();
        connect(download_, &FileDownload::progress, this, &DownloadWindow::showProgress);
        connect(download_, &FileDownload::finished, this, &DownloadWindow::ended);
        connect(button_, &QPushButton::clicked, this, &QWidget::close);
        connect(folder_, &QPushButton::clicked, this, [this] {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path_).absolutePath()));
        });
    }

    FileDownload *download() const { return download_; }

protected:
    void closeEvent(QCloseEvent *event) override {
        download_->cancel();
        QWidget::closeEvent(event);
    }

private:
    void showProgress(qint64 received, qint64 total) {
        if (lastDrawn_ >= 0 && clock_.elapsed() - lastDrawn_ < RedrawMs && received != total)
            return;
        lastDrawn_ = clock_.elapsed();
        const double seconds = std::max<qint64>(clock_.elapsed(), 1) / 1000.0;
        const double speed = received / seconds;
        QString text =
            total >= 0 ? QStringLiteral("已下载 %1 / %2")
                             .arg(DownloadName::SizeText(received), DownloadName::SizeText(total))
                       : QStringLiteral("已下载 %1").arg(DownloadName::SizeText(received));
        text +=
            QStringLiteral("，速度 %1/秒").arg(DownloadName::SizeText(static_cast<qint64>(speed)));
        if (total > 0) {
            bar_->setRange(0, 1000);
            bar_->setValue(static_cast<int>(received * 1000 / total));
            if (speed > 0)
                text += QStringLiteral("，剩余 %1")
                            .arg(timeText(static_cast<qint64>((total - received) / speed)));
        }
        status_->setText(text);
    }

    void ended(bool ok, const QString &reason) {
        if (ok) {
            bar_->setRange(0, 1);
            bar_->setValue(1);
            name_->setText(QStringLiteral("下载完成：%1").arg(path_));
            status_->setText(
                QStringLiteral("共 %1").arg(DownloadName::SizeText(download_->received())));
            button_->setText(QStringLiteral("关闭"));
            folder_->setEnabled(true);
            return;
        }
        hide();
        if (!reason.isEmpty())
            failed_(reason);
        close();
    }

    QString path_;
    std::function<void(const QString &)> failed_;
    QLabel *name_, *status_;
    QProgressBar *bar_;
    QPushButton *folder_, *button_;
    FileDownload *download_;
    QElapsedTimer clock_;
    qint64 lastDrawn_ = -1;
};
} // namespace

QtDownloadDialog::QtDownloadDialog(Dialogs &dialogs, QString folder)
    : dialogs_(dialogs), folder_(folder.isEmpty() ? DefaultFolder() : std::move(folder)) {}

QtDownloadDialog::~QtDownloadDialog() {
    // The windows call back into this dialog: they go first.
    qDeleteAll(QList<QWidget *>(windows_));
}

QString QtDownloadDialog::DefaultFolder() {
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return downloads.isEmpty() ? QDir::homePath() : downloads;
}

QString QtDownloadDialog::CannotFetchText(const QString &url) {
    return QStringLiteral("这个地址无法用下载对话框下载：\n%1\n只能下载以 http:// 或 https:// "
                          "开头的地址，流媒体地址请使用网际快车下载。")
        .arg(url);
}

QString QtDownloadDialog::ReplaceQuestion(const QString &path) {
    return QStringLiteral("文件已经存在，要替换它吗？\n%1").arg(path);
}

QString QtDownloadDialog::AlreadyRunningText(const QString &path) {
    return QStringLiteral("这个文件正在下载中：\n%1").arg(path);
}

QString QtDownloadDialog::FailedText(const QString &reason, const QString &url) {
    return QStringLiteral("下载失败：%1\n%2").arg(reason, url);
}

void QtDownloadDialog::download(const QString &url, const QString &title) {
    const QUrl address = QUrl::fromEncoded(WireUrl::encode(url), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return dialogs_.message(CannotFetchText(url), Dialogs::Icon::Information);

    // The desktop's download folder may not exist yet; the Save dialog should open in it.
    QDir().mkpath(folder_);
    const QString suggested = QDir(folder_).filePath(DownloadName::FileNameFor(title, url));
    const QString chosen = dialogs_.saveFileAs(suggested);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (paths_.contains(path))
        return dialogs_.message(AlreadyRunningText(path), Dialogs::Icon::Information);
    if (QFileInfo::exists(path) && !dialogs_.confirm(ReplaceQuestion(path)))
        return;

    if (!network_) {
        network_ = std::make_unique<QNetworkAccessManager>();
        network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    }
    paths_.insert(path);
    auto *window = new DownloadWindow(*network_, address, path, [this, url](const QString &why) {
        dialogs_.message(FailedText(why, url), Dialogs::Icon::Warning);
    });
    // The file is free again once its download has ended, even while its window still shows
    // the result.
    QObject::connect(window->download(), &FileDownload::finished, window,
                     [this, path] { paths_.remove(path); });
    QObject::connect(window, &QObject::destroyed, [this, path, window] {
        paths_.remove(path);
        windows_.removeOne(window);
    });
    windows_.append(window);
    window->show();
}
