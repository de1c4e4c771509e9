#pragma once

#include "platform/controls/form.h"

class Services;

class Form6 : public Form
{
    Q_OBJECT
public:
    explicit Form6(Services &services, QWidget *parent = nullptr);

    // Shows the default lookup window browsing `address`; an open one is raised.
    static void showDefault(Services &services, const QString &address);

private:
    Services &services;
};
