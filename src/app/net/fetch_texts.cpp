#include "fetch_texts.h"

#include "http_transfer.h"

#include <QPointer>

FetchTexts::FetchTexts(TransferFactory &network, QStringList urls, QObject *parent)
    : QObject(parent), transfer_(network.newTransfer(this)), urls_(std::move(urls)) {
    connect(transfer_, &HttpTransfer::stateChanged, this, &FetchTexts::arrived);
}

void FetchTexts::start() {
    if (index_ < 0)
        next();
}

void FetchTexts::abort() {
    aborted_ = true;
    transfer_->cancel();
}

void FetchTexts::next() {
    ++index_;
    if (index_ >= urls_.size()) {
        emit finished();
        return;
    }
    transfer_->startRequest(urls_.at(index_));
}

void FetchTexts::arrived(int state) {
    if (aborted_ || index_ < 0 || index_ >= urls_.size())
        return;
    const bool ok = state == HttpTransfer::Complete;
    QString text;
    if (ok)
        for (QString piece = transfer_->readPiece(); !piece.isEmpty();
             piece = transfer_->readPiece())
            text += piece;
    texts_ << text;
    // The listener may abort, or delete this object, when told.
    const int index = index_;
    QPointer<FetchTexts> alive(this);
    emit fetched(index, text, ok);
    if (alive && !aborted_)
        next();
}
