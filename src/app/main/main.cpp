#include "app/mdlVantrel.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    return vantrel::mdlVantrel::Main(app);
}
