#include "frm_downloads.h"

#include "download_name.h"
#include "platform/download_manager.h"
#include "platform/shell.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int RefreshMs = 1000;
enum Column { Name, Progress, Speed, State };

} // namespace

frmDownloads::frmDownloads(DownloadManager &manager, Shell &shell, QWidget *parent)
    : QWidget(parent, Qt::Window), manager_(manager), shell_(shell), tick_(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Tonaply - 下载管理"));
    lstDownloads = new QTreeWidget(this);
    lstDownloads->setRootIsDecorated(false);
    lstDownloads->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("进度"),
                                   QStringLiteral("速度"), QStringLiteral("状态")});
    lstDownloads->header()->setSectionResizeMode(Name, QHeaderView::Stretch);
    lstDownloads->header()->setStretchLastSection(false);
    btnPause = new QPushButton(QStringLiteral("暂停"), this);
    btnResume = new QPushButton(QStringLiteral("继续"), this);
    btnRemove = new QPushButton(QStringLiteral("删除"), this);
    btnOpenFolder = new QPushButton(QStringLiteral("打开文件夹"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {btnPause, btnResume, btnRemove})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btnOpenFolder);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstDownloads);
    layout->addLayout(buttons);
    resize(520, 300);

    tick_->setInterval(RefreshMs);
    connect(tick_, &QTimer::timeout, this, &frmDownloads::refresh);
    connect(lstDownloads, &QTreeWidget::itemSelectionChanged, this, &frmDownloads::updateButtons);
    auto act = [this](bool (DownloadManager::*command)(const QString &)) {
        const QString id = selectedId();
        if (!id.isEmpty())
            (manager_.*command)(id);
        refresh();
    };
    connect(btnPause, &QPushButton::clicked, this, [=] { act(&DownloadManager::pause); });
    connect(btnResume, &QPushButton::clicked, this, [=] { act(&DownloadManager::resume); });
    connect(btnRemove, &QPushButton::clicked, this, [=] { act(&DownloadManager::remove); });
    connect(btnOpenFolder, &QPushButton::clicked, this,
            [this] { shell_.openFolder(manager_.folder()); });
    updateButtons();
}

QString frmDownloads::StateText(const QString &state) {
    if (state == QLatin1String("active"))
        return QStringLiteral("下载中");
    if (state == QLatin1String("waiting"))
        return QStringLiteral("等待中");
    if (state == QLatin1String("paused"))
        return QStringLiteral("已暂停");
    if (state == QLatin1String("complete"))
        return QStringLiteral("已完成");
    if (state == QLatin1String("error"))
        return QStringLiteral("出错");
    return state;
}

void frmDownloads::refresh() {
    const QString keep = selectedId();
    lstDownloads->clear();
    for (const DownloadManager::Entry &e : manager_.downloads()) {
        if (e.state == QLatin1String("removed"))
            continue;
        auto *item = new QTreeWidgetItem(lstDownloads);
        item->setText(Name, e.name);
        item->setToolTip(Name, e.name);
        item->setData(Name, Qt::UserRole, e.id);
        item->setData(Name, Qt::UserRole + 1, e.state);
        item->setText(Progress, e.total > 0 ? QStringLiteral("%1%").arg(e.done * 100 / e.total)
                                            : DownloadName::SizeText(e.done));
        item->setText(Speed, e.state == QLatin1String("active")
                                 ? QStringLiteral("%1/秒").arg(DownloadName::SizeText(e.speed))
                                 : QString());
        item->setText(State, StateText(e.state));
        if (e.id == keep)
            item->setSelected(true);
    }
    updateButtons();
}

QString frmDownloads::selectedId() const {
    const QList<QTreeWidgetItem *> picked = lstDownloads->selectedItems();
    return picked.isEmpty() ? QString() : picked.first()->data(Name, Qt::UserRole).toString();
}

void frmDownloads::updateButtons() {
    const QList<QTreeWidgetItem *> picked = lstDownloads->selectedItems();
    const QString state =
        picked.isEmpty() ? QString() : picked.first()->data(Name, Qt::UserRole + 1).toString();
    btnPause->setEnabled(state == QLatin1String("active") || state == QLatin1String("waiting"));
    btnResume->setEnabled(state == QLatin1String("paused"));
    btnRemove->setEnabled(!picked.isEmpty());
}

void frmDownloads::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    refresh();
    tick_->start();
}

void frmDownloads::hideEvent(QHideEvent *event) {
    tick_->stop();
    QWidget::hideEvent(event);
}
