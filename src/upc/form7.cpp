#include "upc/form7.h"

Form7::Form7(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
}
