#include "keywords/form2.h"

Form2::Form2(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
}
