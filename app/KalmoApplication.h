// The application object. Every event is dispatched through notify(), so an
// error that no window handler reported itself is caught here, reported, and
// the program goes on with the next event.
#pragma once

#include "app/AppServices.h"

#include <QApplication>

namespace kalmo {

class KalmoApplication : public QApplication {
    Q_OBJECT

public:
    KalmoApplication(int& argc, char** argv, AppServices services);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    AppServices services_;
};

} // namespace kalmo
