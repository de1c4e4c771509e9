#include "qqgroups/form4.h"

Form4::Form4(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
}
