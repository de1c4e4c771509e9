#include "upc/form8.h"

Form8::Form8(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
}
