#pragma once

#include "platform/controls/form.h"

class Services;

class Form3 : public Form
{
    Q_OBJECT
public:
    explicit Form3(Services &services, QWidget *parent = nullptr);

private:
    Services &services;
};
