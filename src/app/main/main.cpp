#include "app/mdlVantrel.h"
#include "uiservice/GuardedApplication.h"

int main(int argc, char **argv)
{
    vantrel::GuardedApplication app(argc, argv);
    vantrel::GuardedApplication::setApplicationName(QStringLiteral("Vantrel"));
    return vantrel::mdlVantrel::Main(app);
}
