// A core file that calls into an adapter without its header: linking the core alone must
// refuse it.
#include <QString>

class QtDialogs {
public:
    static QString QtFilter(const QString &filter);
};

QString filterOfCore() {
    return QtDialogs::QtFilter(QStringLiteral("*.hdm"));
}
