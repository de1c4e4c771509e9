#pragma once

#include "platform/controls/form.h"

class Services;

class Form8 : public Form
{
    Q_OBJECT
public:
    explicit Form8(Services &services, QWidget *parent = nullptr);

private:
    Services &services;
};
