#pragma once

#include "platform/controls/form.h"

class Services;

class Form4 : public Form
{
    Q_OBJECT
public:
    explicit Form4(Services &services, QWidget *parent = nullptr);

private:
    Services &services;
};
