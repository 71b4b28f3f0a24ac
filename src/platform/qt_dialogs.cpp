#include "qt_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace {
const QString Title = QStringLiteral("Tonaply");

QMessageBox::Icon qtIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Information:
        break;
    }
    return QMessageBox::Information;
}
} // namespace

void QtDialogs::message(const QString &text, Icon icon) {
    QMessageBox box(qtIcon(icon), Title, text, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtDialogs::confirm(const QString &text) {
    QMessageBox box(QMessageBox::Question, Title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    return box.exec() == QMessageBox::Ok;
}

QString QtDialogs::inputBox(const QString &prompt, const QString &defaultText) {
    QInputDialog box(parent_);
    box.setWindowTitle(Title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    box.setOkButtonText(QStringLiteral("确定"));
    box.setCancelButtonText(QStringLiteral("取消"));
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

bool QtDialogs::UseChineseTexts() {
    static QTranslator *qtTexts = nullptr;
    if (qtTexts)
        return true;
    auto *texts = new QTranslator(QCoreApplication::instance());
    if (!texts->load(QStringLiteral("qtbase_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(texts)) {
        delete texts;
        return false;
    }
    qtTexts = texts;
    return true;
}

QString QtDialogs::QtFilter(const QString &filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(parts[i] == parts[i + 1] ? pattern
                                                : QStringLiteral("%1 (%2)").arg(parts[i], pattern));
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtDialogs::openFileName(const QString &filter) {
    return QFileDialog::getOpenFileName(parent_, Title, {}, QtFilter(filter));
}

QStringList QtDialogs::openFileNames(const QString &filter) {
    return QFileDialog::getOpenFileNames(parent_, Title, {}, QtFilter(filter));
}

QString QtDialogs::saveFileName(const QString &filter) {
    return QFileDialog::getSaveFileName(parent_, Title, {}, QtFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtDialogs::saveFileAs(const QString &suggestedPath) {
    return QFileDialog::getSaveFileName(parent_, Title, suggestedPath, {}, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QAction *QtDialogs::popupMenu(QMenu *menu, const QPoint &globalPos) {
    return menu ? menu->exec(globalPos) : nullptr;
}

void QtDialogs::aboutBox(QWidget *owner, const QString &application, const QString &versions,
                         const QString &further) {
    QDialog box(owner ? owner : parent_);
    box.setWindowTitle(QStringLiteral("关于 ") + application);
    const QIcon icon = owner ? owner->windowIcon() : QApplication::windowIcon();
    box.setWindowIcon(icon);
    auto *layout = new QGridLayout(&box);
    auto *picture = new QLabel(&box);
    picture->setPixmap(icon.pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);
    layout->addWidget(picture, 0, 0, 3, 1);
    int row = 0;
    for (const QString &text : {application, versions, further}) {
        auto *line = new QLabel(text, &box);
        line->setTextFormat(Qt::PlainText);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (row == 0) {
            QFont bold = line->font();
            bold.setBold(true);
            line->setFont(bold);
        }
        layout->addWidget(line, row++, 1);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons, row, 0, 1, 2);
    layout->setHorizontalSpacing(16);
    box.exec();
}
