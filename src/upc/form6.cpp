#include "upc/form6.h"

Form6::Form6(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
}
