// SIGTERM and SIGHUP (a logout, a `kill`) as a Qt signal in the event loop.
// The handler itself only writes a byte to a pipe, the one thing it may
// safely do; a socket notifier reads it and the program ends from the loop,
// where it may write the recovery journal.
#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

namespace kalmo {

class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Takes over both signals until destroyed; the handlers from before
    // come back then. Only one may live at a time.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received();

private:
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previousTerm_ {};
    struct sigaction previousHangUp_ {};
};

} // namespace kalmo
