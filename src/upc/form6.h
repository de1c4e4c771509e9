#pragma once

#include "platform/controls/form.h"

class Services;

class Form6 : public Form
{
    Q_OBJECT
public:
    explicit Form6(Services &services, QWidget *parent = nullptr);

private:
    Services &services;
};
