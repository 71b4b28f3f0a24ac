// The main window's search controls: keyword box, music type, engine, search and stop.
#include "frm_search_music.h"

#include "lists/song_list.h"
#include "search/search_flow.h"
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
    auto *enter = new EnterKeyFilter(Combo1, [this] { Combo1_KeyPress(13); });
    Combo1->installEventFilter(enter);
    Combo1->lineEdit()->installEventFilter(enter);
    if (!services_.netGetData || !services_.dialogs)
        return;
    SearchFlow::Controls controls;
    controls.keyword = [this] { return Combo1->currentText(); };
    controls.checkedEngine = [this] {
        for (int i = 0; i < static_cast<int>(mnuMoreSearcher.size()); ++i)
            if (mnuMoreSearcher[i]->isChecked())
                return i;
        return -1;
    };
    controls.selectedOption = [this] {
        for (int i = 0; i < static_cast<int>(optMusicFileType.size()); ++i)
            if (optMusicFileType[i]->isChecked())
                return i;
        return -1;
    };
    controls.chooseEngine = [this](int index) { mnuMoreSearcher_Click(index); };
    controls.lockControls = [this](bool locked) {
        searching_ = locked;
        if (!locked) {
            // The last results show at once.
            resultsFrame_->stop();
            lstSearchListSongName->setUpdatesEnabled(true);
        }
        if (locked) {
            Combo1->setEnabled(false);
            btnSearch->setEnabled(false);
            btnMoreOperation->setEnabled(false);
        } else {
            btnSearch->setEnabled(true);
            btnMoreOperation->setEnabled(true);
            Combo1->setEnabled(true);
        }
    };
    searchFlow_ = new SearchFlow(*searchList_, *services_.netGetData, *services_.dialogs,
                                 std::move(controls), this);

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

void frmSearchMusic::btnSearch_Click() {
    if (searchFlow_)
        searchFlow_->btnSearch_Click();
}

void frmSearchMusic::btnStop_Click() {
    if (searchFlow_)
        searchFlow_->btnStop_Click();
}

void frmSearchMusic::Combo1_KeyPress(int keyAscii) {
    if (keyAscii == 13 && Combo1->isEnabled())
        btnSearch_Click();
}
