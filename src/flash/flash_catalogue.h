#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class SongList;
struct Song;

// The Flash gallery's ten categories: catalogue files kept in the application folder's
// "flash" folder, fetched from the data server when they are missing or the user asks.
namespace FlashCatalogue {

struct Category {
    QString text; // as the category selector shows it
    QString file;
};

// In the selector's order.
const QList<Category> &Categories();
// The order the update fetches them in.
const QStringList &FetchOrder();
// "guanggao.dh": its presence says the local catalogue exists.
QString MarkerFile();
// The games category, which the window opens with.
constexpr int FirstShownCategory = 1;

QString FlashFolder(const QString &appFolder);
QString ServerFileUrl(const QString &dataServerUrl, const QString &file);
// The category file whose selector text this is; "" when none.
QString FileOf(const QString &categoryText);

// A catalogue file's entries: name and URL lines in pairs to the end, each name shown after
// "→". A last name line without its URL line repeats, arrow included, as the URL.
QList<Song> Entries(const QString &fileText);
// LoadFlashCategory: the entries appended below the list's own, the selection on the newest.
void AppendCategory(const QString &fileText, SongList &list);
// SelectLastEntry: the last entry selected (and current); the one before it loses its mark.
void SelectLastEntry(SongList &list);

// What the update writes for a fetched text: the text without its end spaces, then CR LF.
QString StoredText(const QString &fetched);
// The connection test: the fetched marker file holds ".swf" (exact, case-sensitive).
bool ServerAnswered(const QString &fetched);

} // namespace FlashCatalogue
