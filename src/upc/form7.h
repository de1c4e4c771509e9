#pragma once

#include "platform/controls/form.h"

class Services;

class Form7 : public Form
{
    Q_OBJECT
public:
    explicit Form7(Services &services, QWidget *parent = nullptr);

private:
    Services &services;
};
