#pragma once

#include "app/net/http_transfer.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>

// A transfer the test answers by hand: it records what was asked and reports only when told,
// so a test decides exactly when a page arrives, fails or comes too late.
class FakeTransfer : public HttpTransfer {
public:
    FakeTransfer(const QHash<QString, QString> &files, QObject *parent)
        : HttpTransfer(parent), files_(files) {}

    QStringList requested; // every startRequest, in order
    QStringList fetched;   // every fetchText, in order
    QString pending;       // the request under way, "" when none
    int cancels = 0;

    QString fetchText(const QString &url, bool *ok) override {
        endPending();
        fetched << url;
        const bool found = files_.contains(url);
        if (ok)
            *ok = found;
        return files_.value(url);
    }
    // A request for one of the files is answered with it as soon as events flow; any other
    // stays under way until the test answers or fails it.
    void startRequest(const QString &url) override {
        endPending();
        requested << url;
        pending = url;
        if (files_.contains(url))
            QTimer::singleShot(0, this, [this, url] {
                if (pending == url)
                    answer(files_.value(url));
            });
    }
    QString readPiece(int size) override {
        const QString piece = body_.mid(readPos_, size);
        readPos_ += piece.size();
        return piece;
    }
    void cancel() override {
        ++cancels;
        endPending();
    }
    void setTimeout(int) override {}

    // The request under way completes with this page.
    void answer(const QString &page) {
        pending.clear();
        body_ = page;
        readPos_ = 0;
        emit stateChanged(Complete);
    }
    // The request under way fails.
    void fail() {
        pending.clear();
        emit stateChanged(Failed);
    }

private:
    void endPending() {
        if (!pending.isEmpty())
            fail();
    }
    const QHash<QString, QString> &files_;
    QString body_;
    qsizetype readPos_ = 0;
};

// Makes fake transfers and keeps them in reach of the test. files: what fetchText finds.
class FakeTransferFactory : public TransferFactory {
public:
    QHash<QString, QString> files;
    QList<QPointer<FakeTransfer>> made;

    HttpTransfer *newTransfer(QObject *parent) override {
        auto *t = new FakeTransfer(files, parent);
        made << t;
        return t;
    }
    FakeTransfer *last() const { return made.isEmpty() ? nullptr : made.last().data(); }
};
