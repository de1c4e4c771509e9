#include "main/profit_panel.h"

ProfitPanel::ProfitPanel(Services &services, QWidget *parent)
    : QWidget(parent)
    , services(services)
{
}
