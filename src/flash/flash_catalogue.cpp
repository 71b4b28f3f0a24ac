#include "flash_catalogue.h"

#include "app/spaces.h"
#include "app/text_lines.h"
#include "lists/song_list.h"

#include <QDir>

namespace FlashCatalogue {

const QList<Category> &Categories() {
    static const QList<Category> categories{
        {QStringLiteral("精彩动漫-广告类"), QStringLiteral("guanggao.dh")},
        {QStringLiteral("精彩动漫-游戏类"), QStringLiteral("youxi.dh")},
        {QStringLiteral("精彩动漫-短片类"), QStringLiteral("duanpian.dh")},
        {QStringLiteral("精彩动漫-搞笑类"), QStringLiteral("gaoxiao.dh")},
        {QStringLiteral("精彩动漫-成语类"), QStringLiteral("chengyu.dh")},
        {QStringLiteral("精彩动漫-卡通类"), QStringLiteral("katong.dh")},
        {QStringLiteral("精彩动漫-大陆歌手"), QStringLiteral("dalugeshou.dh")},
        {QStringLiteral("精彩动漫-港台歌手"), QStringLiteral("gangtaigeshou.dh")},
        {QStringLiteral("精彩动漫-国外歌手"), QStringLiteral("guowaigeshou.dh")},
        {QStringLiteral("精彩动漫-专辑类"), QStringLiteral("zhuanji.dh")},
    };
    return categories;
}

const QStringList &FetchOrder() {
    static const QStringList order{
        QStringLiteral("guanggao.dh"),      QStringLiteral("chengyu.dh"),
        QStringLiteral("dalugeshou.dh"),    QStringLiteral("duanpian.dh"),
        QStringLiteral("gangtaigeshou.dh"), QStringLiteral("gaoxiao.dh"),
        QStringLiteral("youxi.dh"),         QStringLiteral("guowaigeshou.dh"),
        QStringLiteral("katong.dh"),        QStringLiteral("zhuanji.dh")};
    return order;
}

QString MarkerFile() {
    return QStringLiteral("guanggao.dh");
}

QString FlashFolder(const QString &appFolder) {
    return QDir(appFolder).filePath(QStringLiteral("flash"));
}

QString ServerFileUrl(const QString &dataServerUrl, const QString &file) {
    return dataServerUrl + QStringLiteral("flash/") + file;
}

QString FileOf(const QString &categoryText) {
    for (const Category &c : Categories())
        if (c.text == categoryText)
            return c.file;
    return {};
}

QList<Song> Entries(const QString &fileText) {
    const QStringList lines = TextLines::Read(fileText);
    QList<Song> entries;
    for (qsizetype i = 0; i < lines.size() && entries.size() < SongList::MaxEntries; i += 2) {
        const QString name = QStringLiteral("→") + lines.at(i);
        entries.append({name, i + 1 < lines.size() ? lines.at(i + 1) : name});
    }
    return entries;
}

void SelectLastEntry(SongList &list) {
    const int last = list.count() - 1;
    if (last < 0)
        return;
    if (last > 0 && list.selectedCount() > 0 && list.isSelected(last - 1))
        list.setSelected(last - 1, false);
    list.setSelected(last, true);
    list.setCurrentEntry(last);
    list.makeVisible(last);
}

void AppendCategory(const QString &fileText, SongList &list) {
    // One step for the whole file; the marks end as entry-by-entry selection leaves them:
    // the entry that was last loses its mark, the newest has it.
    const int before = list.count();
    if (list.append(Entries(fileText)) == 0)
        return;
    if (before > 0 && list.isSelected(before - 1))
        list.setSelected(before - 1, false);
    const int last = list.count() - 1;
    list.setSelected(last, true);
    list.setCurrentEntry(last);
    list.makeVisible(last);
}

QString StoredText(const QString &fetched) {
    return Spaces::Trim(fetched) + QStringLiteral("\r\n");
}

bool ServerAnswered(const QString &fetched) {
    return Spaces::Trim(fetched).contains(QStringLiteral(".swf"), Qt::CaseSensitive);
}

} // namespace FlashCatalogue
