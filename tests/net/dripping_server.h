#pragma once

#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A server on a loopback port that answers every request with a long page, one byte at a
// time: each byte arrives well within any inactivity time-out, the whole page never does.
// It runs on the test's own event loop.
class DrippingServer : public QTcpServer {
public:
    explicit DrippingServer(int intervalMs = 50) {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    socket->readAll();
                    if (socket->property("answered").toBool())
                        return;
                    socket->setProperty("answered", true);
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n"
                                  "Content-Length: 100000\r\n\r\n");
                });
                sockets_.append(socket);
            }
        });
        connect(&ticker_, &QTimer::timeout, this, [this] {
            for (QTcpSocket *socket : std::as_const(sockets_))
                if (socket && socket->property("answered").toBool() &&
                    socket->state() == QAbstractSocket::ConnectedState)
                    socket->write("<");
        });
        ticker_.start(intervalMs);
    }
    QString url(const QString &path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }

private:
    QList<QPointer<QTcpSocket>> sockets_;
    QTimer ticker_;
};
