#pragma once

#include "main/profit_panel.h"
#include "platform/controls/form.h"
#include "upc/generator_panel.h"

class Services;

// The main window: the shell around the profit calculator and the generator.
class Form1 : public Form
{
    Q_OBJECT
public:
    explicit Form1(Services &services, QWidget *parent = nullptr);

    ProfitPanel profitPanel;
    GeneratorPanel generatorPanel;

private:
    Services &services;
};
