#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class HttpTransfer;
class TransferFactory;

// Fetches server texts one after another on a transfer of its own, without holding the
// window: each text is reported as it arrives, then the end. Deleting it ends the fetch
// quietly.
class FetchTexts : public QObject {
    Q_OBJECT
public:
    FetchTexts(TransferFactory &network, QStringList urls, QObject *parent = nullptr);

    // Starts with the first address (once).
    void start();
    // No further text is fetched or reported; finished is not raised.
    void abort();
    const QStringList &texts() const { return texts_; }

signals:
    // A failed fetch reports an empty text with ok false.
    void fetched(int index, const QString &text, bool ok);
    void finished();

private:
    void next();
    void arrived(int state);

    HttpTransfer *transfer_;
    QStringList urls_;
    QStringList texts_;
    int index_ = -1;
    bool aborted_ = false;
};
