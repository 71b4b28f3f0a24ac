// The main window's search controls: keyword box, music type, engine, search and stop.
#include "frm_search_music.h"

#include "lists/song_list.h"
#include "search/search_flow.h"
#include "session.h"
#include "ui/cls_button.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTimer>

namespace {
// Passes Enter in the keyword box to the window, without taking the key from the box.
class EnterKeyFilter : public QObject {
public:
    EnterKeyFilter(QObject *parent, std::function<void()> onEnter)
        : QObject(parent), onEnter_(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                onEnter_();
        }
        return false;
    }

private:
    std::function<void()> onEnter_;
};
} // namespace

void frmSearchMusic::buildSearch() {
    connect(btnSearch, &clsButton::Click, this, &frmSearchMusic::btnSearch_Click);
    connect(btnStop, &clsButton::Click, this, &frmSearchMusic::btnStop_Click);
    // The key reaches the box or its line edit, depending on where the focus sits; once a
    // search runs the box is disabled, so one Enter never starts two.
    enterKey_ = new EnterKeyFilter(Combo1, [this] { Combo1_KeyPress(13); });
    Combo1->installEventFilter(enterKey_);

    searchFlow_ = new SearchFlow(*searchList_, session_.network(), session_.endpoints().engines,
                                 session_.dialogs(), this);
    connect(searchFlow_, &SearchFlow::locked, this, [this] { lockSearchControls(true); });
    connect(searchFlow_, &SearchFlow::unlocked, this, [this] { lockSearchControls(false); });
    connect(searchFlow_, &SearchFlow::fallback, this, [this](int engine) {
        mnuMoreSearcher_Click(engine);
        btnSearch_Click();
    });

    // A near server answers a page in a fraction of a millisecond, faster than a screen shows
    // it: painting the list for every page then took longer than the search itself. The
    // first page of a burst shows at once; later ones within the same frame wait for it.
    resultsFrame_ = new QTimer(this);
    resultsFrame_->setSingleShot(true);
    resultsFrame_->setInterval(16);
    connect(resultsFrame_, &QTimer::timeout, this, [this] {
        if (!lstSearchListSongName->updatesEnabled()) {
            lstSearchListSongName->setUpdatesEnabled(true);
            resultsFrame_->start();
        }
    });
    connect(searchList_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int, int) {
                if (!searching_)
                    return;
                if (resultsFrame_->isActive())
                    lstSearchListSongName->setUpdatesEnabled(false);
                else
                    resultsFrame_->start();
            });
}

void frmSearchMusic::lockSearchControls(bool locked) {
    searching_ = locked;
    if (locked) {
        Combo1->setEnabled(false);
        btnSearch->setEnabled(false);
        btnMoreOperation->setEnabled(false);
        return;
    }
    // The last results show at once.
    resultsFrame_->stop();
    lstSearchListSongName->setUpdatesEnabled(true);
    btnSearch->setEnabled(true);
    btnMoreOperation->setEnabled(true);
    Combo1->setEnabled(true);
}

int frmSearchMusic::checkedEngine() const {
    for (int i = 0; i < static_cast<int>(mnuMoreSearcher.size()); ++i)
        if (mnuMoreSearcher[i]->isChecked())
            return i;
    return -1;
}

int frmSearchMusic::selectedOption() const {
    for (int i = 0; i < static_cast<int>(optMusicFileType.size()); ++i)
        if (optMusicFileType[i]->isChecked())
            return i;
    return -1;
}

void frmSearchMusic::btnSearch_Click() {
    searchFlow_->btnSearch_Click(Combo1->currentText(), checkedEngine(), selectedOption());
}

void frmSearchMusic::btnStop_Click() {
    searchFlow_->btnStop_Click();
}

void frmSearchMusic::Combo1_KeyPress(int keyAscii) {
    if (keyAscii == 13 && Combo1->isEnabled())
        btnSearch_Click();
}
