#pragma once

#include "platform/controls/form.h"

class Services;

class Form2 : public Form
{
    Q_OBJECT
public:
    explicit Form2(Services &services, QWidget *parent = nullptr);

private:
    Services &services;
};
