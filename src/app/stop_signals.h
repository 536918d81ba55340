#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP (a desktop session that logs out) told on the window's thread
// instead of ending the process where it stands, so that the program can stop its transfer
// as a closing window does. The handler only writes the signal's number into a socket;
// the event loop reads it from the other end. One per process, for as long as the window
// lives; POSIX only.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    StopSignals();
    ~StopSignals() override;

signals:
    void Received(int number);

private:
    void ReadSignals();

    QSocketNotifier* m_notifier = nullptr;
};
