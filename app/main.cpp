#include "app/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(res);
    QApplication app(argc, argv);
    return runApplication(app, argc, argv);
}
