#include "worldfirst/form5.h"

Form5::Form5(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{}
