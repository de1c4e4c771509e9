#pragma once

#include <QWidget>

class Services;

// The Amazon profit calculator: the left half of the main window.
class ProfitPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ProfitPanel(Services &services, QWidget *parent = nullptr);

private:
    Services &services;
};
