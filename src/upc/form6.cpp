#include "upc/form6.h"

Form6::Form6(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{}

void Form6::showDefault(Services &services, const QString &address)
{
    Q_UNUSED(services);
    Q_UNUSED(address);
}
