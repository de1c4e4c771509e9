#pragma once

#include "platform/controls/form.h"

class Services;

class Form5 : public Form
{
    Q_OBJECT
public:
    explicit Form5(Services &services, QWidget *parent = nullptr);

private:
    Services &services;
};
