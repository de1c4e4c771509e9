#include "fba/form3.h"

Form3::Form3(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
}
